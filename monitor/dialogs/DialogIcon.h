// Every Orvello dialog shows the program's icon (resource 128) as its big and small icon.
#pragma once

#include "framework/Wnd.h"

void SetProgramIcon(const CWnd& dialog);
