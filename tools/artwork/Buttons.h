#pragma once
// The skinned buttons' pictures and masks, painted over the skin they sit on so that their
// rounded edges blend into it.
#include <vector>

#include "tools/artwork/ArtworkSet.h"

namespace artwork {

void AddButtonArt(const Image& skin, std::vector<ArtworkItem>& items);

}  // namespace artwork
