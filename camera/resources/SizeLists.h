// The output size list (combo box 1007, stored as DisplaySize) and the photo size list (combo box
// 1003, stored as PhotoSize), in list order. Entry 10 of the output list is written with '*'.
#pragma once

struct SizeListEntry {
    const wchar_t* text;
    int width;
    int height;
};

constexpr SizeListEntry kOutputSizes[] = {
    {L"160x120", 160, 120},     {L"176x144", 176, 144},     {L"320x240", 320, 240},
    {L"352x288", 352, 288},     {L"640x480", 640, 480},     {L"1280x1024", 1280, 1024},
    {L"1600x1200", 1600, 1200}, {L"2048x1536", 2048, 1536}, {L"2304x1728", 2304, 1728},
    {L"2560x1920", 2560, 1920}, {L"3876*2584", 3876, 2584}, {L"4000x3000", 4000, 3000},
    {L"5160x3870", 5160, 3870},
};
constexpr int kOutputSizeCount = sizeof(kOutputSizes) / sizeof(kOutputSizes[0]);

constexpr SizeListEntry kPhotoSizes[] = {
    {L"160x120", 160, 120},     {L"176x144", 176, 144},     {L"320x240", 320, 240},
    {L"352x288", 352, 288},     {L"640x480", 640, 480},     {L"800x600", 800, 600},
    {L"1024x768", 1024, 768},   {L"1280x960", 1280, 960},   {L"1280x1024", 1280, 1024},
    {L"1600x1200", 1600, 1200}, {L"2592x1944", 2592, 1944}, {L"2848x2136", 2848, 2136},
    {L"3264x2448", 3264, 2448}, {L"3648x2736", 3648, 2736}, {L"4000x3000", 4000, 3000},
    {L"5160x3870", 5160, 3870},
};
constexpr int kPhotoSizeListCount = sizeof(kPhotoSizes) / sizeof(kPhotoSizes[0]);

// Output size of an index; any other index means the camera's own picture size.
constexpr SizeListEntry OutputSizeOrVideo(int index, int videoWidth, int videoHeight) {
    return index >= 0 && index < kOutputSizeCount ? kOutputSizes[index]
                                                  : SizeListEntry{nullptr, videoWidth, videoHeight};
}

// Photo size of an index; any other index means 640 x 480.
constexpr SizeListEntry PhotoSizeOrDefault(int index) {
    return index >= 0 && index < kPhotoSizeListCount ? kPhotoSizes[index] : kPhotoSizes[4];
}

static_assert(kOutputSizeCount == 13 && kPhotoSizeListCount == 16, "thirteen output and sixteen photo sizes");
