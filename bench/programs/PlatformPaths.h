// The platform's own picture paths, with none of our code in them: what a program cannot go
// below while it shows the test camera the way ours do. Each runs on a thread of its own that
// pumps messages, as a program's window thread would.
#pragma once

#include <functional>
#include <memory>

namespace programbench {

class PlatformPath {
  public:
    virtual ~PlatformPath() = default;
    // False when the path could not be set up; called on the path's own thread.
    virtual bool Start() = 0;
    // Ends what Start began, on the same thread.
    virtual void Stop() = 0;
};

// The camera's preview as DirectShow alone shows it: the capture graph builder's preview of the
// camera through a sample grabber set to RGB24 into the default video renderer.
std::unique_ptr<PlatformPath> DirectShowPreview();

// The camera into a null renderer while a 640 x 480 24-bit picture is drawn with DrawDib every
// 50 ms into a window of that size.
std::unique_ptr<PlatformPath> DrawDibEvery50Ms();

// Starts path on a thread of its own, runs during while it runs, then stops it; false (and during
// not run) when the path did not start.
bool WhileRunning(PlatformPath& path, const std::function<void()>& during);

}  // namespace programbench
