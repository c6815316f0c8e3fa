#include "dialogs/view_functions_dialog.h"

#include "dialogs/currency_symbol.h"
#include "dialogs/key_edit.h"
#include "main_window/dialog_windows.h"
#include "main_window/main_window.h"
#include "main_window/scheme_rows.h"
#include "main_window/selected_rows.h"
#include "store/scheme_records.h"
#include "store/text_conversions.h"

LANGID UiLanguage = 0;

const ViewFunction ViewFunctionList[kFixedViewFunctions] = {
    {L"ESC", FunctionVirtualKey, VK_ESCAPE},
    {L"%", FunctionPercent, 0},
    {L"Tab Left", FunctionTabLeft, 0},
};

namespace {

constexpr LANGID kJapanese = 0x411;
constexpr LANGID kKorean = 0x412;
constexpr int kCurrencyItem = kFixedViewFunctions;

}  // namespace

const form::HandlerTable<Tzokcfg_3>& Tzokcfg_3::Handlers() {
  static const form::HandlerTable<Tzokcfg_3> table = {
      FORM_HANDLER(Tzokcfg_3, FormCreate),   FORM_HANDLER(Tzokcfg_3, FormShow),
      FORM_HANDLER(Tzokcfg_3, FormDestroy),  FORM_HANDLER(Tzokcfg_3, BitBtn1Click),
      FORM_HANDLER(Tzokcfg_3, BitBtn2Click),
  };
  return table;
}

Tzokcfg_3::Tzokcfg_3(form::Application& app)
    : KeyEditDialog(app, ViewFunctionsLayout(), Handlers().BindTo(this), zokcfg_3) {
  FORM_BIND(ComboBox1);
}

void Tzokcfg_3::FormCreate(form::Component&) {
  for (const ViewFunction& entry : ViewFunctionList) ComboBox1->Add(entry.text);
  UiLanguage = GetUserDefaultUILanguage();
  const std::string symbol = CurrencySymbolFromLocale();
  UseListFontOfUiLanguage();
  ComboBox1->Add(AnsiToWide(symbol));
  ComboBox1->SetItemIndex(0);
  DialogFont.Create();
  LoadCaptions();
}

// Japanese and Korean lists get a font of their script; a Japanese list keeps it for good.
void Tzokcfg_3::UseListFontOfUiLanguage() {
  form::Font& font = ComboBox1->Font();
  if (UiLanguage == kJapanese) {
    font.SetCharset(SHIFTJIS_CHARSET);
    font.SetName(L"MS PGothic");
    font.SetSize(9);
  } else if (UiLanguage == kKorean) {
    font.SetCharset(HANGUL_CHARSET);
    font.SetName(L"Dotum");
    font.SetSize(9);
  }
}

void Tzokcfg_3::LoadCaptions() { LoadCaptionsOf({Label3, Label4, Label1, Label2, BitBtn1, BitBtn2}); }

void Tzokcfg_3::ApplyDialogFont() {
  DialogFont.ApplyTo({Label1, Label2, Label3, Label4, Edit1});
  if (UiLanguage != kJapanese) DialogFont.ApplyTo({ComboBox1});
}

// The list is not set from the key: it shows the item last confirmed.
void Tzokcfg_3::FormShow(form::Component&) {
  CentreOnWorkArea(*this);
  Edit1->SetText(EditedKeyCaption());
  ApplyDialogFont();
}

void Tzokcfg_3::BitBtn1Click(form::Component&) {
  if (RefuseBarIn(*Edit1)) return;
  hotkey_data* key = EditedKeyRecord();
  const int index = ComboBox1->ItemIndex();
  if (zokcfg_0 && key && index >= 0) {
    const int row = RowOfButton(EditButton);
    const std::wstring caption = Edit1->Text();
    if (index < kCurrencyItem) {
      const ViewFunction& entry = ViewFunctionList[index];
      SetButtonRecord(*key, entry.function, entry.vkey, caption, entry.text, entry.text);
      SetRow(*zokcfg_0, row, entry.function, entry.vkey, caption, entry.text, entry.text);
    } else {
      const std::wstring symbol = ComboBox1->Item(kCurrencyItem);
      SetButtonRecord(*key, FunctionCurrency, 0, caption, symbol, symbol);
      SetRow(*zokcfg_0, row, FunctionCurrency, 0, caption, symbol, symbol);
    }
    FinishKeyEdit(*zokcfg_0, row);
  }
  Close();
}

void Tzokcfg_3::BitBtn2Click(form::Component&) {
  Edit1->SetText(L"");
  ComboBox1->SetItemIndex(0);
  Close();
}
