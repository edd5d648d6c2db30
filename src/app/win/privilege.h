#pragma once
// Enables SeDebugPrivilege in the process token (needed to open and end
// other processes). A failure is passed over.
void EnableDebugPrivilege();
