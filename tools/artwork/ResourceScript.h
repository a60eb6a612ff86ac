#pragma once
// Text files the build generates beside the pictures.
#include <string>

#include "tools/artwork/ArtworkSet.h"

namespace artwork {

// Resource statements for every item, with absolute file paths under `folder`.
std::string ResourceScript(const ArtworkSet& set, const std::string& folder);
// A C++ source holding the About box's hidden picture as 24-bit bottom-up rows.
std::string AboutPictureSource(const Image& picture);

}  // namespace artwork
