#include "main_window/main_window.h"

#include <string>
#include <utility>
#include <vector>

#include "main_window/main_window_layout.h"
#include "store/contracts.h"
#include "store/text_conversions.h"
#include "variant.h"

Tzokcfg_0* zokcfg_0 = nullptr;
form::RadioButton* RadioTable[kRadioTableSize] = {};
form::Label* LabelTable[kLabelTableSize] = {};

namespace {

struct HandlerRegistry {
  std::vector<std::pair<std::string, MainWindowNotify>> notify;
  std::vector<std::pair<std::string, MainWindowKey>> key;
  std::vector<std::pair<std::string, MainWindowScroll>> scroll;
};

// Filled by static registration objects before main runs, whatever the order of the files.
HandlerRegistry& Registry() {
  static HandlerRegistry registry;
  return registry;
}

template <class Map>
void AddOnce(Map& map, const std::string& name, typename Map::mapped_type handler) {
  if (!map.emplace(name, std::move(handler)).second) {
    throw form::Error("Handler " + name + " of the main window is registered twice");
  }
}

form::Handlers HandlersFor(Tzokcfg_0* window) {
  form::Handlers handlers;
  for (const auto& entry : Registry().notify) {
    MainWindowNotify handler = entry.second;
    AddOnce(handlers.notify, entry.first, [window, handler](form::Component& sender) { handler(*window, sender); });
  }
  for (const auto& entry : Registry().key) {
    MainWindowKey handler = entry.second;
    AddOnce(handlers.key, entry.first, [window, handler](form::Component& sender, WORD& key, unsigned shift) {
      handler(*window, sender, key, shift);
    });
  }
  for (const auto& entry : Registry().scroll) {
    MainWindowScroll handler = entry.second;
    AddOnce(handlers.scroll, entry.first, [window, handler](form::Component& sender, int code, int& position) {
      handler(*window, sender, code, position);
    });
  }
  return handlers;
}

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

MainWindowHandler::MainWindowHandler(const char* name, MainWindowNotify handler) {
  Registry().notify.emplace_back(name, std::move(handler));
}

MainWindowKeyHandler::MainWindowKeyHandler(const char* name, MainWindowKey handler) {
  Registry().key.emplace_back(name, std::move(handler));
}

MainWindowScrollHandler::MainWindowScrollHandler(const char* name, MainWindowScroll handler) {
  Registry().scroll.emplace_back(name, std::move(handler));
}


Tzokcfg_0::Tzokcfg_0(form::Application& app) try
    : form::Form(app, MainWindowLayout(variant::kIsYev), HandlersFor(Announce(this))) {
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
  Panel1 = &Get<form::Panel>("Panel1");
  Image_Logo = &Get<form::Image>("Image_Logo");
  Label_Logo1 = &Get<form::Label>("Label_Logo1");
  Label_Logo2 = &Get<form::Label>("Label_Logo2");
  GroupBox1 = &Get<form::GroupBox>("GroupBox1");
  GroupBox2 = &Get<form::GroupBox>("GroupBox2");
  GroupBox3 = &Get<form::GroupBox>("GroupBox3");
  ComboBox1 = &Get<form::ComboBox>("ComboBox1");
  ComboBox1_999 = &Get<form::ComboBox>("ComboBox1_999");
  BitBtn1 = &Get<form::Button>("BitBtn1");
  BitBtn2 = &Get<form::Button>("BitBtn2");
  BitBtn3 = &Get<form::Button>("BitBtn3");
  BitBtn4 = &Get<form::Button>("BitBtn4");
  BitBtn5 = &Get<form::Button>("BitBtn5");
  BitBtn6 = &Get<form::Button>("BitBtn6");
  BitBtn7 = &Get<form::Button>("BitBtn7");
  BitBtn8 = &Get<form::Button>("BitBtn8");
  BitBtn9 = &Get<form::Button>("BitBtn9");
  CheckBox1 = &Get<form::CheckBox>("CheckBox1");
  ScrollBar1 = &Get<form::ScrollBar>("ScrollBar1");
  RadioButton1 = &Get<form::RadioButton>("RadioButton1");
  RadioButton2 = &Get<form::RadioButton>("RadioButton2");
  RadioButton3 = &Get<form::RadioButton>("RadioButton3");
  RadioButton4 = &Get<form::RadioButton>("RadioButton4");
  RadioButton5 = &Get<form::RadioButton>("RadioButton5");
  RadioButton6 = &Get<form::RadioButton>("RadioButton6");
  RadioButton7 = &Get<form::RadioButton>("RadioButton7");
  RadioButton8 = &Get<form::RadioButton>("RadioButton8");
  RadioButton9 = &Get<form::RadioButton>("RadioButton9");
  RadioButton10 = &Get<form::RadioButton>("RadioButton10");
  Image1 = &Get<form::Image>("Image1");
  Image2 = &Get<form::Image>("Image2");
  Image3 = &Get<form::Image>("Image3");
  Image4 = &Get<form::Image>("Image4");
  Image5 = &Get<form::Image>("Image5");
  Image6 = &Get<form::Image>("Image6");
  Image7 = &Get<form::Image>("Image7");
  Image8 = &Get<form::Image>("Image8");
  Image9 = &Get<form::Image>("Image9");
  Image10 = &Get<form::Image>("Image10");
  Image11 = &Get<form::Image>("Image11");
  Image12 = &Get<form::Image>("Image12");
  Image13 = &Get<form::Image>("Image13");
  Image14 = &Get<form::Image>("Image14");
  Image15 = &Get<form::Image>("Image15");
  Image16 = &Get<form::Image>("Image16");
  Image17 = &Get<form::Image>("Image17");
  Image18 = &Get<form::Image>("Image18");
  Image19 = &Get<form::Image>("Image19");
  Image20 = &Get<form::Image>("Image20");
  Label1 = &Get<form::Label>("Label1");
  Label2 = &Get<form::Label>("Label2");
  Label3 = &Get<form::Label>("Label3");
  Label4 = &Get<form::Label>("Label4");
  Label5 = &Get<form::Label>("Label5");
  Label6 = &Get<form::Label>("Label6");
  Label7 = &Get<form::Label>("Label7");
  Label8 = &Get<form::Label>("Label8");
  Label9 = &Get<form::Label>("Label9");
  Label10 = &Get<form::Label>("Label10");
  Label11 = &Get<form::Label>("Label11");
  Label12 = &Get<form::Label>("Label12");
  Label13 = &Get<form::Label>("Label13");
  Label14 = &Get<form::Label>("Label14");
  Label15 = &Get<form::Label>("Label15");
  Label16 = &Get<form::Label>("Label16");
  Label17 = &Get<form::Label>("Label17");
  Label18 = &Get<form::Label>("Label18");
  Label19 = &Get<form::Label>("Label19");
  Label20 = &Get<form::Label>("Label20");
  TntListBox1 = &Get<form::ListBox>("TntListBox1");
  TntListBox2 = &Get<form::ListBox>("TntListBox2");
  TntListBox3 = &Get<form::ListBox>("TntListBox3");
  TntListBox4 = &Get<form::ListBox>("TntListBox4");
  TntListBox5 = &Get<form::ListBox>("TntListBox5");
  TntLabel1 = &Get<form::Label>("TntLabel1");
  TntLabel2 = &Get<form::Label>("TntLabel2");
  TntLabel3 = &Get<form::Label>("TntLabel3");
  TntLabel4 = &Get<form::Label>("TntLabel4");
  TntLabel5 = &Get<form::Label>("TntLabel5");
  ActIndex = &Get<form::Edit>("ActIndex");
  ImageList1 = &Get<form::ImageList>("ImageList1");
  DefKVFn_ImgLst = &Get<form::ImageList>("DefKVFn_ImgLst");
  NumPadFn_ImgLst = &Get<form::ImageList>("NumPadFn_ImgLst");
  MediaFn_ImgLst = &Get<form::ImageList>("MediaFn_ImgLst");
  DefFn_ImgLst = &Get<form::ImageList>("DefFn_ImgLst");
}
