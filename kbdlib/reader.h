// Reader threads: one per read collection, delivering 32-byte input reports to the hidden
// window. The manager's StartReader, StopReader, StopAllReaders and CloseDeviceHandle are
// defined with them (reader.cpp); SendFeatureReport in feature_report.cpp.
#pragma once
#include <windows.h>

constexpr int kInputReportLength = 32;
constexpr UINT ReaderNoticeMessage = 0x501;
constexpr UINT ReaderReportMessage = 0x502;

// The window every reader delivers to; StartReader copies the manager's notification window.
extern HWND ReaderWindow;

// Thread routine of one reader; exit code 0 when stopped, 1 when a read was refused.
DWORD WINAPI ReaderThread(LPVOID argument);
