// The desktop work area (the screen without task bars), read through one replaceable source
// so that tests can give the layout any work area.
#pragma once
#include <windows.h>

#include <functional>

namespace form {

RECT WorkArea();
// Replaces the source of WorkArea(); an empty function restores the system's
// (SystemParametersInfo SPI_GETWORKAREA).
void SetWorkAreaSource(std::function<RECT()> source);

}  // namespace form
