// What the filters do to known pictures: pictures pushed through
// source -> "Pel Overlay" -> "Pel Reversal" -> sample grabber -> null renderer, in a running graph.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "camera/libs/PelFilters/PelInterfaces.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "media/QeditGuids.h"
#include "tests/camera/filters/PictureSource.h"
#include "tests/camera/kernels/TestFrame.h"
#include "tests/devices/support/CaptureProbe.h"

namespace {

class FilterChain : public ::testing::Test {
  protected:
    // Builds the chain for pictures of width x |height| (a negative height: rows top-down) and runs it.
    void Build(int width, int height, int pictureWidth = 0) {
        width_ = width;
        height_ = std::abs(height);
        topDown_ = height < 0;
        ASSERT_HRESULT_SUCCEEDED(classes_.Result());
        source_ = new filtertest::PictureSource(width, height, pictureWidth);
        sourceFilter_ = ComPtr<IBaseFilter>(source_);
        ASSERT_HRESULT_SUCCEEDED(Create(CLSID_FilterGraph, IID_IGraphBuilder, graph_.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(Create(CLSID_PelOverlay, IID_IBaseFilter, overlay_.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(Create(CLSID_PelReversal, IID_IBaseFilter, reversal_.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(Create(media::kClsidSampleGrabber, IID_IBaseFilter, grabberFilter_.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(Create(media::kClsidNullRenderer, IID_IBaseFilter, renderer_.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(overlay_->QueryInterface(IID_IPelFilter, pelFilter_.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(reversal_->QueryInterface(IID_IPelReversal, pelReversal_.AsOut()));
        ComPtr<ISampleGrabber> grabber;
        ASSERT_HRESULT_SUCCEEDED(grabberFilter_->QueryInterface(IID_ISampleGrabber, grabber.AsOut()));
        AM_MEDIA_TYPE mt = {};
        mt.majortype = MEDIATYPE_Video;
        mt.subtype = MEDIASUBTYPE_RGB24;
        ASSERT_HRESULT_SUCCEEDED(grabber->SetMediaType(&mt));
        ASSERT_HRESULT_SUCCEEDED(grabber->SetCallback(&recorder_, 0));

        ASSERT_HRESULT_SUCCEEDED(graph_->AddFilter(sourceFilter_.Get(), L"Pictures"));
        ASSERT_HRESULT_SUCCEEDED(graph_->AddFilter(overlay_.Get(), L"Pel Overlay"));
        ASSERT_HRESULT_SUCCEEDED(graph_->AddFilter(reversal_.Get(), L"Pel Reversal"));
        ASSERT_HRESULT_SUCCEEDED(graph_->AddFilter(grabberFilter_.Get(), L"Grabber"));
        ASSERT_HRESULT_SUCCEEDED(graph_->AddFilter(renderer_.Get(), L"Null"));
        ASSERT_HRESULT_SUCCEEDED(Link(sourceFilter_.Get(), overlay_.Get()));
        ASSERT_HRESULT_SUCCEEDED(Link(overlay_.Get(), reversal_.Get()));
        ASSERT_HRESULT_SUCCEEDED(Link(reversal_.Get(), grabberFilter_.Get()));
        ASSERT_HRESULT_SUCCEEDED(Link(grabberFilter_.Get(), renderer_.Get()));
        // Untimed pictures, no clock: the renderer takes each at once.
        ComPtr<IMediaFilter> timing;
        ASSERT_HRESULT_SUCCEEDED(graph_->QueryInterface(IID_IMediaFilter, timing.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(timing->SetSyncSource(nullptr));
        ASSERT_HRESULT_SUCCEEDED(graph_->QueryInterface(IID_IMediaControl, control_.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(control_->Run());
    }

    void TearDown() override {
        if (control_) control_->Stop();
    }

    TestFrame Picture() const { return TestFrame(width_, height_, topDown_); }

    // The picture as the grabber behind both filters receives it.
    TestFrame Pass(const TestFrame& in) {
        recorder_.Clear();
        TestFrame out = Picture();
        EXPECT_HRESULT_SUCCEEDED(source_->Push(in.bytes));
        std::vector<probe::Frame> frames = recorder_.Take();
        EXPECT_EQ(1u, frames.size());
        if (frames.size() == 1) {
            EXPECT_EQ(in.bytes.size(), frames[0].bytes.size());
            if (frames[0].bytes.size() == out.bytes.size()) out.bytes = frames[0].bytes;
        }
        return out;
    }

    TestFrame Positions() const {
        TestFrame f = Picture();
        f.FillWithPositions();
        return f;
    }

    static HRESULT Create(const CLSID& clsid, REFIID iid, void** out) {
        return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out);
    }
    HRESULT Link(IBaseFilter* from, IBaseFilter* to) {
        auto out = ComPtr<IPin>::Adopt(probe::FirstPin(from, PINDIR_OUTPUT));
        auto in = ComPtr<IPin>::Adopt(probe::FirstPin(to, PINDIR_INPUT));
        if (!out || !in) return E_FAIL;
        return graph_->Connect(out.Get(), in.Get());
    }

    ScopedComInit com_;
    pel::PelFilterClasses classes_ = pel::RegisterPelFilters();
    probe::FrameRecorder recorder_;
    int width_ = 0, height_ = 0;
    bool topDown_ = false;
    filtertest::PictureSource* source_ = nullptr;
    ComPtr<IBaseFilter> sourceFilter_, overlay_, reversal_, grabberFilter_, renderer_;
    ComPtr<IGraphBuilder> graph_;
    ComPtr<IMediaControl> control_;
    ComPtr<IPelFilter> pelFilter_;
    ComPtr<IPelReversal> pelReversal_;
};

// A 32-bit photo frame as read from a file: B G R A, rows bottom-up.
struct FrameBitmap {
    int width, height;
    std::vector<BYTE> pixels;
    FrameBitmap(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0) {}
    // Pixel at column x of picture line `line` (0 = top).
    void Set(int x, int line, BYTE b, BYTE g, BYTE r, BYTE a) {
        BYTE* p = &pixels[(static_cast<size_t>(height - 1 - line) * width + x) * 4];
        p[0] = b;
        p[1] = g;
        p[2] = r;
        p[3] = a;
    }
};

TEST_F(FilterChain, PicturesPassUnchangedUntilSomethingIsSet) {
    Build(64, 48);
    const TestFrame in = Positions();
    EXPECT_EQ(in.bytes, Pass(in).bytes);
    pelFilter_->SetSize(64, 48);
    pelReversal_->SetSize(64, 48);
    pelReversal_->SetZoom(1);
    EXPECT_EQ(in.bytes, Pass(in).bytes);
}

TEST_F(FilterChain, FlipsMirrorsAndTurns) {
    Build(64, 48);
    TestFrame in = Positions();
    pelReversal_->SetReversalV(1);
    TestFrame out = Pass(in);
    for (int line = 0; line < 48; ++line)
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(in.Blue(x, 47 - line), out.Blue(x, line)) << x << "," << line;
            ASSERT_EQ(in.Green(x, 47 - line), out.Green(x, line)) << x << "," << line;
        }
    pelReversal_->SetReversalH(1);
    out = Pass(in);
    EXPECT_EQ(63, out.Blue(0, 0));
    EXPECT_EQ(47, out.Green(0, 0));
    EXPECT_EQ(0, out.Blue(63, 47));
    pelReversal_->SetReversalV(0);
    out = Pass(in);
    for (int line = 0; line < 48; ++line)
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(in.Blue(63 - x, line), out.Blue(x, line)) << x << "," << line;
            ASSERT_EQ(in.Green(63 - x, line), out.Green(x, line)) << x << "," << line;
        }
    EXPECT_TRUE(out.PaddingIntact());
}

TEST_F(FilterChain, TopDownVideoFlipsByPictureLines) {
    Build(30, -20);  // 90-byte rows padded to 92
    TestFrame in = Positions();
    pelReversal_->SetReversalV(1);
    TestFrame out = Pass(in);
    for (int line = 0; line < 20; ++line) ASSERT_EQ(19 - line, out.Green(5, line));
    EXPECT_TRUE(out.PaddingIntact());
}

TEST_F(FilterChain, RowsWiderThanThePictureKeepTheirMargin) {
    Build(64, 48, 60);  // a renderer's wider rows: the picture is the source rectangle's 60 columns
    TestFrame in = Positions();
    pelReversal_->SetReversalH(1);
    TestFrame out = Pass(in);
    for (int line = 0; line < 48; line += 5) {
        for (int x = 0; x < 60; ++x) ASSERT_EQ(59 - x, out.Blue(x, line)) << x << "," << line;
        for (int x = 60; x < 64; ++x) ASSERT_EQ(x, out.Blue(x, line)) << x << "," << line;
    }
}

TEST_F(FilterChain, MosaicFillsEachSquareWithItsMeanColour) {
    Build(64, 48);
    TestFrame in = Positions();
    pelReversal_->SetMosaicWidth(8);
    TestFrame out = Pass(in);
    for (int line = 0; line < 48; ++line)
        for (int x = 0; x < 64; ++x) {
            const int left = x / 8 * 8, top = line / 8 * 8;
            // Means of left..left+7 and top..top+7: left + 3.5 and top + 3.5.
            ASSERT_NEAR(left + 3.5, out.Blue(x, line), 0.5) << x << "," << line;
            ASSERT_NEAR(top + 3.5, out.Green(x, line), 0.5) << x << "," << line;
            ASSERT_EQ(7, out.Red(x, line));
            ASSERT_EQ(out.Blue(left, top), out.Blue(x, line));
        }
    pelReversal_->SetMosaicWidth(0);
    EXPECT_EQ(in.bytes, Pass(in).bytes);
}

TEST_F(FilterChain, ZoomEnlargesTheMiddleAboutTheCentre) {
    Build(160, 120);
    TestFrame in = Positions();
    for (int factor : {2, 4}) {
        pelReversal_->SetZoom(factor);
        TestFrame out = Pass(in);
        for (int line = 0; line < 120; line += 7)
            for (int x = 0; x < 160; x += 5) {
                // Output pixel centres land on the middle 1/factor of the picture, centre on centre.
                const double sourceX = 79.5 + (x - 79.5) / factor;
                const double sourceLine = 59.5 + (line - 59.5) / factor;
                ASSERT_NEAR(sourceX, out.Blue(x, line), 1.0) << factor << ": " << x << "," << line;
                ASSERT_NEAR(sourceLine, out.Green(x, line), 1.0) << factor << ": " << x << "," << line;
            }
    }
    pelReversal_->SetZoom(1);
    EXPECT_EQ(in.bytes, Pass(in).bytes);
}

TEST_F(FilterChain, PhotoFrameCoversWhereOpaqueAndMixesByItsFourthByte) {
    Build(64, 48);
    FrameBitmap frame(64, 48);
    for (int line = 0; line < 10; ++line)
        for (int x = 0; x < 64; ++x) frame.Set(x, line, 10, 20, 30, 255);
    frame.Set(40, 30, 200, 100, 0, 128);
    ASSERT_EQ(S_OK, pelFilter_->SetFrame(frame.pixels.data(), 64, 48));
    TestFrame in = Positions();
    TestFrame out = Pass(in);
    for (int line = 0; line < 48; ++line)
        for (int x = 0; x < 64; ++x) {
            if (line < 10) {
                ASSERT_EQ(10, out.Blue(x, line));
                ASSERT_EQ(20, out.Green(x, line));
                ASSERT_EQ(30, out.Red(x, line));
            } else if (!(x == 40 && line == 30)) {
                ASSERT_EQ(in.Blue(x, line), out.Blue(x, line)) << x << "," << line;
                ASSERT_EQ(in.Green(x, line), out.Green(x, line)) << x << "," << line;
            }
        }
    // (frame x 128 + video x 127) / 255, rounded; the video there is blue 40, green 30, red 7.
    EXPECT_EQ(std::lround((200 * 128 + 40 * 127) / 255.0), out.Blue(40, 30));
    EXPECT_EQ(std::lround((100 * 128 + 30 * 127) / 255.0), out.Green(40, 30));
    EXPECT_EQ(std::lround((0 * 128 + 7 * 127) / 255.0), out.Red(40, 30));

    ASSERT_EQ(S_OK, pelFilter_->SetFrame(nullptr, 0, 0));
    EXPECT_EQ(in.bytes, Pass(in).bytes);
}

TEST_F(FilterChain, FrameWithoutOpacityShowsTheVideoThroughItsCentreColour) {
    Build(64, 48);
    FrameBitmap frame(64, 48);
    for (int line = 0; line < 48; ++line)
        for (int x = 0; x < 64; ++x) {
            const bool border = x < 4 || x >= 60 || line < 4 || line >= 44;
            if (border)
                frame.Set(x, line, 0, 0, 255, 0);
            else
                frame.Set(x, line, 0, 255, 0, 0);
        }
    ASSERT_EQ(S_OK, pelFilter_->SetFrame(frame.pixels.data(), 64, 48));
    TestFrame in = Positions();
    TestFrame out = Pass(in);
    EXPECT_EQ(255, out.Red(0, 0));
    EXPECT_EQ(255, out.Red(63, 47));
    EXPECT_EQ(0, out.Green(2, 20));
    EXPECT_EQ(in.Blue(4, 4), out.Blue(4, 4));
    EXPECT_EQ(in.Green(30, 20), out.Green(30, 20));
    EXPECT_EQ(7, out.Red(59, 43));
}

TEST_F(FilterChain, FrameOfAnotherSizeIsScaledToTheVideo) {
    Build(64, 48);
    FrameBitmap frame(32, 24);
    for (int line = 0; line < 24; ++line)
        for (int x = 0; x < 32; ++x) frame.Set(x, line, 50, 60, 70, 255);
    pelFilter_->SetSize(64, 48);
    ASSERT_EQ(S_OK, pelFilter_->SetFrame(frame.pixels.data(), 32, 24));
    TestFrame out = Pass(Positions());
    for (int line = 0; line < 48; ++line)
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(50, out.Blue(x, line)) << x << "," << line;
            ASSERT_EQ(70, out.Red(x, line)) << x << "," << line;
        }
}

// The text mask of the program: one byte a pixel, 1 = ink, top row first.
const int kMaskWidth = 6, kMaskHeight = 3;
const BYTE kMask[kMaskHeight][kMaskWidth] = {
    {1, 1, 1, 1, 1, 1},
    {0, 1, 0, 0, 0, 0},
    {0, 1, 0, 0, 0, 0},
};

TEST_F(FilterChain, TextIsInkedInItsColourCentredAboveTheBottomTenth) {
    for (int height : {48, -48}) {
        SCOPED_TRACE(height);
        Build(64, height);
        ASSERT_EQ(S_OK, pelFilter_->SetText(&kMask[0][0], kMaskWidth, kMaskHeight, RGB(255, 128, 0)));
        TestFrame in = Positions();
        TestFrame out = Pass(in);
        const int left = (64 - kMaskWidth) / 2, top = 48 - 48 / 10 - kMaskHeight;
        for (int line = 0; line < 48; ++line)
            for (int x = 0; x < 64; ++x) {
                const bool inside =
                    x >= left && x < left + kMaskWidth && line >= top && line < top + kMaskHeight;
                if (inside && kMask[line - top][x - left]) {
                    ASSERT_EQ(0, out.Blue(x, line)) << x << "," << line;
                    ASSERT_EQ(128, out.Green(x, line)) << x << "," << line;
                    ASSERT_EQ(255, out.Red(x, line)) << x << "," << line;
                } else {
                    ASSERT_EQ(in.Blue(x, line), out.Blue(x, line)) << x << "," << line;
                    ASSERT_EQ(in.Red(x, line), out.Red(x, line)) << x << "," << line;
                }
            }
        ASSERT_EQ(S_OK, pelFilter_->SetText(nullptr, 0, 0, 0));
        EXPECT_EQ(in.bytes, Pass(in).bytes);
        control_->Stop();
        control_ = nullptr;
    }
}

TEST_F(FilterChain, OverlayComesBeforeTheReversalSoTheTextTurnsWithThePicture) {
    Build(64, 48);
    ASSERT_EQ(S_OK, pelFilter_->SetText(&kMask[0][0], kMaskWidth, kMaskHeight, RGB(255, 255, 255)));
    pelReversal_->SetReversalV(1);
    pelReversal_->SetReversalH(1);
    TestFrame out = Pass(Positions());
    const int left = (64 - kMaskWidth) / 2, top = 48 - 48 / 10 - kMaskHeight;
    // The stem of the "T" (column 1 of the mask, lines 1 and 2) after a half turn.
    EXPECT_EQ(255, out.Blue(63 - (left + 1), 47 - (top + 2)));
    EXPECT_EQ(255, out.Red(63 - (left + 1), 47 - (top + 1)));
    EXPECT_NE(255, out.Blue(63 - (left + 2), 47 - (top + 1)));
}

TEST_F(FilterChain, AShortSampleGoesOnUntouched) {
    Build(64, 48);
    pelReversal_->SetReversalV(1);
    pelFilter_->SetText(&kMask[0][0], kMaskWidth, kMaskHeight, RGB(255, 255, 255));
    TestFrame in = Positions();
    const long shortLength = static_cast<long>(in.bytes.size()) - 100;
    recorder_.Clear();
    ASSERT_HRESULT_SUCCEEDED(source_->Push(in.bytes, shortLength));
    std::vector<probe::Frame> frames = recorder_.Take();
    ASSERT_EQ(1u, frames.size());
    EXPECT_TRUE(std::equal(frames[0].bytes.begin(), frames[0].bytes.end(), in.bytes.begin()));
    EXPECT_EQ(static_cast<size_t>(shortLength), frames[0].bytes.size());
}

}  // namespace
