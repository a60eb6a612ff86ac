// Builds without the AVI writer: our multiplexer is not available.
#include "media/avi/AviFileMux.h"

namespace media::avi {

HRESULT CreateAviFileMux(REFIID, void** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

}  // namespace media::avi
