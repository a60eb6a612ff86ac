// The photo's file name from the local time: "%04d_%02d_%02d_%02d_%02d_%02d_%d.jpg" (year, month,
// day, hour, minute, second, millisecond without leading zeros), e.g. 2010_03_30_06_46_23_7.jpg.
#pragma once

#include <string>

struct PhotoTime {
    int year, month, day, hour, minute, second, millisecond;
};

std::wstring PhotoFileName(const PhotoTime& time);
