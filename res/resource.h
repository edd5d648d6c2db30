#pragma once
// Resource identifiers of the launcher's dialogs.

#define IDD_VORLAN_DIALOG 101
#define IDD_PROGRESS_DIALOG 102

#define IDC_RESULT_LIST 1001
#define IDC_MAIN_PROGRESS 1002
#define IDC_PROGRESS_BAR 1003
#define IDC_PROGRESS_TEXT 1004
