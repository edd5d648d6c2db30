#pragma once
// Ends every other running copy of this program file (same full path,
// letter case ignored). Programs of the same name elsewhere are left alone.
void TerminateOtherVorlan();
