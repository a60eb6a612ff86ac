// What the system's own components leave behind in a process, so the soak can tell it from a leak
// of the program's. Wine 8 leaves, for each device enumeration, registry keys open under the
// DirectShow device enumerator's cache and the device's Instance key (some of them already
// deleted); for each save dialog closed with OK, its most-recently-used list key; and for each
// filter graph created and released, one event. On Windows none of these stay open.
#pragma once

#include <string>

namespace reliability {

// True for an open registry key (by the full name ProcessCounters reports) that the system's
// device enumerator or common dialogs leave open.
bool SystemKey(const std::string& name);

// Events this process gains per filter graph created and released, measured after a warm-up.
double EventsPerFilterGraph();

}  // namespace reliability
