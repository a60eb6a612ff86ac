#include "monitor/app/MonitorSettings.h"

CString motionStillPath;
CString alarmSoundPath;
BYTE motionMode = 255;
BYTE previewRestore = 0;
int videoCompressorIndex = 0;
int audioCompressorIndex = 0;
int audioDeviceIndex = 0;
BYTE aviPathChanged = 0;
BYTE masterStream = 1;
CString aviPath;
CString timerShotPath;
int timerShotSeconds = 5;

void ResetMonitorSettings() {
    motionStillPath.Empty();
    alarmSoundPath.Empty();
    motionMode = 255;
    previewRestore = 0;
    videoCompressorIndex = 0;
    audioCompressorIndex = 0;
    audioDeviceIndex = 0;
    aviPathChanged = 0;
    masterStream = 1;
    aviPath.Empty();
    timerShotPath.Empty();
    timerShotSeconds = 5;
}
