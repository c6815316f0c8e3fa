#include "picture.h"

#include "error.h"
#include "form.h"
#include "text.h"
#include "window_class.h"

namespace form {

namespace {

const wchar_t kImageClass[] = L"FormImage";
const int kListPictureSize = 16;

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
  if (list_icon_) DestroyIcon(list_icon_);
  icon_ = nullptr;
  bitmap_ = nullptr;
  list_ = nullptr;
  list_icon_ = nullptr;
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::SetIcon(HICON icon) {
  HICON copy = icon ? CopyIcon(icon) : nullptr;
  Clear();
  icon_ = copy;
  PictureChanged();
}

void Image::SetIconFromList(const ImageList& list, int index) {
  Clear();
  if (index < 0 || index >= list.Count()) return;
  list_ = &list;
  list_index_ = index;
  PictureChanged();
}

HICON Image::Icon() const {
  if (icon_ || !list_) return icon_;
  if (!list_icon_) list_icon_ = list_->GetIcon(list_index_);
  return list_icon_;
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
  } else if (list_) {
    size.cx = size.cy = kListPictureSize;
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
  } else if (list_) {
    list_->Draw(list_index_, dc, 0, 0);
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

ImageList::ImageList(Form* owner, const ComponentRow& row) : Component(owner, row.name, row.kind) {
  const int count = row.image_count > 0 ? row.image_count : 0;
  list_ = ImageList_Create(kListPictureSize, kListPictureSize, ILC_COLOR32 | ILC_MASK, count > 0 ? count : 4, 4);
  if (!list_) throw Error("Cannot create the image list " + row.name);
  if (count == 0) return;
  // The entries stand from the start; each is filled from its resource at its first use.
  ImageList_SetImageCount(list_, count);
  for (int i = 0; i < count; ++i) resources_.push_back({row.picture + std::to_string(i)});
}

ImageList::~ImageList() {
  for (ResourceEntry& entry : resources_)
    if (entry.icon) DestroyIcon(entry.icon);
  if (list_) ImageList_Destroy(list_);
}

HIMAGELIST ImageList::Handle() const {
  for (size_t i = 0; i < resources_.size(); ++i) PutInList(static_cast<int>(i));
  return list_;
}

int ImageList::Count() const { return ImageList_GetImageCount(list_); }

void ImageList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw Error("Image index out of bounds (" + std::to_string(index) + ") in " + Name());
  }
}

HICON ImageList::ResourceIcon(int index) const {
  if (index < 0 || index >= static_cast<int>(resources_.size()) || resources_[index].name.empty()) return nullptr;
  ResourceEntry& entry = resources_[index];
  if (!entry.icon) {
    entry.icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), Widen(entry.name).c_str(), IMAGE_ICON,
                                               kListPictureSize, kListPictureSize, 0));
    if (!entry.icon) throw Error("Missing icon resource " + entry.name);
  }
  return entry.icon;
}

void ImageList::PutInList(int index) const {
  HICON icon = ResourceIcon(index);
  if (!icon || resources_[index].in_list) return;
  ImageList_ReplaceIcon(list_, index, icon);
  resources_[index].in_list = true;
}

void ImageList::ForgetResource(int index) {
  if (index < 0 || index >= static_cast<int>(resources_.size())) return;
  if (resources_[index].icon) DestroyIcon(resources_[index].icon);
  resources_[index] = ResourceEntry{};
}

int ImageList::AddIcon(HICON icon) {
  int index = ImageList_AddIcon(list_, icon);
  if (index < 0) throw Error("Cannot add a picture to " + Name());
  return index;
}

int ImageList::AddFrom(const ImageList& other, int index) {
  other.CheckIndex(index);
  if (HICON icon = other.ResourceIcon(index)) return AddIcon(icon);
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
  ForgetResource(index);
}

void ImageList::ReplaceFrom(int index, const ImageList& other, int other_index) {
  CheckIndex(index);
  other.CheckIndex(other_index);
  if (HICON icon = other.ResourceIcon(other_index)) {
    ReplaceIcon(index, icon);
    return;
  }
  HICON icon = other.GetIcon(other_index);
  ImageList_ReplaceIcon(list_, index, icon);
  DestroyIcon(icon);
  ForgetResource(index);
}

HICON ImageList::GetIcon(int index) const {
  CheckIndex(index);
  PutInList(index);
  return ImageList_GetIcon(list_, index, ILD_NORMAL);
}

void ImageList::Draw(int index, HDC dc, int x, int y) const {
  CheckIndex(index);
  PutInList(index);
  ImageList_Draw(list_, index, dc, x, y, ILD_NORMAL);
}

void ImageList::Clear() {
  for (int i = 0; i < static_cast<int>(resources_.size()); ++i) ForgetResource(i);
  resources_.clear();
  ImageList_RemoveAll(list_);
}

}  // namespace form
