// Names of the video settings dialog: the folder of a path and the numbered AVI name in a folder.
#pragma once

#include "framework/String.h"

// The text before the last backslash; empty when there is none.
CString FolderOfPath(const CString& path);

// `folder` + "\BRENIK-%05d.avi" filled with `counter`, e.g. D:\Rec\BRENIK-00042.avi.
CString NumberedAviName(const CString& folder, int counter);
