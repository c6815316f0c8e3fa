// Sends one window message from a process of its own, as a foreign program would:
//   reader_message_sender <window> <message> <wparam> <lparam>   (all hexadecimal)
// Exits with 0 when the message was delivered, 1 when not, 2 on bad arguments.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 5) return 2;
  auto number = [](int i) { return static_cast<ULONG_PTR>(strtoul(__argv[i], nullptr, 16)); };
  HWND window = reinterpret_cast<HWND>(number(1));
  DWORD_PTR answer = 0;
  LRESULT sent = SendMessageTimeoutA(window, static_cast<UINT>(number(2)), number(3),
                                     static_cast<LPARAM>(number(4)), SMTO_NORMAL, 10000, &answer);
  return sent ? 0 : 1;
}
