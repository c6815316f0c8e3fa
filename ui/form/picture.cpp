#include "picture.h"

#include "error.h"
#include "form.h"
#include "text.h"
#include "window_class.h"

namespace form {

namespace {

const wchar_t kImageClass[] = L"FormImage";

std::wstring Widen(const std::string& name) { return CodePageToWide(name); }

}  // namespace

std::vector<unsigned char> ReadDataResource(const std::string& name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, Widen(name).c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  DWORD size = SizeofResource(module, found);
  if (!bytes || size == 0) return {};
  const auto* begin = static_cast<const unsigned char*>(bytes);
  return std::vector<unsigned char>(begin, begin + size);
}

// Canvas ---------------------------------------------------------------------------------

Canvas::Canvas(Image& image) : image_(image) {
  dc_ = CreateCompatibleDC(nullptr);
  old_bitmap_ = SelectObject(dc_, image.Bitmap());
  SelectObject(dc_, font_.Handle());
  font_.SetOnChange([this] { SelectObject(dc_, font_.Handle()); });
}

Canvas::~Canvas() {
  SelectObject(dc_, old_bitmap_);
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  DeleteDC(dc_);
}

void Canvas::SetTransparentText(bool transparent) { SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE); }

void Canvas::SetTextColor(COLORREF color) { ::SetTextColor(dc_, color); }

void Canvas::TextOut(int x, int y, const std::wstring& text) {
  TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
  InvalidateRect(image_.Handle(), nullptr, FALSE);
}

void Canvas::TextOutA(int x, int y, const std::string& text) {
  ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
  InvalidateRect(image_.Handle(), nullptr, FALSE);
}

// Image ----------------------------------------------------------------------------------

Image::Image(Form* owner, const ComponentRow& row, Control* parent)
    : Control(owner, row), auto_size_(row.auto_size) {
  RegisterChildWindowClass(kImageClass);
  ComponentRow image = row;
  image.tab_stop = false;
  image.text.clear();
  CreateWindowFor(image, parent, kImageClass, 0);
  if (row.picture.empty()) return;
  if (row.picture_is_jpeg) {
    LoadJpegResource(row.picture);
  } else {
    LoadIconResource(row.picture);
  }
}

Image::~Image() { Clear(); }

void Image::Clear() {
  canvas_.reset();
  if (icon_) DestroyIcon(icon_);
  if (bitmap_) DeleteObject(bitmap_);
  icon_ = nullptr;
  bitmap_ = nullptr;
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::SetIcon(HICON icon) {
  HICON copy = icon ? CopyIcon(icon) : nullptr;
  Clear();
  icon_ = copy;
  PictureChanged();
}

void Image::SetIconFromList(const ImageList& list, int index) {
  if (index < 0 || index >= list.Count()) {
    Clear();
    return;
  }
  HICON icon = list.GetIcon(index);
  Clear();
  icon_ = icon;
  PictureChanged();
}

void Image::LoadIconFile(const std::wstring& path) {
  HICON icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, Width(), Height(), LR_LOADFROMFILE));
  if (!icon) throw Error("Cannot read the icon " + WideToCodePage(path));
  Clear();
  icon_ = icon;
  PictureChanged();
}

void Image::LoadIconResource(const std::string& name) {
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), Widen(name).c_str(), IMAGE_ICON, Width(), Height(), 0));
  if (!icon) throw Error("Missing icon resource " + name);
  Clear();
  icon_ = icon;
  PictureChanged();
}

void Image::LoadJpegResource(const std::string& name) {
  std::vector<unsigned char> data = ReadDataResource(name);
  if (data.empty()) throw Error("Missing picture resource " + name);
  SetBitmap(DecodeJpeg(data.data(), data.size()));
}

void Image::SetBitmap(HBITMAP bitmap) {
  Clear();
  bitmap_ = bitmap;
  PictureChanged();
}

SIZE Image::PictureSize() const {
  SIZE size{0, 0};
  if (bitmap_) {
    BITMAP info{};
    GetObjectW(bitmap_, sizeof(info), &info);
    size.cx = info.bmWidth;
    size.cy = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  } else if (icon_) {
    ICONINFO info{};
    if (GetIconInfo(icon_, &info)) {
      BITMAP mask{};
      GetObjectW(info.hbmMask, sizeof(mask), &mask);
      size.cx = mask.bmWidth;
      size.cy = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
      if (info.hbmColor) DeleteObject(info.hbmColor);
      if (info.hbmMask) DeleteObject(info.hbmMask);
    }
  }
  return size;
}

