// Which small picture a key row shows: the function table, the default picture of a key and
// the YEV computer link, as plain rules; the window applies them to its image lists.
#pragma once
#include <cstdint>
#include <string>

// The image list a picture comes from. kLink: the key's link target decides (its associated
// icon, else the key's default picture); kKeyDefault: the key's default picture.
enum class PictureList { kLink, kKeyDefault, kDefKVFn, kDefFn, kNumPadFn, kMediaFn };

struct PictureChoice {
  PictureList list;
  int index;
};

inline bool operator==(const PictureChoice& a, const PictureChoice& b) {
  return a.list == b.list && a.index == b.index;
}

// The picture of a key by its function code (code 13 by its virtual key). Codes 0, 1, 3, 4 and
// any code outside 0 .. 15 are links. A virtual key without a picture of its own (13 with a
// vkey other than 8, 9, 27, 46) shows the key's default picture.
PictureChoice FunctionIconTable(int32_t function, int32_t vkey);

// The default picture of key `key`: its factory picture when the key is below `numhkbtns`
// and the factory list has a picture for it (`factory_pictures` entries), otherwise the
// default picture of the general list (the web browser).
PictureChoice DefaultKeyPicture(int key, int32_t numhkbtns, int factory_pictures);

// The link target that shows the computer picture: YEV only, compared exactly.
bool IsComputerLink(const std::wstring& linkto, bool yev);
constexpr PictureChoice kComputerPicture{PictureList::kDefFn, 7};

// YEV key picture file `number` (1 to 8): install folder + "\icons\key" + number + ".ico".
std::wstring KeyPictureFile(const std::wstring& install_folder, int number);
// Whether all eight key picture files exist as files; a folder of such a name counts as missing.
bool AllKeyPictureFilesExist(const std::wstring& install_folder);
