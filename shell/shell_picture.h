// Pictures of type "JPEG" from the program's resources, decoded by the
// platform's picture service and drawn into a rectangle.
#pragma once

#include <windows.h>

namespace fm::win32 {

// Draws the picture stretched to `box`; false when it cannot be decoded.
bool DrawResourcePicture(HDC dc, HINSTANCE instance, int resourceId, const RECT& box);

}  // namespace fm::win32
