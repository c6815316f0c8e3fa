// The library's five exported functions (stdcall; exported by name and by ordinals 2 to 6
// through exports.def.in). The client calls them all on the thread that called InitDriver.
#pragma once
#include <windows.h>

extern "C" {
// Stores the client window, key-report message number and usage page, makes the hidden
// window, registers for interface notifications and enumerates. Returns 1.
int __stdcall InitDriver(HWND client_window, UINT key_report_message, int usage_page);
// Sends the 5-byte feature report to every collection of the vendor with this usage page
// and usage, opening a closed one just for the send. Returns 1.
int __stdcall SetKbdFeatures(int usage_page, int usage, void* report);
// Stops every reader and closes every open collection of the vendor. Returns 1.
int __stdcall RemoveDevice();
// Starts a reader for each qualifying collection (at most 10 per call). Returns 1.
int __stdcall ReadDevice(int usage_page, int usage);
// Enumerates afresh and posts the device present or absent message to the client.
// Returns the PostMessageA result.
int __stdcall DeviceArrival();
}
