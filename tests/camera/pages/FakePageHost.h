// A main frame stand-in for the pages: records every picture operation it is asked for.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "camera/pages/PageHost.h"

struct FakePageHost : PageHost {
    struct Reversal {
        int vertical, horizontal, mosaic;
        bool operator==(const Reversal& o) const {
            return vertical == o.vertical && horizontal == o.horizontal && mosaic == o.mosaic;
        }
    };
    struct Text {
        std::wstring text;
        CharFormatRecord format;
    };

    bool ApplyReversal(int vertical, int horizontal, int mosaic) override {
        reversals.push_back({vertical, horizontal, mosaic});
        return true;
    }
    void ApplyZoom(int zoomOut) override { zooms.push_back(zoomOut); }
    void ApplyPowerLineFrequency(int frequency) override { frequencies.push_back(frequency); }
    void ApplyPhotoFrame(const std::wstring& name) override { frames.push_back(name); }
    bool ApplyTextOverlay(const std::wstring& text, const CharFormatRecord& format) override {
        texts.push_back({text, format});
        return true;
    }
    void ResizeToDisplaySize() override { ++resizes; }
    void PreparePhotoBuffer() override { ++photoBuffers; }
    std::wstring ProgramFolder() const override { return programFolder; }
    CZelParser* SettingsDocument() override { return document; }

    std::vector<Reversal> reversals;
    std::vector<int> zooms, frequencies;
    std::vector<std::wstring> frames;
    std::vector<Text> texts;
    int resizes = 0, photoBuffers = 0;
    std::wstring programFolder;
    CZelParser* document = nullptr;
};
