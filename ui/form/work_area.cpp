#include "work_area.h"

namespace form {

namespace {

std::function<RECT()>& Source() {
  static std::function<RECT()> source;
  return source;
}

}  // namespace

RECT WorkArea() {
  if (Source()) return Source()();
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

void SetWorkAreaSource(std::function<RECT()> source) { Source() = std::move(source); }

}  // namespace form
