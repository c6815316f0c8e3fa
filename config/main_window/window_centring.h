// Centring of a window on the desktop work area: only the work area's right and bottom edges
// count, so a task bar on the left or at the top does not move the centre.
#pragma once
#include <windows.h>

// Left and top of a window of the given outer size; both halvings truncate toward zero.
POINT CentredOrigin(const RECT& work_area, int width, int height);
