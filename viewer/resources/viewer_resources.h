// Resource ids of the History Viewer.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_MAIN 102
#define IDD_SEARCH 110
#define IDD_EXPORT 120
#define IDD_DELETE_OLD_DAYS 130
#define IDR_MAINFRAME 128

// Main dialog (IDD_MAIN).
#define IDC_HTML_VIEW 1001
#define IDC_USER_LIST 1003
#define IDC_DATE_LIST 1004
#define IDC_BUDDY_LIST 1005
#define IDC_ABOUT 1008
#define IDC_SIZE_TOTAL 1009
#define IDC_SIZE_LABEL 1010
#define IDC_SIZE_UNIT 1011
#define IDC_DELETE_USER 1012
#define IDC_DELETE_BUDDY 1013
#define IDC_DELETE_DATE 1014
#define IDC_CLEAR_ALL 1017

// About box (IDD_ABOUTBOX).
#define IDC_RELEASE_TEXT 1012
#define IDC_VERSION_TEXT 1013
#define IDC_WEB 1014
#define IDC_HELP_PAGE 1015

// The viewer's system-menu item "&Search History...\tCtrl+F".
#define IDM_SEARCH_HISTORY 0x0110

// Search window (IDD_SEARCH).
#define IDC_SEARCH_QUERY 1100
#define IDC_SEARCH_START 1101
#define IDC_SEARCH_MATCH_CASE 1102
#define IDC_SEARCH_SCOPE 1103
#define IDC_SEARCH_RESULTS 1104
#define IDC_SEARCH_STATUS 1105
#define IDC_SEARCH_FROM 1106
#define IDC_SEARCH_TO 1107
#define IDC_SEARCH_SAID_BY 1108

// The viewer's system-menu items "&Export History..." and "&Delete Old
// Days...", after the search's.
#define IDM_EXPORT_HISTORY 0x0120
#define IDM_DELETE_OLD_DAYS 0x0130

// Export window (IDD_EXPORT).
#define IDC_EXPORT_SCOPE 1200
#define IDC_EXPORT_FROM 1201
#define IDC_EXPORT_TO 1202
#define IDC_EXPORT_FORMAT 1203
#define IDC_EXPORT_DESTINATION 1204
#define IDC_EXPORT_BROWSE 1205
#define IDC_EXPORT_PROGRESS 1206
#define IDC_EXPORT_STATUS 1207
#define IDC_EXPORT_START 1208
#define IDC_EXPORT_CANCEL 1209

// Delete Old Days (IDD_DELETE_OLD_DAYS); Delete is IDOK, Close IDCANCEL.
#define IDC_DELETE_BEFORE 1300
#define IDC_DELETE_SCOPE 1301
#define IDC_DELETE_PREVIEW 1302
