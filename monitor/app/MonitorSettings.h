// The monitor settings: process-wide values shared by the main window and its settings dialogs.
// The main window's constructor sets every one of them to its default (ResetMonitorSettings).
#pragma once

#include "framework/String.h"

extern CString motionStillPath;   // a path whose folder receives motion stills
extern CString alarmSoundPath;    // WAV file played as alarm
extern BYTE motionMode;           // sum of the motion action weights; 255 = off
extern BYTE previewRestore;       // the preview was minimised and must get its size back
extern int videoCompressorIndex;  // index into the video compressor list
extern int audioCompressorIndex;  // index into the audio compressor list
extern int audioDeviceIndex;      // index into the audio device list
extern BYTE aviPathChanged;       // the AVI path was typed in the video settings dialog
extern BYTE masterStream;         // master stream of the recording (audio settings dialog)
extern CString aviPath;           // full path of the next AVI file
extern CString timerShotPath;     // target file of the timer shot; empty = the program folder
extern int timerShotSeconds;      // timer shot delay in seconds (1 to 3600)

// Defaults: empty texts, motionMode 255, masterStream 1, timerShotSeconds 5, everything else 0.
void ResetMonitorSettings();
