// A small Video for Windows compressor installed in-process for the tests ('YTST'): it takes 24-bit
// frames and stores them as 16-bit 5-6-5 pixels, and decodes them back to 24-bit. It lets the tests
// run the ICCompress path where the platform has no compressor for 24-bit video.
#pragma once

#include <windows.h>

namespace capture_test {

extern const DWORD kTestCodec;  // 'YTST'
// Installs the codec once; true when ICOpen finds it.
bool InstallTestCodec();

}  // namespace capture_test
