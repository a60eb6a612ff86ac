// What the settings dialogs ask of the main monitor window that opens them. The main window
// implements it; tests give their own.
#pragma once

class IMonitorDialogHost {
  public:
    // Raises or clears the main window's dialog-pause flag (the tick pauses once for it).
    virtual void SetDialogPause(bool pause) = 0;
    // The alarm preview player window of the main window (see AlarmPreview.h).
    virtual void OpenAlarmPreview() = 0;
    virtual void PlayAlarmPreview() = 0;
    virtual void StopAlarmPreview() = 0;

  protected:
    ~IMonitorDialogHost() = default;
};
