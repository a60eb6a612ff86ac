/* Resource, control and command ids of Orvello. Usable from C++ and from resource scripts.
   The generated pictures (icon 128, bitmaps 141-261, cursor 193) are in artwork/ArtworkIds.h. */
#pragma once

/* Dialog templates and menus. */
#define IDD_ABOUTBOX 100
#define IDD_MONITOR 102
#define IDD_PREVIEW 132
#define IDD_SPLASH 140
#define IDR_TRAY_MENU 194

/* Tray menu commands. */
#define ID_TRAY_SHOW 32771
#define ID_TRAY_EXIT 32772

/* Controls of the main window (template 102). */
#define IDC_SIZE_320 1000
#define IDC_SIZE_320B 1001
#define IDC_SIZE_640 1002
#define IDC_SIZE_800 1003
#define IDC_SIZE_1280 1004
#define IDC_SIZE_1600 1005
#define IDC_SIZE_1600B 1071
#define IDC_CLOCK 1008
#define IDC_SNAPSHOT 1009
#define IDC_TIMER_SHOT 1012
#define IDC_ABOUT 1013
#define IDC_PICTURE 1014
#define IDC_DEVICE_LABEL 1017
#define IDC_VIDEO_SETTINGS 1027
#define IDC_TIMER_SHOT_SETTINGS 1036
#define IDC_VIDEO_COMPRESSOR 1038
#define IDC_RECORDER_STATE 1039
#define IDC_AVI_FILE 1040
#define IDC_AUDIO_DEVICE 1042
#define IDC_AUDIO_COMPRESSOR 1043
#define IDC_AUDIO_SETTINGS 1044
#define IDC_SPARE 1045
#define IDC_CLOSE 1046
#define IDC_MINIMIZE 1054
#define IDC_AUDIO_STRIP 1055
#define IDC_RECORDER 1056
#define IDC_RECORD_LAMP 1057
#define IDC_RECORD_AUDIO 1068
#define IDC_MONITOR 1069
#define IDC_MOTION_LAMP 1070

/* Controls of the About box (template 100). */
#define IDC_ABOUT_CREDIT 1101
#define IDC_ABOUT_TITLE 1102

/* Message the tray icon sends to the main window (WM_APP + 10). */
#define WM_TRAY_CALLBACK 0x800A
