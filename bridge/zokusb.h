// The keyboard HID access library's five functions as the bridge imports them: by ordinal
// (2 to 6) from "ZOKUSB.dll", through the import library made from zokusb_ordinals.def.
#pragma once
#include <windows.h>

extern "C" {
__declspec(dllimport) int __stdcall InitDriver(HWND client, UINT key_report_message, int usage_page);
__declspec(dllimport) int __stdcall SetKbdFeatures(int usage_page, int usage, unsigned char* report);
__declspec(dllimport) int __stdcall RemoveDevice();
__declspec(dllimport) int __stdcall ReadDevice(int usage_page, int usage);
__declspec(dllimport) int __stdcall DeviceArrival();
}
