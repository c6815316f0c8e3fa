#include "main_window/start_up.h"

#include <string>

#include "contracts/hotkey_handler.h"
#include "store/contracts.h"
#include "form/dialogs.h"
#include "main_window/key_pictures.h"
#include "main_window/language_captions.h"
#include "main_window/language_select.h"
#include "system/language_texts.h"
#include "main_window/locked_buttons.h"
#include "system/logon_user.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "main_window/registry_mirror.h"
#include "system/registry_settings.h"
#include "store/scheme_file.h"
#include "main_window/scheme_list.h"
#include "store/scheme_records.h"
#include "main_window/scheme_rows.h"
#include "main_window/selected_rows.h"
#include "store/text_conversions.h"
#include "variant.h"

using namespace contracts;

PanelHeights PanelHeightsOf(const Tzokcfg_0& window) {
  PanelHeights heights;
  heights.logo_label1 = window.Label_Logo1->Height();
  heights.logo_label2 = window.Label_Logo2->Height();
  heights.scheme_group = window.GroupBox1->Height();
  heights.key_group = window.GroupBox2->Height();
  heights.numpad_group = window.GroupBox3->Height();
  heights.check_box = window.CheckBox1->Height();
  heights.ok_button = window.BitBtn6->Height();
  return heights;
}

void HideNumPadGroupAndLayOut(Tzokcfg_0& window) {
  window.GroupBox3->Hide();
  window.GroupBox3->SetEnabled(false);
  const PanelLayout layout = ComputePanelLayout(PanelHeightsOf(window), false);
  window.Panel1->SetHeight(layout.panel_height);
  window.CheckBox1->SetTop(layout.check_box_top);
  window.BitBtn6->SetTop(layout.button_top);
  window.BitBtn7->SetTop(layout.button_top);
  window.BitBtn8->SetTop(layout.button_top);
  window.BitBtn9->SetTop(layout.button_top);
  window.SetClientHeight(layout.client_height);
}

int SendConfigHello(HWND main_window, int count) {
  HWND handler = FindWindowA(kHotkeyWindowClass, kConfigHotkeyWindowTitle);
  if (!handler) return 0;
  // Messages sent to this thread are still handled while a send waits (SMTO_NORMAL); a handler
  // that stops answering costs at most the limit once, the later sends give up at once.
  for (int i = 0; i < count; ++i) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(handler, kConfigHelloMessage, 0, reinterpret_cast<LPARAM>(main_window),
                        SMTO_NORMAL | SMTO_ABORTIFHUNG, kConfigHelloTimeoutMs, &ignored);
  }
  return count;
}

namespace {

// A code-page box owned by the main window with one OK button; then the end of the program is
// requested. The quit request waits for the message loop, so start-up goes on.
void RefuseAndRequestEnd(Tzokcfg_0& window, const std::wstring& text, int32_t caption_number) {
  form::MessageBoxCodePage(&window, WideToAnsi(text), WideToAnsi(LanguageMessageText(caption_number)),
                           MB_OK);
  window.App().Terminate();
}

void RefuseGuest(Tzokcfg_0& window) {
  window.BitBtn3->SetEnabled(false);
  RefuseAndRequestEnd(window, UserName + LanguageMessageText(kMsgGuestText), kMsgGuestCaption);
}

// The active scheme number of the user scheme file as text; "0" when it has none.
std::wstring ActiveIndexText() {
  const int32_t index = ReadCurrentSchemeIndex(UserSchemeFile);
  return index == -1 ? std::wstring(L"0") : IntToText(index);
}

// Loads the user scheme file; when it holds no usable scheme, the default scheme file is copied
// over it and loaded instead. Returns the active index text the load used.
std::wstring LoadUserSchemeFile(Tzokcfg_0& window) {
  std::wstring active = ActiveIndexText();
  if (LoadScheme(window, UserSchemeFile, active, IniData) != -1) return active;
  if (CopyFileW(DefaultSchemeFile.c_str(), UserSchemeFile.c_str(), FALSE)) {
    active = ActiveIndexText();
    LoadScheme(window, UserSchemeFile, active, IniData);
  } else {
    RefuseAndRequestEnd(window, LanguageMessageText(kMsgCopyFailedText), kMsgCopyFailedCaption);
  }
  return active;
}

// 1 checks the tray box (its click handler tells the tray program); 0 and anything else leave
// it unchecked as built.
void ApplyTraySetting(Tzokcfg_0& window) {
  const int setting = ReadTrayIconSetting();
  if (setting == 0) window.CheckBox1->SetChecked(false);
  if (setting == 1) window.CheckBox1->SetChecked(true);
}

// YEV: the key pictures of rows 1 to 8 from the install folder, only when all eight exist.
void LoadKeyPictures(Tzokcfg_0& window) {
  if (!AllKeyPictureFilesExist(InstallFolder)) return;
  form::Image* pictures[] = {window.Image1, window.Image2, window.Image3, window.Image4,
                             window.Image5, window.Image6, window.Image7, window.Image8};
  for (int n = 1; n <= kKeyPictureCount; ++n) {
    // A file that is no icon leaves that row's stored picture; the others still load.
    try {
      pictures[n - 1]->LoadIconFile(KeyPictureFile(InstallFolder, n));
    } catch (const form::Error&) {
    }
  }
}

// The scheme whose rows start-up loads: the stored active scheme, or the one the scheme list
// selected when the stored one lies past the table.
int32_t SchemeToLoad(Tzokcfg_0& window, const std::wstring& active) {
  const int32_t stored = TextToIntDef(active, 0);
  const int keys = RowsPerScheme();
  const bool in_table = keys > 0 && static_cast<int64_t>(stored) * keys < RowCount(window);
  return in_table ? stored : IniData.current;
}

}  // namespace

void Tzokcfg_0::FormCreate(form::Component&) {
  KeyRow = 0;
  NumPadRow = StoredNumPadRow(variant::kIsYev);
  SchemeModified = false;
  InstallFolder = ReadInstallFolder();
  SelectLanguage(*this);
  UserName = GetLogonUserName();
  if (IsGuestUser()) RefuseGuest(*this);
  CreateDirectoryW(kDataFolder, nullptr);
  UserSchemeFile = kUserSchemeFilePrefix + UserName + kUserSchemeFileSuffix;
  const std::wstring active = LoadUserSchemeFile(*this);
  AllocateLockedFlags(IniData.numbutton);
  LoadLocalizedCaptions(*this);
  LoadDefaultIcons();
  LoadAllSchemeRows(*this);
  // The small pictures are drawn once, at the end, from the same records: a redraw of them here
  // would only be overwritten before the window is first shown.
  LoadSchemeRecordsFromRows(*this, SchemeToLoad(*this, active));
  RefreshButtonLabels();
  ApplyTraySetting(*this);
  MirrorSchemeToRegistry(*this);
  CenterOnWorkArea();
  SendConfigHello(Handle(), kConfigHelloCount);
  HideNumPadGroupAndLayOut(*this);
  if (variant::kIsYev) LoadKeyPictures(*this);
  RefreshButtonIcons();
  // The place and size the show gives the window, taken while it is hidden: the show then finds
  // nothing to move, and the controls are not drawn a second time once visible.
  FitToWorkArea();
  CenterOnWorkArea();
  Hide();
}
