#include "key_bridge_app.h"

#include "bridge_rules.h"
#include "contracts/key_bridge.h"
#include "key_bridge_dialog.h"

namespace bridge {

namespace {

KeyBridgeApp the_app;

}  // namespace

bool KeyBridgeApp::InitInstance() {
  HWND running = FindWindowA(contracts::kBridgeWindowClass, contracts::kBridgeWindowTitle);
  bool quit = AsksToQuit(arguments());
  if (running) {
    if (quit) PostMessageA(running, WM_QUIT, 0, 0);
    return false;
  }
  if (quit) return false;
  KeyBridgeDialog dialog;
  dialog.DoModal();
  return false;
}

}  // namespace bridge

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return bridge::the_app.Run(instance);
}
