#include "main_window/key_pictures.h"

#include <windows.h>

#include "store/contracts.h"
#include "store/scheme_records.h"

namespace {

constexpr PictureChoice kLinkPicture{PictureList::kLink, 0};
constexpr PictureChoice kBrowserPicture{PictureList::kDefFn, 1};
constexpr wchar_t kComputerLink[] = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

PictureChoice VirtualKeyPicture(int32_t vkey) {
  switch (vkey) {
    case 27: return {PictureList::kNumPadFn, 0};   // ESC
    case 8: return {PictureList::kNumPadFn, 8};    // backspace
    case 9: return {PictureList::kNumPadFn, 9};    // tab
    case 46: return {PictureList::kNumPadFn, 10};  // delete
    default: return {PictureList::kKeyDefault, 0};
  }
}

}  // namespace

PictureChoice FunctionIconTable(int32_t function, int32_t vkey) {
  switch (function) {
    case 2: return {PictureList::kDefFn, 4};
    case 5: return {PictureList::kNumPadFn, 11};
    case 6: return {PictureList::kMediaFn, 0};
    case 7: return {PictureList::kMediaFn, 2};
    case 8: return {PictureList::kMediaFn, 1};
    case 9: return {PictureList::kDefFn, 6};
    case 10: return {PictureList::kNumPadFn, 3};
    case 11: return {PictureList::kNumPadFn, 4};
    case FunctionCurrency: return {PictureList::kNumPadFn, 12};
    case FunctionVirtualKey: return VirtualKeyPicture(vkey);
    case FunctionTabLeft: return {PictureList::kNumPadFn, 2};
    case FunctionPercent: return {PictureList::kNumPadFn, 1};
    default: return kLinkPicture;
  }
}

PictureChoice DefaultKeyPicture(int key, int32_t numhkbtns, int factory_pictures) {
  if (key >= 0 && key < numhkbtns && key < factory_pictures) return {PictureList::kDefKVFn, key};
  return kBrowserPicture;
}

bool IsComputerLink(const std::wstring& linkto, bool yev) {
  return yev && !linkto.empty() && linkto == kComputerLink;
}

std::wstring KeyPictureFile(const std::wstring& install_folder, int number) {
  return install_folder + contracts::kKeyPicturePrefix + std::to_wstring(number) + contracts::kKeyPictureSuffix;
}

bool AllKeyPictureFilesExist(const std::wstring& install_folder) {
  for (int n = 1; n <= contracts::kKeyPictureCount; ++n) {
    const DWORD attributes = GetFileAttributesW(KeyPictureFile(install_folder, n).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  }
  return true;
}
