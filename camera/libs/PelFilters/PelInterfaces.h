// The private interfaces of the "Pel Overlay" and "Pel Reversal" filters and their class ids.
// Method order is the vtable order the camera program calls; never reorder or insert.
#pragma once

#include <windows.h>
#include <unknwn.h>

// "Pel Overlay": a photo frame and a line of text drawn over the picture.
// {414E80BF-864F-407A-9F33-A6DE03CC825E}
inline constexpr IID IID_IPelFilter = {
    0x414E80BF, 0x864F, 0x407A, {0x9F, 0x33, 0xA6, 0xDE, 0x03, 0xCC, 0x82, 0x5E}};
// {3008202E-1C94-492A-8309-94FEB1CEE6AB}
inline constexpr CLSID CLSID_PelOverlay = {
    0x3008202E, 0x1C94, 0x492A, {0x83, 0x09, 0x94, 0xFE, 0xB1, 0xCE, 0xE6, 0xAB}};

// "Pel Reversal": flips, mosaic and digital zoom.
// {CD532CCC-10BD-4090-BE8D-16D9C5DD0D39}
inline constexpr IID IID_IPelReversal = {
    0xCD532CCC, 0x10BD, 0x4090, {0xBE, 0x8D, 0x16, 0xD9, 0xC5, 0xDD, 0x0D, 0x39}};
// {C7069381-7B26-4CAD-8FE2-3BDFA4572D06}
inline constexpr CLSID CLSID_PelReversal = {
    0xC7069381, 0x7B26, 0x4CAD, {0x8F, 0xE2, 0x3B, 0xDF, 0xA4, 0x57, 0x2D, 0x06}};

struct IPelFilter : public IUnknown {
    // The photo frame: width x height pixels of 4 bytes (B, G, R, A), rows bottom-up as in a
    // 32-bit BMP file. The pixels are copied. (nullptr, 0, 0) removes the frame. A frame of
    // another size than the video is scaled to it. The fourth byte is the opacity (0 = video,
    // 255 = frame); a frame whose fourth bytes are all 0 is keyed instead: pixels of the colour
    // at its centre show the video, all others cover it.
    virtual HRESULT STDMETHODCALLTYPE SetFrame(const BYTE* pixels, int width, int height) = 0;
    // The picture size the filter works on: the connected video's, else the size last set.
    virtual HRESULT STDMETHODCALLTYPE GetSize(int* width, int* height) = 0;
    // The video size the caller prepares its frames for (used until the input is connected).
    virtual HRESULT STDMETHODCALLTYPE SetSize(int width, int height) = 0;
    // The text: a mask of one byte a pixel (1 = ink, 0 = video), top row first, drawn in the
    // COLORREF colour, centred across the picture just above its bottom tenth. The mask is copied.
    // (nullptr, 0, 0, 0) removes the text.
    virtual HRESULT STDMETHODCALLTYPE SetText(const BYTE* mask, int width, int height, COLORREF colour) = 0;
};

struct IPelReversal : public IUnknown {
    // The video size the caller expects (the filter works on the connected video's size).
    virtual HRESULT STDMETHODCALLTYPE SetSize(int width, int height) = 0;
    // 1 = upside down, 0 = as the camera sends it.
    virtual HRESULT STDMETHODCALLTYPE SetReversalV(int on) = 0;
    // 1 = mirrored left to right.
    virtual HRESULT STDMETHODCALLTYPE SetReversalH(int on) = 0;
    // Mosaic squares of this many pixels; 0 or 1 = none. Values are kept within 0..256.
    virtual HRESULT STDMETHODCALLTYPE SetMosaicWidth(int width) = 0;
    // Digital zoom about the centre, 1 to 4 times; values outside are taken as the nearest.
    virtual HRESULT STDMETHODCALLTYPE SetZoom(int factor) = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IPelFilter, 0x414E80BF, 0x864F, 0x407A, 0x9F, 0x33, 0xA6, 0xDE, 0x03, 0xCC, 0x82, 0x5E)
__CRT_UUID_DECL(IPelReversal, 0xCD532CCC, 0x10BD, 0x4090, 0xBE, 0x8D, 0x16, 0xD9, 0xC5, 0xDD, 0x0D, 0x39)
#endif
