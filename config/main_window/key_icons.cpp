// The small pictures of the key rows: ImageList1 holds one entry per key, Image11 .. Image20
// show entries 0 .. 9.
#include <array>
#include <map>
#include <optional>
#include <string>

#include "main_window/associated_icon.h"
#include "main_window/key_pictures.h"
#include "main_window/main_window.h"
#include "store/scheme_records.h"
#include "variant.h"

namespace {

form::ImageList& ListOf(Tzokcfg_0& window, PictureList list) {
  switch (list) {
    case PictureList::kDefKVFn: return *window.DefKVFn_ImgLst;
    case PictureList::kNumPadFn: return *window.NumPadFn_ImgLst;
    case PictureList::kMediaFn: return *window.MediaFn_ImgLst;
    default: return *window.DefFn_ImgLst;
  }
}

PictureChoice DefaultPictureOf(Tzokcfg_0& window, int key) {
  return DefaultKeyPicture(key, IniData.numhkbtns, window.DefKVFn_ImgLst->Count());
}

// The list entry each entry of a working list was last copied from (none for a link's own icon).
// Only this file writes the working lists, so a refresh can leave an entry that already holds
// its picture: each copy costs icon handles, a large part of a start under Wine.
using HeldPictures = std::array<std::optional<PictureChoice>, kKeyRecords>;

HeldPictures& HeldBy(const form::ImageList& working) {
  static std::map<const form::ImageList*, HeldPictures> held;
  return held[&working];
}

// Entry `key` of ImageList1 from a list entry; the entry is appended when the list is shorter
// (keys run upwards from 0, so it lands at `key`).
void SetEntry(Tzokcfg_0& window, int key, PictureChoice choice) {
  form::ImageList& working = *window.ImageList1;
  std::optional<PictureChoice>& held = HeldBy(working)[key];
  form::ImageList& source = ListOf(window, choice.list);
  if (key >= working.Count())
    working.AddFrom(source, choice.index);
  else if (!(held && *held == choice))
    working.ReplaceFrom(key, source, choice.index);
  held = choice;
}

void SetEntry(Tzokcfg_0& window, int key, HICON icon) {
  form::ImageList& working = *window.ImageList1;
  if (key < working.Count())
    working.ReplaceIcon(key, icon);
  else
    working.AddIcon(icon);
  HeldBy(working)[key].reset();
}

// A link shows the computer picture (YEV), the target's own icon, or the key's default.
void SetLinkEntry(Tzokcfg_0& window, int key, const std::wstring& linkto) {
  if (IsComputerLink(linkto, variant::kIsYev)) {
    SetEntry(window, key, kComputerPicture);
  } else if (HICON icon = GetAssociatedIcon(linkto.c_str(), 0)) {
    SetEntry(window, key, icon);  // the list keeps its own copy
    DestroyIcon(icon);
  } else {
    SetEntry(window, key, DefaultPictureOf(window, key));
  }
}

form::Image* SmallPicture(Tzokcfg_0& window, int key) {
  form::Image* pictures[kKeyRecords] = {window.Image11, window.Image12, window.Image13,
                                        window.Image14, window.Image15, window.Image16,
                                        window.Image17, window.Image18, window.Image19,
                                        window.Image20};
  return pictures[key];
}

}  // namespace

void Tzokcfg_0::LoadDefaultIcons() {
  ImageList1->Clear();
  HeldBy(*ImageList1) = HeldPictures();
  const int keys = KeyRecordCount(IniData.numbutton);
  for (int key = 0; key < keys; ++key) SetEntry(*this, key, DefaultPictureOf(*this, key));
}

void Tzokcfg_0::RefreshButtonIcons() {
  const int keys = KeyRecordCount(IniData.numbutton);
  for (int key = 0; key < keys; ++key) {
    const hotkey_data& record = IniData.schemedata.keys[key];
    const PictureChoice choice = FunctionIconTable(record.function, record.vkey);
    if (choice.list == PictureList::kLink)
      SetLinkEntry(*this, key, record.linkto);
    else if (choice.list == PictureList::kKeyDefault)
      SetEntry(*this, key, DefaultPictureOf(*this, key));
    else
      SetEntry(*this, key, choice);
  }
  for (int key = 0; key < kKeyRecords; ++key) {
    if (key < keys)
      SmallPicture(*this, key)->SetIconFromList(*ImageList1, key);
    else
      SmallPicture(*this, key)->Clear();
  }
}
