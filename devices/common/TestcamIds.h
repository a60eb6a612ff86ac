// Identities of the test devices: class ids, names, and their registration in the device categories.
#pragma once

#include "media/FilterRegistration.h"

namespace testcam {

// {2DC05B03-3392-4A88-A923-D35B176C68A4}
constexpr CLSID kClsidTestPatternCamera = {
    0x2DC05B03, 0x3392, 0x4A88, {0xA9, 0x23, 0xD3, 0x5B, 0x17, 0x6C, 0x68, 0xA4}};
// {2205615D-445E-4B61-9625-9C887923DF09}
constexpr CLSID kClsidTestToneMicrophone = {
    0x2205615D, 0x445E, 0x4B61, {0x96, 0x25, 0x9C, 0x88, 0x79, 0x23, 0xDF, 0x09}};
// {BA68C637-96D9-4358-8C65-3AA5A2E8B2AA}: the camera's property page.
constexpr CLSID kClsidTestCameraPage = {
    0xBA68C637, 0x96D9, 0x4358, {0x8C, 0x65, 0x3A, 0xA5, 0xA2, 0xE8, 0xB2, 0xAA}};

constexpr const wchar_t* kCameraName = L"Test Pattern Camera";
constexpr const wchar_t* kMicrophoneName = L"Test Tone Microphone";
constexpr const wchar_t* kCameraPageName = L"Test Pattern Camera Page";

// The camera and the microphone as registered in the video and audio input categories.
const media::FilterDescription& CameraDescription();
const media::FilterDescription& MicrophoneDescription();

}  // namespace testcam
