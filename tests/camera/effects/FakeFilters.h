// Stand-ins for the two Pel filters: they record what the program sends through the private
// interfaces. An object with neither interface stands for a filter that lacks them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "camera/libs/PelFilters/PelInterfaces.h"

template <typename Interface>
class FakeComObject : public Interface {
  public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || (offers && iid == Iid())) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--references); }
    virtual REFIID Iid() const = 0;

    bool offers = true;
    long references = 1;  // lives on the test's stack
};

class FakeReversal : public FakeComObject<IPelReversal> {
  public:
    REFIID Iid() const override { return IID_IPelReversal; }
    STDMETHODIMP SetSize(int w, int h) override {
        calls.push_back({'S', w, h});
        return S_OK;
    }
    STDMETHODIMP SetReversalV(int on) override {
        calls.push_back({'V', on, 0});
        return S_OK;
    }
    STDMETHODIMP SetReversalH(int on) override {
        calls.push_back({'H', on, 0});
        return S_OK;
    }
    STDMETHODIMP SetMosaicWidth(int width) override {
        calls.push_back({'M', width, 0});
        return S_OK;
    }
    STDMETHODIMP SetZoom(int factor) override {
        calls.push_back({'Z', factor, 0});
        return S_OK;
    }
    struct Call {
        char what;
        int a, b;
        bool operator==(const Call& o) const { return what == o.what && a == o.a && b == o.b; }
    };
    std::vector<Call> calls;
};

class FakeOverlay : public FakeComObject<IPelFilter> {
  public:
    REFIID Iid() const override { return IID_IPelFilter; }
    STDMETHODIMP SetFrame(const BYTE* pixels, int w, int h) override {
        ++frameCalls;
        frameWidth = w;
        frameHeight = h;
        frame.assign(pixels, pixels ? pixels + static_cast<size_t>(w) * static_cast<size_t>(h) * 4 : pixels);
        return S_OK;
    }
    STDMETHODIMP GetSize(int* w, int* h) override { return E_NOTIMPL; }
    STDMETHODIMP SetSize(int w, int h) override { return S_OK; }
    STDMETHODIMP SetText(const BYTE* bits, int w, int h, COLORREF c) override {
        ++textCalls;
        textWidth = w;
        textHeight = h;
        colour = c;
        mask.assign(bits, bits ? bits + static_cast<size_t>(w) * static_cast<size_t>(h) : bits);
        return S_OK;
    }
    int frameCalls = 0, frameWidth = -1, frameHeight = -1;
    std::vector<std::uint8_t> frame;
    int textCalls = 0, textWidth = -1, textHeight = -1;
    COLORREF colour = 0;
    std::vector<std::uint8_t> mask;
};
