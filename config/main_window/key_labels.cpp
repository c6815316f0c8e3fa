// The caption and assignment labels of the ten key rows, from the working set.
#include <string>

#include "main_window/main_window.h"
#include "store/scheme_records.h"

namespace {

// A sentinel is never shown; every other text, the empty one included, is shown as it is.
std::wstring ShownText(const std::wstring& text, const wchar_t* sentinel) {
  return text == sentinel ? std::wstring() : text;
}

void ShowWithHint(form::Label* label, const std::wstring& text) {
  label->SetText(text);
  label->SetHint(text);
}

}  // namespace

void Tzokcfg_0::RefreshButtonLabels() {
  form::Label* captions[kKeyRecords] = {Label1, Label2, Label3, Label4, Label5,
                                        Label6, Label7, Label8, Label9, Label10};
  form::Label* assignments[kKeyRecords] = {Label11, Label12, Label13, Label14, Label15,
                                           Label16, Label17, Label18, Label19, Label20};
  for (int key = 0; key < kKeyRecords; ++key) {
    const hotkey_data& record = CurScheme.keys[key];
    ShowWithHint(captions[key], ShownText(record.caption, kCaptionSentinel));
    ShowWithHint(assignments[key], ShownText(record.assign, kAssignSentinel));
  }
}
