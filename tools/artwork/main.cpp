// orvello_artwork_gen OUTPUT_FOLDER [--preview]
// Writes Orvello's pictures, the resource script artwork.rc that names them and AboutPicture.cpp.
// Files whose bytes did not change are left alone so that nothing downstream rebuilds.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/artwork/ArtworkSet.h"
#include "tools/artwork/BmpFile.h"
#include "tools/artwork/PreviewSheet.h"
#include "tools/artwork/ResourceScript.h"

namespace {

bool WriteIfChanged(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> old;
    if (artwork::ReadFileBytes(path, old) && old == bytes) return true;
    if (artwork::WriteFileBytes(path, bytes)) return true;
    std::fprintf(stderr, "orvello_artwork_gen: cannot write %s\n", path.c_str());
    return false;
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvello_artwork_gen OUTPUT_FOLDER [--preview]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool preview = argc > 2 && std::string(argv[2]) == "--preview";
    const artwork::ArtworkSet set = artwork::GenerateArtwork();
    bool ok = true;
    for (const artwork::ArtworkItem& item : set.items)
        ok = WriteIfChanged(folder + "/" + item.fileName, item.bytes) && ok;
    ok = WriteIfChanged(folder + "/about_picture.bmp", artwork::EncodeBmp(set.aboutPicture)) && ok;
    ok = WriteIfChanged(folder + "/AboutPicture.cpp", Bytes(artwork::AboutPictureSource(set.aboutPicture))) &&
         ok;
    if (preview) {
        ok =
            WriteIfChanged(folder + "/preview_buttons.bmp", artwork::EncodeBmp(artwork::PreviewSheet(set))) &&
            ok;
        ok = WriteIfChanged(folder + "/preview_window.bmp",
                            artwork::EncodeBmp(artwork::WindowPreview(set, false))) &&
             ok;
        ok = WriteIfChanged(folder + "/preview_window_on.bmp",
                            artwork::EncodeBmp(artwork::WindowPreview(set, true))) &&
             ok;
    }
    // The resource script last: its time stamp tells the build the set is complete.
    ok = WriteIfChanged(folder + "/artwork.rc", Bytes(artwork::ResourceScript(set, folder))) && ok;
    return ok ? 0 : 1;
}
