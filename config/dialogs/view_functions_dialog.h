// The View Functions dialog (class Tzokcfg_3): gives the key EditButton of the selected scheme a
// caption and one of four built-in functions ("ESC", "%", "Tab Left", the locale's currency
// symbol). OK writes the key record, the key's row and the working set.
#pragma once
#include <windows.h>

#include <cstdint>

#include "dialogs/key_edit.h"
#include "form/form.h"

// The user-interface language, read once at the dialog's creation.
extern LANGID UiLanguage;

// The first three items of the function list and what OK stores for them; the fourth, the
// currency symbol, stores FunctionCurrency with virtual key 0.
struct ViewFunction {
  const wchar_t* text;
  int32_t function;
  int32_t vkey;
};
constexpr int kFixedViewFunctions = 3;
extern const ViewFunction ViewFunctionList[kFixedViewFunctions];

class Tzokcfg_3 : public KeyEditDialog {
 public:
  explicit Tzokcfg_3(form::Application& app);

  void LoadCaptions();
  void ApplyDialogFont();

  // Beside the components of KeyEditDialog: the function list.
  form::ComboBox* ComboBox1 = nullptr;

 private:
  static const form::HandlerTable<Tzokcfg_3>& Handlers();
  void FormCreate(form::Component& sender);
  void FormShow(form::Component& sender);
  void BitBtn1Click(form::Component& sender);
  void BitBtn2Click(form::Component& sender);

  void UseListFontOfUiLanguage();
};

form::Layout ViewFunctionsLayout();
