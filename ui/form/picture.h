// Pictures: the image control (an icon or a bitmap, with a canvas to draw text on the
// bitmap), 16 x 16 image lists, and JPEG decoding.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "component.h"

namespace form {

// Decodes a baseline or progressive JPEG (grey or colour) into a 32-bit top-down DIB section
// of the picture's size. Raises form::Error when the data is not a readable JPEG.
HBITMAP DecodeJpeg(const unsigned char* data, size_t size);
// The bytes of a resource of type RCDATA in the running program; empty when missing.
std::vector<unsigned char> ReadDataResource(const std::string& name);

class ImageList;
class Image;

// Drawing on an image's bitmap. Valid while the Image lives and keeps the same bitmap.
class Canvas {
 public:
  explicit Canvas(Image& image);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC Handle() const { return dc_; }
  // The canvas's font as created: the default font ("MS Sans Serif", 8 points).
  form::Font& Font() { return font_; }
  void SetTransparentText(bool transparent);
  void SetTextColor(COLORREF color);
  void TextOut(int x, int y, const std::wstring& text);
  void TextOutA(int x, int y, const std::string& text);

 private:
  Image& image_;
  HDC dc_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  form::Font font_;
};

class Image : public Control {
 public:
  Image(Form* owner, const ComponentRow& row, Control* parent);
  ~Image() override;

  bool HasPicture() const { return icon_ != nullptr || bitmap_ != nullptr || list_ != nullptr; }
  // The icon shown (for a list entry, a copy of it made at the first call), or null.
  HICON Icon() const;
  HBITMAP Bitmap() const { return bitmap_; }
  // The image keeps its own copy; the caller keeps `icon`.
  void SetIcon(HICON icon);
  // Entry `index` of `list`, drawn from the list (which must outlive the picture) as it holds
  // the entry at each paint; an index outside the list leaves the picture empty.
  void SetIconFromList(const ImageList& list, int index);
  // An icon file; raises form::Error when it cannot be read as an icon.
  void LoadIconFile(const std::wstring& path);
  void LoadIconResource(const std::string& name);
  // JPEG data carried as an RCDATA resource; raises form::Error when missing or unreadable.
  void LoadJpegResource(const std::string& name);
  // The image takes ownership of `bitmap`.
  void SetBitmap(HBITMAP bitmap);
  void Clear();
  // Picture size in pixels (0 x 0 when empty).
  SIZE PictureSize() const;
  // A canvas on the bitmap; raises form::Error when the image holds no bitmap.
  Canvas& GetCanvas();

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  friend class Canvas;
  void Paint(HDC dc);
  void PictureChanged();

  HICON icon_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  const ImageList* list_ = nullptr;
  int list_index_ = 0;
  mutable HICON list_icon_ = nullptr;  // what Icon() made of the list entry
  bool auto_size_ = false;
  std::unique_ptr<Canvas> canvas_;
};

// A list of 16 x 16 pictures (no window). Indexes outside 0 .. Count()-1 raise form::Error.
// The icon resources a layout row names are read entry by entry, when an entry is first used:
// entries a run never shows cost nothing (a missing resource raises form::Error at that use).
// Copies of such an entry into another list are made from the icon read, which the list keeps.
class ImageList : public Component {
 public:
  ImageList(Form* owner, const ComponentRow& row);
  ~ImageList() override;

  // The platform's list, holding every entry.
  HIMAGELIST Handle() const;
  int Count() const;
  // Appends a copy of `icon`; returns its index.
  int AddIcon(HICON icon);
  // Appends a copy of entry `index` of `other`.
  int AddFrom(const ImageList& other, int index);
  // Replaces entry `index` by a copy of `icon` (the caller keeps `icon`).
  void ReplaceIcon(int index, HICON icon);
  void ReplaceFrom(int index, const ImageList& other, int other_index);
  // A new icon of entry `index`, owned by the caller.
  HICON GetIcon(int index) const;
  // Draws entry `index` with its mask at x, y.
  void Draw(int index, HDC dc, int x, int y) const;
  void Clear();

 private:
  // An entry still as the resource it is read from: the resource's name, the icon once read,
  // and whether the platform's list holds it yet.
  struct ResourceEntry {
    std::string name;
    HICON icon = nullptr;
    bool in_list = false;
  };
  void CheckIndex(int index) const;
  // The icon read for an entry that is still its resource (read now if need be), else null.
  HICON ResourceIcon(int index) const;
  // Puts an entry that is still its resource into the platform's list.
  void PutInList(int index) const;
  // The entry no longer is its resource.
  void ForgetResource(int index);
  HIMAGELIST list_ = nullptr;
  mutable std::vector<ResourceEntry> resources_;
};

}  // namespace form
