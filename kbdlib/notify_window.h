// The library's hidden notification window (contracts::kLibraryWindowClass / Title) and its idle
// message-loop thread. The window decodes what reaches it and hands it to the handlers its
// creator gives; it knows nothing of the device table.
#pragma once
#include <windows.h>

#include "device_change.h"

struct NotifyWindowHandlers {
  // A WM_DEVICECHANGE notification, decoded.
  void (*device_change)(const DeviceChange& change);
  // A reader's report message: device-table index and report address, as sent.
  void (*reader_report)(WPARAM index, LPARAM report);
};

// The hidden window made by CreateNotifyWindow, or nullptr.
extern HWND NotifyWindow;

// Registers the class in `module` and makes the hidden window on the calling thread, stored
// as NotifyWindow; removal names are read as UTF-16 with `wide_names`. Starts the idle
// thread. Returns 1 when the class was registered, 0 when not.
int CreateNotifyWindow(HINSTANCE module, bool wide_names, const NotifyWindowHandlers& handlers);
LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
DWORD WINAPI IdleMessageLoop(LPVOID unused);
