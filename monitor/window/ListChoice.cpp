#include "monitor/window/ListChoice.h"

#include <cctype>

namespace monitor {

namespace {
bool StartsWithUpper(const std::string& name, const char* prefix) {
    size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= name.size()) return false;
        if (std::toupper(static_cast<unsigned char>(name[i])) != static_cast<unsigned char>(prefix[i]))
            return false;
    }
    return true;
}
}  // namespace

int ChooseListEntry(const std::vector<std::string>& names, std::initializer_list<const char*> prefixes) {
    const int count = static_cast<int>(names.size());
    // The last entry is never examined.
    for (int i = 0; i + 1 < count; ++i)
        for (const char* prefix : prefixes)
            if (StartsWithUpper(names[static_cast<size_t>(i)], prefix)) return i;
    return 0;
}

}  // namespace monitor
