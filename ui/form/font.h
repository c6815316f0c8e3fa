// Fonts of forms and controls: face name, character set, size (points or pixel height),
// colour and style, with a GDI handle made on demand.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace form {

// Pixels per logical inch of the screen (96 on a standard display).
int ScreenPixelsPerInch();
// Size in points <-> font height in pixels (negative: character height without leading),
// rounded the way the class library of the original layouts did: height = -(points * ppi / 72).
int PointsToHeight(int points, int pixels_per_inch);
int HeightToPoints(int height, int pixels_per_inch);

// The default font's face, height and character set on a system whose ANSI code page is
// `code_page`, at `pixels_per_inch`: "MS Sans Serif", 8 points, DEFAULT_CHARSET; where the code
// page's character set is Shift-JIS, "MS PGothic", 9 points, SHIFTJIS_CHARSET.
struct DefaultFontAttributes {
  std::wstring face;
  int height;
  int charset;
};
DefaultFontAttributes DefaultFontFor(UINT code_page, int pixels_per_inch);
// The default font of this system (its ANSI code page and screen), taken once per process.
const DefaultFontAttributes& SystemDefaultFont();

enum FontStyle : unsigned {
  kBold = 1,
  kItalic = 2,
  kUnderline = 4,
  kStrikeOut = 8,
};

class Font {
 public:
  // The system's default font (SystemDefaultFont), window-text colour, no style.
  Font();
  Font(const std::wstring& name, int height, int charset = DEFAULT_CHARSET);
  // Copies the attributes only: the copy has its own handle and no change listener.
  Font(const Font& other);
  Font& operator=(const Font& other);
  ~Font();

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  // A face name given as bytes of a code page (a Big5 name with code page 950, say).
  void SetNameFromCodePage(const std::string& bytes, UINT code_page);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  int Height() const { return height_; }
  void SetHeight(int height);
  // Size in points, from and to the height at the screen's pixels per inch.
  int Size() const;
  void SetSize(int points);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  // Takes every attribute of `other` (name, character set, height, colour, style) at once.
  void Assign(const Font& other);

  // The GDI font for these attributes, made on first use and kept until an attribute changes.
  // The face "Default" stands for the system's default face.
  HFONT Handle() const;
  // Called after every change of an attribute (the owning control applies the new handle).
  void SetOnChange(std::function<void()> on_change) { on_change_ = std::move(on_change); }

 private:
  void Changed();
  void ReleaseHandle() const;

  std::wstring name_;
  int charset_ = DEFAULT_CHARSET;
  int height_ = 0;
  COLORREF color_ = GetSysColor(COLOR_WINDOWTEXT);
  unsigned style_ = 0;
  mutable HFONT handle_ = nullptr;
  std::function<void()> on_change_;
};

}  // namespace form
