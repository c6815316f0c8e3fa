#include "main_window/main_window.h"

#include <string>

#include "main_window/main_window_layout.h"
#include "contracts/hotkey_handler.h"
#include "store/text_conversions.h"
#include "variant.h"

Tzokcfg_0* zokcfg_0 = nullptr;
form::RadioButton* RadioTable[kRadioTableSize] = {};
form::Label* LabelTable[kLabelTableSize] = {};

namespace {

// The main window's reference is set before the window is built, so that everything its
// construction and create event run can use it.
Tzokcfg_0* Announce(Tzokcfg_0* window) {
  zokcfg_0 = window;
  return window;
}

// The number after `prefix` in a component name, read as TextToInt reads a text.
int NumberAfter(const std::string& name, size_t prefix_length) {
  std::string rest = name.substr(prefix_length);
  return TextToInt(std::wstring(rest.begin(), rest.end()));
}

}  // namespace

const form::HandlerTable<Tzokcfg_0>& Tzokcfg_0::Handlers() {
  static const form::HandlerTable<Tzokcfg_0> table = {
      FORM_HANDLER(Tzokcfg_0, FormCreate),         FORM_HANDLER(Tzokcfg_0, FormShow),
      FORM_HANDLER(Tzokcfg_0, FormResize),         FORM_HANDLER(Tzokcfg_0, FormDestroy),
      FORM_HANDLER(Tzokcfg_0, ScrollBar1Scroll),   FORM_HANDLER(Tzokcfg_0, ActIndexKeyUp),
      FORM_HANDLER(Tzokcfg_0, ComboBox1_999Click), FORM_HANDLER(Tzokcfg_0, BitBtn1Click),
      FORM_HANDLER(Tzokcfg_0, BitBtn2Click),       FORM_HANDLER(Tzokcfg_0, BitBtn3Click),
      FORM_HANDLER(Tzokcfg_0, BitBtn4Click),       FORM_HANDLER(Tzokcfg_0, BitBtn5Click),
      FORM_HANDLER(Tzokcfg_0, BitBtn6Click),       FORM_HANDLER(Tzokcfg_0, BitBtn7Click),
      FORM_HANDLER(Tzokcfg_0, BitBtn8Click),       FORM_HANDLER(Tzokcfg_0, BitBtn9Click),
      FORM_HANDLER(Tzokcfg_0, CheckBox1Click),     FORM_HANDLER(Tzokcfg_0, RadioButton1Click),
      FORM_HANDLER(Tzokcfg_0, RadioButton2Click),  FORM_HANDLER(Tzokcfg_0, RadioButton3Click),
      FORM_HANDLER(Tzokcfg_0, RadioButton4Click),  FORM_HANDLER(Tzokcfg_0, RadioButton5Click),
      FORM_HANDLER(Tzokcfg_0, RadioButton6Click),  FORM_HANDLER(Tzokcfg_0, RadioButton7Click),
      FORM_HANDLER(Tzokcfg_0, RadioButton8Click),  FORM_HANDLER(Tzokcfg_0, RadioButton9Click),
      FORM_HANDLER(Tzokcfg_0, RadioButton10Click),
  };
  return table;
}

Tzokcfg_0::Tzokcfg_0(form::Application& app) try
    : form::Form(app, MainWindowLayout(variant::kIsYev), Handlers().BindTo(Announce(this))) {
  BindComponents();
  FillComponentTables();
} catch (...) {
  if (zokcfg_0 == this) zokcfg_0 = nullptr;
}

Tzokcfg_0::~Tzokcfg_0() {
  // The destroy handler still finds every member of this window.
  DestroyForm();
  for (auto& entry : RadioTable) entry = nullptr;
  for (auto& entry : LabelTable) entry = nullptr;
  if (zokcfg_0 == this) zokcfg_0 = nullptr;
}

void Tzokcfg_0::FillComponentTables() {
  for (auto& entry : RadioTable) entry = nullptr;
  for (auto& entry : LabelTable) entry = nullptr;
  static const std::string kRadioPrefix = "RadioButton";
  static const std::string kLabelPrefix = "Label";
  static const std::string kLogoPrefix = "Label_Logo";
  for (form::Component* component : Components()) {
    const std::string& name = component->Name();
    if (name.compare(0, kRadioPrefix.size(), kRadioPrefix) != 0) continue;
    int index = NumberAfter(name, kRadioPrefix.size());
    auto* radio = dynamic_cast<form::RadioButton*>(component);
    if (radio && index >= 0 && index < kRadioTableSize) RadioTable[index] = radio;
  }
  for (form::Component* component : Components()) {
    const std::string& name = component->Name();
    if (name.compare(0, kLabelPrefix.size(), kLabelPrefix) != 0) continue;
    if (name.compare(0, kLogoPrefix.size(), kLogoPrefix) == 0) continue;
    int index = NumberAfter(name, kLabelPrefix.size());
    auto* label = dynamic_cast<form::Label*>(component);
    if (label && index >= 0 && index < kLabelTableSize) LabelTable[index] = label;
  }
}

