#include "camera/photo/PhotoFileName.h"

#include <cwchar>

std::wstring PhotoFileName(const PhotoTime& t) {
    wchar_t name[96];
    std::swprintf(name, sizeof name / sizeof name[0], L"%04d_%02d_%02d_%02d_%02d_%02d_%d.jpg", t.year,
                  t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
    return name;
}
