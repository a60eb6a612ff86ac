// Command, string and window ids the framework itself knows. Plain #defines so .rc files can use them.
#pragma once

#define ID_APP_ABOUT 0xE140   // 57664
#define ID_APP_EXIT 0xE141    // 57665
#define ID_HELP 0xE146        // 57670
#define ID_HELP_INDEX 0xE142  // 57666

#define AFX_IDS_APP_TITLE 0xE000   // 57344: the application title string
#define AFX_IDW_PANE_FIRST 0xE900  // the frame's view
#define AFX_IDW_STATUS_BAR 0xE801  // the frame's status bar

// Frame and bar styles that never reach CreateWindow.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define CBRS_BOTTOM 0x00008000L
