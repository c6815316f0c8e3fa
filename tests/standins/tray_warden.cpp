// Stand-in for the tray-icon program: window class "TForm1", title "TrayWarden"; logs every
// message from WM_USER upwards.
#include <windows.h>

#include "standin_log.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  standin::LogStart("TrayWarden");
  return standin::RunLoggingWindow("TrayWarden", "TForm1", "TrayWarden", nullptr);
}
