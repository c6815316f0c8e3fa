// Window classes of the layer's own child windows (panels, images).
#pragma once
#include <windows.h>

namespace form {

// Registers, once per name, a plain child window class with the button-face background and
// the arrow cursor; painting is left to the control's own window procedure.
void RegisterChildWindowClass(const wchar_t* name);

}  // namespace form
