// Message boxes and the wide open-file dialog.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace form {

class Form;

// Code-page message box (MessageBoxA); `owner` may be null. Returns the button pressed.
int MessageBoxCodePage(Form* owner, const std::string& text, const std::string& caption, UINT type);
// Unicode message box (MessageBoxW); a null caption gives the system's default caption.
int MessageBoxWide(Form* owner, const std::wstring& text, const wchar_t* caption, UINT type);

// Turns a filter "Text|*.EXT|Text|*.EXT" into the list of zero-terminated strings that the
// open-file dialog wants (ending in two zeros). An odd last part is taken as a pattern-less
// description and dropped.
std::vector<wchar_t> FilterToDialogList(const std::wstring& filter);

class OpenDialog {
 public:
  std::wstring filter;            // "Text|*.EXT|..."
  int filter_index = 1;           // 1-based, as the dialog counts
  std::wstring initial_dir;
  std::wstring file_name;         // chosen name after Execute; kept as the next start name
  DWORD options = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;

  // Runs the dialog; true with `file_name` set when the user chose a file.
  bool Execute(Form* owner);
};

}  // namespace form
