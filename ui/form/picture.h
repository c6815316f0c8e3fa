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

  bool HasPicture() const { return icon_ != nullptr || bitmap_ != nullptr; }
  HICON Icon() const { return icon_; }
  HBITMAP Bitmap() const { return bitmap_; }
  // The image keeps its own copy; the caller keeps `icon`.
  void SetIcon(HICON icon);
  // Entry `index` of `list`; an index outside the list leaves the picture empty.
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
  bool auto_size_ = false;
  std::unique_ptr<Canvas> canvas_;
};

// A list of 16 x 16 pictures (no window). Indexes outside 0 .. Count()-1 raise form::Error.
// The icon resources a layout row names are read when the list is first used, so a list that
// a run never shows costs nothing (a missing resource then raises form::Error at that use).
class ImageList : public Component {
 public:
  ImageList(Form* owner, const ComponentRow& row);
  ~ImageList() override;

  HIMAGELIST Handle() const {
    LoadPending();
    return list_;
  }
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
  void Clear();
  // Appends the icon resources prefix + "0" .. prefix + (count - 1).
  void LoadResources(const std::string& prefix, int count);

 private:
  void CheckIndex(int index) const;
  // Appends the row's icon resources when they have not been read yet.
  void LoadPending() const;
  void AppendResources(const std::string& prefix, int count) const;
  HIMAGELIST list_ = nullptr;
  std::string pending_prefix_;
  mutable int pending_count_ = 0;
};

}  // namespace form
