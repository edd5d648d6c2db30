#pragma once
// Windows generation codes: the classes that "SkipOS" and "OsCfg" compare
// against.
//   1 any version not listed below     2 Windows 2000 (5.0)
//   3 Windows XP (5.1)                 4 XP x64 / Server 2003 (5.2, other 5.x)
//   5 Vista (6.0 workstation)          6 6.x server editions
//   7 Windows 7 (6.1) and later workstation, and every major version above 6

namespace vorlan {

int OsCodeFor(unsigned major, unsigned minor, bool workstation);

}  // namespace vorlan