Canvas& Image::GetCanvas() {
  if (!bitmap_) throw Error("The image " + Name() + " holds no bitmap to draw on");
  if (!canvas_) canvas_ = std::make_unique<Canvas>(*this);
  return *canvas_;
}

void Image::PictureChanged() {
  if (auto_size_ && HasPicture()) {
    SIZE size = PictureSize();
    SetWidth(size.cx);
    SetHeight(size.cy);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::Paint(HDC dc) {
  if (icon_) {
    DrawIconEx(dc, 0, 0, icon_, Width(), Height(), 0, nullptr, DI_NORMAL);
  } else if (bitmap_) {
    SIZE size = PictureSize();
    if (canvas_) {
      BitBlt(dc, 0, 0, size.cx, size.cy, canvas_->Handle(), 0, 0, SRCCOPY);
    } else {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, bitmap_);
      BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    }
  }
}

LRESULT Image::WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    Paint(dc);
    EndPaint(Handle(), &paint);
    return 0;
  }
  return Control::WindowProc(msg, wparam, lparam);
}

// ImageList ------------------------------------------------------------------------------

namespace {
const int kListPictureSize = 16;
}  // namespace

ImageList::ImageList(Form* owner, const ComponentRow& row) : Component(owner, row.name, row.kind) {
  list_ = ImageList_Create(kListPictureSize, kListPictureSize, ILC_COLOR32 | ILC_MASK, 4, 4);
  if (!list_) throw Error("Cannot create the image list " + row.name);
  pending_prefix_ = row.picture;
  pending_count_ = row.image_count > 0 ? row.image_count : 0;
}

ImageList::~ImageList() {
  if (list_) ImageList_Destroy(list_);
}

void ImageList::LoadPending() const {
  if (pending_count_ == 0) return;
  const int count = pending_count_;
  pending_count_ = 0;
  AppendResources(pending_prefix_, count);
}

int ImageList::Count() const {
  LoadPending();
  return ImageList_GetImageCount(list_);
}

void ImageList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw Error("Image index out of bounds (" + std::to_string(index) + ") in " + Name());
  }
}

int ImageList::AddIcon(HICON icon) {
  LoadPending();
  int index = ImageList_AddIcon(list_, icon);
  if (index < 0) throw Error("Cannot add a picture to " + Name());
  return index;
}

int ImageList::AddFrom(const ImageList& other, int index) {
  HICON icon = other.GetIcon(index);
  int added = -1;
  try {
    added = AddIcon(icon);
  } catch (...) {
    DestroyIcon(icon);
    throw;
  }
  DestroyIcon(icon);
  return added;
}

void ImageList::ReplaceIcon(int index, HICON icon) {
  CheckIndex(index);
  if (ImageList_ReplaceIcon(list_, index, icon) < 0) throw Error("Cannot replace a picture in " + Name());
}

void ImageList::ReplaceFrom(int index, const ImageList& other, int other_index) {
  CheckIndex(index);
  HICON icon = other.GetIcon(other_index);
  ImageList_ReplaceIcon(list_, index, icon);
  DestroyIcon(icon);
}

HICON ImageList::GetIcon(int index) const {
  CheckIndex(index);
  return ImageList_GetIcon(list_, index, ILD_NORMAL);
}

void ImageList::Clear() {
  pending_count_ = 0;
  ImageList_RemoveAll(list_);
}

void ImageList::LoadResources(const std::string& prefix, int count) {
  LoadPending();
  AppendResources(prefix, count);
}

void ImageList::AppendResources(const std::string& prefix, int count) const {
  for (int i = 0; i < count; ++i) {
    std::string name = prefix + std::to_string(i);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), Widen(name).c_str(), IMAGE_ICON,
                                               kListPictureSize, kListPictureSize, 0));
    if (!icon) throw Error("Missing icon resource " + name);
    ImageList_AddIcon(list_, icon);
    DestroyIcon(icon);
  }
}

}  // namespace form
