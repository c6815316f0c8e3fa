#include "screen_capture.h"

#include <fstream>

#include "test_support.h"

namespace testing_support {

Capture CaptureWindow(HWND window) {
  Capture capture;
  RECT rect{};
  GetWindowRect(window, &rect);
  capture.width = rect.right - rect.left;
  capture.height = rect.bottom - rect.top;
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  capture.client_origin = {origin.x - rect.left, origin.y - rect.top};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const unsigned*>(bits);
  capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
  for (unsigned& pixel : capture.pixels) pixel &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return capture;
}

// Bottom row first, as the format wants.
bool SaveBmp(const Capture& capture, const std::wstring& path) {
  const int row_bytes = (capture.width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = capture.width;
  header.biHeight = capture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = row_bytes * capture.height;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::vector<char> bytes(header.biSizeImage, 0);
  for (int y = 0; y < capture.height; ++y) {
    char* row = &bytes[static_cast<size_t>(capture.height - 1 - y) * row_bytes];
    for (int x = 0; x < capture.width; ++x) {
      unsigned pixel = capture.pixels[static_cast<size_t>(y) * capture.width + x];
      row[x * 3 + 0] = static_cast<char>(pixel & 0xFF);
      row[x * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
  }
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(bytes.data(), bytes.size());
  return static_cast<bool>(out);
}

std::wstring ScreenshotFolder() {
  const std::wstring folder = BinDir() + L"\\..\\screenshots";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace testing_support
