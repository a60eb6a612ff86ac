// CPU time of Wine processes as the host kernel counts it. Wine answers GetProcessTimes for another
// process with its start-up figures only, so the figures come from /proc, seen as drive Z:.
#pragma once

#include <string>

namespace programbench {

// User plus system CPU seconds of the running Wine process whose image is `exe` (a Windows path,
// compared without regard to case); negative when there is none.
double HostCpuSecondsOf(const std::wstring& exe);

// The same for the calling process. Not read from /proc/self: the wine server opens files for its
// clients, so there "self" is the server. GetProcessTimes answers for the calling process with the
// host kernel's own figures.
double HostCpuSecondsOfSelf();

}  // namespace programbench