namespace {

void OnDisplayChange(Tzokcfg_0& window, WPARAM) { window.ReLayoutAndShow(); }
void OnNumPadState(Tzokcfg_0& window, WPARAM wparam) { window.ShowNumPadGroup(wparam); }

// The message map: each message here is handled with result 0 and not passed on; every other
// one goes to the inherited dispatch.
struct MessageEntry {
  UINT message;
  void (*handler)(Tzokcfg_0& window, WPARAM wparam);
};
const MessageEntry kMessageMap[] = {
    {WM_DISPLAYCHANGE, OnDisplayChange},
    {contracts::kNumPadStateMessage, OnNumPadState},
};

}  // namespace

LRESULT Tzokcfg_0::Dispatch(UINT msg, WPARAM wparam, LPARAM lparam) {
  for (const MessageEntry& entry : kMessageMap) {
    if (entry.message == msg) {
      entry.handler(*this, wparam);
      return 0;
    }
  }
  return form::Form::Dispatch(msg, wparam, lparam);
}

void Tzokcfg_0::BindComponents() {
  FORM_BIND(Panel1);
  FORM_BIND(Image_Logo);
  FORM_BIND(Label_Logo1);
  FORM_BIND(Label_Logo2);
  FORM_BIND(GroupBox1);
  FORM_BIND(GroupBox2);
  FORM_BIND(GroupBox3);
  FORM_BIND(ComboBox1);
  FORM_BIND(ComboBox1_999);
  FORM_BIND(BitBtn1);
  FORM_BIND(BitBtn2);
  FORM_BIND(BitBtn3);
  FORM_BIND(BitBtn4);
  FORM_BIND(BitBtn5);
  FORM_BIND(BitBtn6);
  FORM_BIND(BitBtn7);
  FORM_BIND(BitBtn8);
  FORM_BIND(BitBtn9);
  FORM_BIND(CheckBox1);
  FORM_BIND(ScrollBar1);
  FORM_BIND(RadioButton1);
  FORM_BIND(RadioButton2);
  FORM_BIND(RadioButton3);
  FORM_BIND(RadioButton4);
  FORM_BIND(RadioButton5);
  FORM_BIND(RadioButton6);
  FORM_BIND(RadioButton7);
  FORM_BIND(RadioButton8);
  FORM_BIND(RadioButton9);
  FORM_BIND(RadioButton10);
  FORM_BIND(Image1);
  FORM_BIND(Image2);
  FORM_BIND(Image3);
  FORM_BIND(Image4);
  FORM_BIND(Image5);
  FORM_BIND(Image6);
  FORM_BIND(Image7);
  FORM_BIND(Image8);
  FORM_BIND(Image9);
  FORM_BIND(Image10);
  FORM_BIND(Image11);
  FORM_BIND(Image12);
  FORM_BIND(Image13);
  FORM_BIND(Image14);
  FORM_BIND(Image15);
  FORM_BIND(Image16);
  FORM_BIND(Image17);
  FORM_BIND(Image18);
  FORM_BIND(Image19);
  FORM_BIND(Image20);
  FORM_BIND(Label1);
  FORM_BIND(Label2);
  FORM_BIND(Label3);
  FORM_BIND(Label4);
  FORM_BIND(Label5);
  FORM_BIND(Label6);
  FORM_BIND(Label7);
  FORM_BIND(Label8);
  FORM_BIND(Label9);
  FORM_BIND(Label10);
  FORM_BIND(Label11);
  FORM_BIND(Label12);
  FORM_BIND(Label13);
  FORM_BIND(Label14);
  FORM_BIND(Label15);
  FORM_BIND(Label16);
  FORM_BIND(Label17);
  FORM_BIND(Label18);
  FORM_BIND(Label19);
  FORM_BIND(Label20);
  FORM_BIND(TntListBox1);
  FORM_BIND(TntListBox2);
  FORM_BIND(TntListBox3);
  FORM_BIND(TntListBox4);
  FORM_BIND(TntListBox5);
  FORM_BIND(TntLabel1);
  FORM_BIND(TntLabel2);
  FORM_BIND(TntLabel3);
  FORM_BIND(TntLabel4);
  FORM_BIND(TntLabel5);
  FORM_BIND(ActIndex);
  FORM_BIND(ImageList1);
  FORM_BIND(DefKVFn_ImgLst);
  FORM_BIND(NumPadFn_ImgLst);
  FORM_BIND(MediaFn_ImgLst);
  FORM_BIND(DefFn_ImgLst);
}
