#include "media/MediaType.h"

#include <gtest/gtest.h>

namespace {

TEST(MediaType, Rgb24TypeDescribesPaddedRows) {
    media::MediaType mt;
    ASSERT_EQ(S_OK, media::MakeRgb24VideoType(mt.Get(), 161, 121, 333333));
    const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(mt.Get());
    ASSERT_NE(nullptr, vih);
    EXPECT_EQ(484, media::Rgb24Stride(161));  // 483 bytes rounded up to four
    EXPECT_EQ(484u * 121, vih->bmiHeader.biSizeImage);
    EXPECT_EQ(484u * 121, mt.Get().lSampleSize);
    EXPECT_EQ(333333, vih->AvgTimePerFrame);
    EXPECT_TRUE(mt.Get().bFixedSizeSamples);
}

TEST(MediaType, HeaderCheckRejectsWhatIsNotPlainRgb24) {
    media::MediaType mt;
    ASSERT_EQ(S_OK, media::MakeRgb24VideoType(mt.Get(), 320, 240, 333333));
    AM_MEDIA_TYPE bad = mt.Get();
    bad.subtype = MEDIASUBTYPE_RGB32;
    EXPECT_EQ(nullptr, media::Rgb24VideoHeader(bad));
    bad = mt.Get();
    bad.cbFormat = sizeof(VIDEOINFOHEADER) - 1;  // too short to hold the header
    EXPECT_EQ(nullptr, media::Rgb24VideoHeader(bad));
    bad = mt.Get();
    bad.pbFormat = nullptr;
    EXPECT_EQ(nullptr, media::Rgb24VideoHeader(bad));
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(mt.Get().pbFormat);
    vih->bmiHeader.biWidth = 0;
    EXPECT_EQ(nullptr, media::Rgb24VideoHeader(mt.Get()));
    vih->bmiHeader.biWidth = 320;
    vih->bmiHeader.biHeight = -240;  // top-down is still RGB24
    EXPECT_NE(nullptr, media::Rgb24VideoHeader(mt.Get()));
}

TEST(MediaType, CopyIsDeepAndEqualityLooksAtTheFormat) {
    media::MediaType a, b;
    ASSERT_EQ(S_OK, media::MakeRgb24VideoType(a.Get(), 320, 240, 333333));
    ASSERT_EQ(S_OK, b.Set(a.Get()));
    EXPECT_NE(a.Get().pbFormat, b.Get().pbFormat);
    EXPECT_TRUE(media::MediaTypesEqual(a.Get(), b.Get()));
    reinterpret_cast<VIDEOINFOHEADER*>(b.Get().pbFormat)->bmiHeader.biWidth = 352;
    EXPECT_FALSE(media::MediaTypesEqual(a.Get(), b.Get()));

    AM_MEDIA_TYPE* made = media::CreateMediaType(a.Get());
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(media::MediaTypesEqual(a.Get(), *made));
    media::DeleteMediaType(made);
    media::DeleteMediaType(nullptr);
}

TEST(MediaType, PartialTypesMatchOnTheirNonNullFields) {
    media::MediaType full;
    ASSERT_EQ(S_OK, media::MakeRgb24VideoType(full.Get(), 320, 240, 333333));
    AM_MEDIA_TYPE partial = {};
    EXPECT_TRUE(media::MediaTypeMatchesPartial(full.Get(), nullptr));
    EXPECT_TRUE(media::MediaTypeMatchesPartial(full.Get(), &partial));
    partial.majortype = MEDIATYPE_Video;
    partial.subtype = MEDIASUBTYPE_RGB24;
    EXPECT_TRUE(media::MediaTypeMatchesPartial(full.Get(), &partial));
    partial.majortype = MEDIATYPE_Audio;
    EXPECT_FALSE(media::MediaTypeMatchesPartial(full.Get(), &partial));
}

TEST(MediaType, FreeReleasesTheUnknownAndClears) {
    struct Counted : IUnknown {
        LONG refs = 1;
        STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
        STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
        STDMETHODIMP_(ULONG) Release() override { return --refs; }
    } unknown;
    media::MediaType a;
    ASSERT_EQ(S_OK, media::MakeRgb24VideoType(a.Get(), 16, 16, 0));
    a.Get().pUnk = &unknown;
    unknown.AddRef();
    {
        media::MediaType b;
        ASSERT_EQ(S_OK, b.Set(a.Get()));
        EXPECT_EQ(3, unknown.refs);
    }
    EXPECT_EQ(2, unknown.refs);
    a.Clear();
    EXPECT_EQ(1, unknown.refs);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(nullptr, a.Get().pbFormat);
}

}  // namespace
