// JPEG decoding with libjpeg into a 32-bit DIB section.
#include <windows.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "error.h"
#include "picture.h"

namespace form {

namespace {

struct ErrorTrap {
  jpeg_error_mgr manager;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// libjpeg must not unwind through its C frames: its fatal errors jump back here instead.
void OnFatalError(j_common_ptr info) {
  ErrorTrap* trap = reinterpret_cast<ErrorTrap*>(info->err);
  (*info->err->format_message)(info, trap->message);
  longjmp(trap->jump, 1);
}

void OnWarning(j_common_ptr, int) {}

HBITMAP CreateTopDownBitmap(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

HBITMAP DecodeJpeg(const unsigned char* data, size_t size) {
  if (!data || size == 0) throw Error("JPEG image is empty");
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = OnFatalError;
  trap.manager.emit_message = OnWarning;
  // Everything that must be released after a jump lives outside the jumping frame's locals.
  std::vector<unsigned char> row;
  HBITMAP bitmap = nullptr;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&info);
    if (bitmap) DeleteObject(bitmap);
    throw Error(std::string("JPEG error: ") + trap.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  void* bits = nullptr;
  bitmap = CreateTopDownBitmap(width, height, &bits);
  if (!bitmap) longjmp(trap.jump, 1);
  row.resize(static_cast<size_t>(width) * info.output_components);
  auto* pixels = static_cast<unsigned char*>(bits);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    unsigned char* out = pixels + static_cast<size_t>(info.output_scanline - 1) * width * 4;
    for (int x = 0; x < width; ++x) {
      out[x * 4 + 0] = row[x * 3 + 2];
      out[x * 4 + 1] = row[x * 3 + 1];
      out[x * 4 + 2] = row[x * 3 + 0];
      out[x * 4 + 3] = 0;
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  GdiFlush();
  return bitmap;
}

}  // namespace form
