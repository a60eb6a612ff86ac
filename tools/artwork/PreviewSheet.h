#pragma once
// One picture showing every button image beside its mask, for looking at the set as a whole.
#include "tools/artwork/ArtworkSet.h"

namespace artwork {

Image PreviewSheet(const ArtworkSet& set);

}  // namespace artwork

namespace artwork {

// The skin with every visible button's normal picture drawn through its mask, and plain boxes where
// the window's combo boxes and edit field go: roughly what the running window shows.
Image WindowPreview(const ArtworkSet& set, bool checkedLook);

}  // namespace artwork
