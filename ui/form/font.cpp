#include "font.h"


namespace form {

namespace {

const wchar_t kDefaultFaceAlias[] = L"Default";

// The character set of the code page, as the platform maps it.
bool IsShiftJisCodePage(UINT code_page) {
  CHARSETINFO info{};
  return TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(code_page)), &info, TCI_SRCCODEPAGE) &&
         info.ciCharset == SHIFTJIS_CHARSET;
}

}  // namespace

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return ppi > 0 ? ppi : 96;
}

int PointsToHeight(int points, int pixels_per_inch) { return -MulDiv(points, pixels_per_inch, 72); }

int HeightToPoints(int height, int pixels_per_inch) {
  return -MulDiv(height, 72, pixels_per_inch);
}

DefaultFontAttributes DefaultFontFor(UINT code_page, int pixels_per_inch) {
  if (IsShiftJisCodePage(code_page))
    return {L"MS PGothic", PointsToHeight(9, pixels_per_inch), SHIFTJIS_CHARSET};
  return {L"MS Sans Serif", PointsToHeight(8, pixels_per_inch), DEFAULT_CHARSET};
}

const DefaultFontAttributes& SystemDefaultFont() {
  static const DefaultFontAttributes font = DefaultFontFor(GetACP(), ScreenPixelsPerInch());
  return font;
}

Font::Font()
    : name_(SystemDefaultFont().face), charset_(SystemDefaultFont().charset), height_(SystemDefaultFont().height) {}

Font::Font(const std::wstring& name, int height, int charset)
    : name_(name), charset_(charset), height_(height) {}

Font::Font(const Font& other)
    : name_(other.name_),
      charset_(other.charset_),
      height_(other.height_),
      color_(other.color_),
      style_(other.style_) {}

Font& Font::operator=(const Font& other) {
  Assign(other);
  return *this;
}

Font::~Font() { ReleaseHandle(); }

void Font::SetName(const std::wstring& name) {
  name_ = name;
  Changed();
}

void Font::SetNameFromCodePage(const std::string& bytes, UINT code_page) {
  int length = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring name(length > 0 ? length : 0, L'\0');
  if (length > 0) {
    MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), &name[0], length);
  }
  SetName(name);
}

void Font::SetCharset(int charset) {
  charset_ = charset;
  Changed();
}

void Font::SetHeight(int height) {
  height_ = height;
  Changed();
}

int Font::Size() const { return HeightToPoints(height_, ScreenPixelsPerInch()); }

void Font::SetSize(int points) { SetHeight(PointsToHeight(points, ScreenPixelsPerInch())); }

void Font::SetColor(COLORREF color) {
  color_ = color;
  Changed();
}

void Font::SetStyle(unsigned style) {
  style_ = style;
  Changed();
}

void Font::Assign(const Font& other) {
  if (&other == this) return;
  name_ = other.name_;
  charset_ = other.charset_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

HFONT Font::Handle() const {
  if (handle_) return handle_;
  LOGFONTW log{};
  log.lfHeight = height_;
  log.lfWeight = (style_ & kBold) ? FW_BOLD : FW_NORMAL;
  log.lfItalic = (style_ & kItalic) ? TRUE : FALSE;
  log.lfUnderline = (style_ & kUnderline) ? TRUE : FALSE;
  log.lfStrikeOut = (style_ & kStrikeOut) ? TRUE : FALSE;
  log.lfCharSet = static_cast<BYTE>(charset_);
  log.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log.lfQuality = DEFAULT_QUALITY;
  log.lfPitchAndFamily = DEFAULT_PITCH;
  const std::wstring& face = name_ == kDefaultFaceAlias ? SystemDefaultFont().face : name_;
  lstrcpynW(log.lfFaceName, face.c_str(), LF_FACESIZE);
  handle_ = CreateFontIndirectW(&log);
  return handle_;
}

void Font::Changed() {
  // The control still holds the old handle until it has taken the new one.
  HFONT old = handle_;
  handle_ = nullptr;
  if (on_change_) on_change_();
  if (old) DeleteObject(old);
}

void Font::ReleaseHandle() const {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
}

}  // namespace form
