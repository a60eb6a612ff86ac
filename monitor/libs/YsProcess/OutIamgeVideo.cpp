#include "monitor/libs/YsProcess/YsProcess.h"

#include <array>
#include <string>

#include "monitor/libs/YsProcess/GdiGlyphs.h"
#include "monitor/libs/YsProcess/TextStamp.h"

namespace {

// The font is rendered once per process; the last few composed texts are kept, so a tick whose
// clock and countdown did not change since the previous tick only blends.
class StampCache {
  public:
    const ysp::TextStamp* Get(const std::string& text) {
        if (!ready_) {
            ready_ = true;
            usable_ = ysp::RenderGdiGlyphs(atlas_);
        }
        if (!usable_) return nullptr;
        for (const ysp::TextStamp& stamp : stamps_) {
            if (stamp.Text() == text && stamp.PlaneWidth() > 2) return &stamp;
        }
        ysp::TextStamp& slot = stamps_[next_];
        next_ = (next_ + 1) % stamps_.size();
        slot.Compose(atlas_, text);
        return &slot;
    }

  private:
    bool ready_ = false;
    bool usable_ = false;
    ysp::GlyphAtlas atlas_;
    std::array<ysp::TextStamp, 4> stamps_;
    size_t next_ = 0;
};

}  // namespace

void OutIamgeVideo(BYTE* frame, const char* text, int x, int y, int width, int height) {
    if (!frame || !text || !*text || width <= 0 || height <= 0) return;
    static StampCache cache;  // the window thread is the only caller
    const ysp::TextStamp* stamp = cache.Get(text);
    if (stamp) ysp::BlendStamp(frame, width, height, *stamp, x, y);
}
