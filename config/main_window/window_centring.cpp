#include "main_window/window_centring.h"

#include "form/work_area.h"
#include "main_window/main_window.h"

POINT CentredOrigin(const RECT& work_area, int width, int height) {
  POINT origin;
  origin.x = (work_area.right - width) / 2;
  origin.y = (work_area.bottom - height) / 2;
  return origin;
}

void Tzokcfg_0::CenterOnWorkArea() {
  const POINT origin = CentredOrigin(form::WorkArea(), Width(), Height());
  SetLeft(origin.x);
  SetTop(origin.y);
}
