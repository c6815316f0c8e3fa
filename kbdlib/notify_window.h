// The library's hidden notification window ("ZOKUSBClass" / "ZOKUSBKEYMSG") and its idle
// message-loop thread. The manager's notification registrations and PathMatchesDevice are
// defined with them (notify_window.cpp).
#pragma once
#include <windows.h>

// Registers the class and makes the hidden window on the calling thread, stored as
// NotifyWindow. Returns 1 when the class was registered, 0 when not.
int CreateNotifyWindow();
LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
DWORD WINAPI IdleMessageLoop(LPVOID unused);
