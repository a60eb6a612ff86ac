// The control channel between testcamctl and the test camera filters, in every process of the
// Wine prefix (or Windows session):
//  - a named shared-memory block "TestPatternCamera.Control" holding ControlState;
//  - a named mutex "TestPatternCamera.ControlLock" guarding writes;
//  - a named manual-reset event "TestPatternCamera.Changed" set briefly after each change.
// The state also persists in HKCU\Software\TestPatternCamera so that it outlives the processes:
// whoever creates the block first loads it from there.
#pragma once

#include "framework/Handles.h"

namespace testcam {

struct ControlState {
    LONG plugged;      // 0 = unplugged: no frames, not enumerated
    LONG still;        // 1 = every frame repeats the last one
    LONG refuseWidth;  // SetFormat fails for this size (0 = none)
    LONG refuseHeight;
    LONG generation;       // bumped by every change
    LONG framesDelivered;  // frames the cameras pushed, for `status`
    LONG streamControls;   // IAMStreamControl calls on the cameras' capture pins, for `status`
};

class ControlBlock {
  public:
    ControlBlock() = default;
    ~ControlBlock() {
        if (state_) UnmapViewOfFile(state_);
    }
    ControlBlock(const ControlBlock&) = delete;
    ControlBlock& operator=(const ControlBlock&) = delete;

    // Opens (or creates) the block; false when the named objects cannot be made.
    bool Open();
    bool IsOpen() const { return state_ != nullptr; }

    ControlState Read() const;
    // Changes the state under the lock, bumps the generation, persists it and wakes the watchers.
    template <typename Change>
    void Update(Change change) {
        if (!state_) return;
        WaitForSingleObject(mutex_.Get(), 2000);
        ControlState s = *state_;
        change(s);
        s.generation = state_->generation + 1;
        *state_ = s;
        Persist(s);
        ReleaseMutex(mutex_.Get());
        SignalChanged();
    }
    void CountFrame();
    void CountStreamControl();
    HANDLE ChangedEvent() const { return changed_.Get(); }

  private:
    void Persist(const ControlState& s);
    void LoadPersisted(ControlState& s);
    void SignalChanged();

    ScopedHandle mapping_, mutex_, changed_;
    ControlState* state_ = nullptr;
};

}  // namespace testcam
