// Resource and command ids of PelCamera (plain #defines so the .rc files can use them).
#pragma once

#define IDR_MAINFRAME 128      // menu, icon and accelerators of the main frame
#define IDS_STATUS_CAMERA 129  // the status pane's indicator text
#define IDD_ABOUTBOX 100
#define IDR_TRAY_MENU 314  // the frame-type pop-up ("Frame Type")
#define IDD_COMPANY 315

// Device menu: ten video and ten audio devices.
#define ID_VIDEO_DEVICE_FIRST 32771
#define ID_VIDEO_DEVICE_LAST 32780
#define ID_AUDIO_DEVICE_FIRST 32781
#define ID_AUDIO_DEVICE_LAST 32790
// Capture menu.
#define ID_TAKE_PHOTO 32791
#define ID_CAPTURE_START 32792
#define ID_CAPTURE_STOP 32793
// Option menu.
#define ID_SETTINGS 32794
#define ID_EFFECTS 32795
#define ID_PROPERTY_FIRST 32800
#define ID_PROPERTY_LAST 32809
// Frame types: 32813 is "No Frame".
#define ID_FRAME_TYPE_FIRST 32813
#define ID_FRAME_TYPE_LAST 32913
#define ID_COMPANY 32914
