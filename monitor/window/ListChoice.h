// The default entry of the compressor lists: the first of entries 0 to count - 2 whose upper-cased
// name begins with one of the prefixes; entry 0 when none does (or the list has fewer than two).
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace monitor {

int ChooseListEntry(const std::vector<std::string>& names, std::initializer_list<const char*> prefixes);

}  // namespace monitor
