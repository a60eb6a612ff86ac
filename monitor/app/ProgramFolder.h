// The folder of the program file: its full path cut before the last backslash.
#pragma once

#include "framework/String.h"

CString ProgramFolder();
