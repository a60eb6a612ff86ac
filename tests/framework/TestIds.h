// Ids of the framework tests' resources.
#pragma once

#define IDD_SETTINGS 200
#define IDC_NAME 1001
#define IDC_SECONDS 1002
#define IDC_ENABLED 1003
#define IDC_RADIO_A 1004
#define IDC_RADIO_B 1005
#define IDC_RADIO_C 1006
#define IDC_CHOICE 1007
#define IDC_BROWSE 1008

#define IDD_PAGE 300
#define IDD_PAGE2 301
#define IDC_COUNTER 1101
#define IDC_MIRROR 1102
#define IDC_SIZES 1103

#define IDR_FRAME 400
#define IDS_INDICATOR 401
#define ID_CMD_PLAIN 500
#define ID_CMD_GREYED 501
#define ID_CMD_UNHANDLED 502
#define ID_CMD_CHECKED 503
#define ID_CMD_VIEW 504

#define IDD_CONTROLS 210
#define IDC_TEXT_BOX 1201
#define IDC_MOSAIC 1202
#define IDC_SPIN_EDIT 1203
#define IDC_SPIN 1204
#define IDC_OWNER_DRAWN 1205

#define IDD_SPLASH 220
