// Stand-in for the help starter: logs its start, command line and working folder, then ends.
#include <windows.h>

#include "standin_log.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  standin::LogStart("HelpStarter");
  return 0;
}
