// zokclean: deletes every file directly inside the data folder C:\KVZOK, then removes the
// folder. Windowless, silent, ignores its command line and always exits with 0.
#include <windows.h>

namespace {

const wchar_t kSearchPattern[] = L"C:\\KVZOK\\*.*";
const wchar_t kPathPrefix[] = L"C:\\KVZOK\\";
const wchar_t kDataFolder[] = L"C:\\KVZOK";

constexpr size_t kPrefixLength = sizeof(kPathPrefix) / sizeof(wchar_t) - 1;

// Large enough for the prefix and any name a directory listing can return (cFileName holds
// MAX_PATH characters with its terminator), so no entry is ever cut or overruns the buffer.
constexpr size_t kPathBufferLength = kPrefixLength + MAX_PATH;

// Every entry goes to the deletion, "." and ".." and subfolders too: DeleteFileW refuses
// those, which leaves them (and so the folder) in place.
void DeleteEntry(const wchar_t* name) {
  wchar_t path[kPathBufferLength];
  lstrcpynW(path, kPathPrefix, kPathBufferLength);
  lstrcpynW(path + kPrefixLength, name, kPathBufferLength - kPrefixLength);
  DeleteFileW(path);
}

void DeleteFilesInDataFolder() {
  WIN32_FIND_DATAW entry;
  HANDLE listing = FindFirstFileW(kSearchPattern, &entry);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    DeleteEntry(entry.cFileName);
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  DeleteFilesInDataFolder();
  RemoveDirectoryW(kDataFolder);
  return 0;
}
