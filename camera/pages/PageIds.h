// Templates and control ids of the configuration and effects pages (plain #defines for Pages.rc).
#pragma once

#define IDD_BASIC_CONFIG 310
#define IDD_BASIC_EFFECT 313

// Basic configuration page.
#define IDC_PHOTO_SIZE 1003
#define IDC_ALBUM_FOLDER 1004
#define IDC_CHOOSE_FOLDER 1006
#define IDC_DISPLAY_SIZE 1007
#define IDC_REVERSAL_H 1032
#define IDC_REVERSAL_V 1033
#define IDC_FREQUENCY_50 1038
#define IDC_FREQUENCY_60 1039
#define IDC_ZOOM_1X 1040
#define IDC_ZOOM_2X 1041
#define IDC_ZOOM_3X 1042
#define IDC_ZOOM_4X 1043

// Effects page.
#define IDC_FRAME_LIST 1005
#define IDC_TEXT_BOX 1034
#define IDC_CHOOSE_FONT 1035
#define IDC_APPLY_TEXT 1036
#define IDC_MOSAIC_SLIDER 1037
