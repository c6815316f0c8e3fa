#include "dialogs.h"

#include <commdlg.h>

#include "form.h"

namespace form {

int MessageBoxCodePage(Form* owner, const std::string& text, const std::string& caption, UINT type) {
  return MessageBoxA(owner ? owner->Handle() : nullptr, text.c_str(), caption.c_str(), type);
}

int MessageBoxWide(Form* owner, const std::wstring& text, const wchar_t* caption, UINT type) {
  return MessageBoxW(owner ? owner->Handle() : nullptr, text.c_str(), caption, type);
}

std::vector<wchar_t> FilterToDialogList(const std::wstring& filter) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= filter.size() && !filter.empty()) {
    size_t bar = filter.find(L'|', start);
    if (bar == std::wstring::npos) bar = filter.size();
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  if (parts.size() % 2) parts.pop_back();
  std::vector<wchar_t> list;
  for (const std::wstring& part : parts) {
    list.insert(list.end(), part.begin(), part.end());
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  if (list.size() == 1) list.push_back(L'\0');
  return list;
}

namespace {

// The common dialogs' library is loaded at the first file dialog, not at every start.
BOOL ShowOpenFileDialog(OPENFILENAMEW* dialog) {
  using OpenFileName = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const OpenFileName open_file_name = [] {
    HMODULE library = LoadLibraryW(L"comdlg32.dll");
    return library ? reinterpret_cast<OpenFileName>(
                         reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameW")))
                   : nullptr;
  }();
  return open_file_name ? open_file_name(dialog) : FALSE;
}

}  // namespace

bool OpenDialog::Execute(Form* owner) {
  std::vector<wchar_t> filters = FilterToDialogList(filter);
  std::vector<wchar_t> name(32768, L'\0');
  file_name.copy(name.data(), name.size() - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner ? owner->Handle() : nullptr;
  dialog.lpstrFilter = filters.data();
  dialog.nFilterIndex = static_cast<DWORD>(filter_index);
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrInitialDir = initial_dir.empty() ? nullptr : initial_dir.c_str();
  dialog.Flags = options;
  if (!ShowOpenFileDialog(&dialog)) return false;
  file_name = name.data();
  filter_index = static_cast<int>(dialog.nFilterIndex);
  return true;
}

}  // namespace form
