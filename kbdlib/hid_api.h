// The platform's HID and device-setup interfaces. mingw's hid headers lack C linkage.
#pragma once
#include <windows.h>
#include <setupapi.h>

extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}
