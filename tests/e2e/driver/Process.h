// A program started by the driver: its process handle, id and end.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"

namespace e2e {

class Process {
  public:
    Process() = default;
    Process(Process&&) = default;
    Process& operator=(Process&&) = default;
    ~Process();  // a program still running at the end of a journey is ended

    // Starts exe with the given working folder; false (and a log line) on failure.
    bool Start(const std::wstring& exe, const std::wstring& folder);
    DWORD Id() const { return id_; }
    bool Running() const;
    // Waits up to ms for the program to end; true when it has ended.
    bool WaitExit(DWORD ms) const;
    void Kill();

  private:
    ScopedHandle process_;
    DWORD id_ = 0;
};

// Runs a console program to its end and gives its exit code (-1 when it could not start or hung).
int RunAndWait(const std::wstring& commandLine, DWORD ms = 15000);

}  // namespace e2e
