// The outline of a skinned button, built from its black-and-white mask bitmap.
#pragma once

#include <windows.h>

// A region of the mask's pixels that are not `outside`, in the mask's own coordinates: the union of
// one rectangle per run of such pixels on each row. A mask without inside pixels gives an empty
// region. Null (and a log line) when the mask cannot be read or GDI fails. The caller owns the result.
HRGN CreateRegionFromMask(HBITMAP mask, COLORREF outside);
