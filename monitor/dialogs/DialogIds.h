// Template and control ids of Orvello's settings dialogs (monitor/dialogs/Dialogs.rc).
#pragma once

// Timer shot settings, "Settings".
#define IDD_TIMERSHOT_SETTINGS 135
#define IDC_TS_SECONDS_LABEL 1052
#define IDC_TS_SECONDS 1023
#define IDC_TS_SECONDS_SPIN 1053
#define IDC_TS_SAME_PATH 1020
#define IDC_TS_SPECIFIED_PATH 1021
#define IDC_TS_PATH 1022
#define IDC_TS_BROWSE 1037
#define IDC_TS_OK 1027

// Audio settings, "Audio settings".
#define IDD_AUDIO_SETTINGS 138
#define IDC_AS_NONE 1049
#define IDC_AS_AUDIO 1048
#define IDC_AS_VIDEO 1047
#define IDC_AS_OK 1027

// Video settings, "Video settings". Its OK button is IDOK (1).
#define IDD_VIDEO_SETTINGS 139
#define IDC_VS_COUNTER 1051
#define IDC_VS_PATH 1040
#define IDC_VS_BROWSE 1027

// Monitor settings, "Monitor Settings".
#define IDD_MONITOR_SETTINGS 256
#define IDC_MS_SCAN 1057
#define IDC_MS_CAPTURE 1064
#define IDC_MS_STILL_PATH 1061
#define IDC_MS_BROWSE 1027
#define IDC_MS_ALARM 1058
#define IDC_MS_SOUND_LIST 1062
#define IDC_MS_PLAY 1059
#define IDC_MS_OK 1060
#define IDC_MS_MOTION_TRACKING 1053
#define IDC_MS_MOTION_DETECTION 1054
#define IDC_MS_ZOOM_MODE 1055
#define IDC_MS_ATTENTION_BOXES 1056
#define IDC_MS_DISABLE_TRACKING 1063
