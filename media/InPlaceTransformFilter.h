// Base of in-place video filters: one input and one output pin, the same media type on both, and
// Transform() called on each sample before it goes downstream. Samples travel in the upstream
// allocator's buffers when the downstream pin accepts that allocator; otherwise (or when upstream
// marks its buffers read-only) each sample is copied into a buffer of the output allocator first.
// A filter that would leave the picture as it is skips that copy: the sample goes on uncopied,
// wrapped as read-only so that a filter further down copies before it writes.
#pragma once

#include "media/BaseFilter.h"
#include "media/TransformInputPin.h"
#include "media/TransformOutputPin.h"

namespace media {

class InPlaceTransformFilter : public BaseFilter {
  public:
    explicit InPlaceTransformFilter(const CLSID& clsid);

    int PinCount() override { return 2; }
    BasePin* PinAt(int index) override;

    // Negotiation hook: S_OK for the input types the filter works on. The default takes
    // uncompressed 24-bit video with a VIDEOINFOHEADER (MEDIASUBTYPE_RGB24, FORMAT_VideoInfo).
    virtual HRESULT CheckInputType(const AM_MEDIA_TYPE& type);
    // The input was connected with this type (picture size and the like can be taken here).
    virtual void OnInputTypeSet(const AM_MEDIA_TYPE& type) {}
    // Works on one sample in place, on the streaming thread. A failure drops the sample.
    virtual HRESULT Transform(IMediaSample* sample) = 0;
    // False while Transform would leave every picture as it is; such samples are passed on
    // without Transform, through PassedOn.
    virtual bool ChangesPictures() { return true; }
    // A sample that goes on without Transform (it may still carry a new media type).
    virtual void PassedOn(IMediaSample* sample) {}

    TransformInputPin& Input() { return input_; }
    TransformOutputPin& Output() { return output_; }

  private:
    TransformInputPin input_;
    TransformOutputPin output_;
};

}  // namespace media
