// Helpers for AM_MEDIA_TYPE: the format block and pUnk are owned by the structure (CoTaskMem).
#pragma once

#include "media/DShow.h"

namespace media {

// Frees the format block and the pUnk reference; the structure itself stays.
void FreeMediaType(AM_MEDIA_TYPE& mt);
// Frees a structure made by CreateMediaType (or handed out by a pin or enumerator).
void DeleteMediaType(AM_MEDIA_TYPE* mt);
// Deep copy into dst (which must hold nothing); E_OUTOFMEMORY leaves dst empty.
HRESULT CopyMediaType(AM_MEDIA_TYPE& dst, const AM_MEDIA_TYPE& src);
// A CoTaskMem copy, as IEnumMediaTypes and IAMStreamConfig hand out; null on failure.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE& src);
// Same major type, subtype, format type and format bytes.
bool MediaTypesEqual(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);
// True when every GUID_NULL field of the partial type is a wildcard and the rest match.
bool MediaTypeMatchesPartial(const AM_MEDIA_TYPE& full, const AM_MEDIA_TYPE* partial);

// Uncompressed 24-bit video with a VIDEOINFOHEADER: width, height (positive = bottom-up) and
// frame duration in 100 ns units. Fills mt (which must hold nothing).
HRESULT MakeRgb24VideoType(AM_MEDIA_TYPE& mt, int width, int height, REFERENCE_TIME frameDuration);
// Returns the header when mt is RGB24 video with a sane VIDEOINFOHEADER, else null.
const VIDEOINFOHEADER* Rgb24VideoHeader(const AM_MEDIA_TYPE& mt);
// Bytes of one row of a 24-bit DIB (rows are padded to four bytes).
inline int Rgb24Stride(int width) {
    return (width * 3 + 3) & ~3;
}

// Owns one AM_MEDIA_TYPE for a scope or as a member.
class MediaType {
  public:
    MediaType() : mt_() {}
    ~MediaType() { FreeMediaType(mt_); }
    MediaType(const MediaType&) = delete;
    MediaType& operator=(const MediaType&) = delete;

    AM_MEDIA_TYPE& Get() { return mt_; }
    const AM_MEDIA_TYPE& Get() const { return mt_; }
    bool Empty() const { return mt_.majortype == GUID_NULL; }
    HRESULT Set(const AM_MEDIA_TYPE& src) {
        Clear();
        return CopyMediaType(mt_, src);
    }
    void Clear() {
        FreeMediaType(mt_);
        mt_ = AM_MEDIA_TYPE();
    }

  private:
    AM_MEDIA_TYPE mt_;
};

}  // namespace media
