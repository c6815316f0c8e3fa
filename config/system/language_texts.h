// Texts of the windows and message boxes from the language file ("obj<code>.set" in the install
// folder, in the system code page): section "objects" by caption key, section "msg" by number.
#pragma once
#include <cstdint>
#include <string>

// Numbers of the messages in section "msg" (key "msg" + number).
enum LanguageMessage : int32_t {
  kMsgGuestCaption = 1,        // caption of the Guests refusal
  kMsgCopyFailedCaption = 2,   // caption when the default scheme file cannot be copied
  kMsgOverwriteCaption = 3,    // caption of the overwrite question of Create New Theme
  kMsgSchemeCaption = 4,       // caption of the delete question and the factory refusal
  kMsgGuestText = 16,          // follows the user name directly
  kMsgCopyFailedText = 17,
  kMsgOverwriteText = 18,      // a scheme of the typed name exists: overwrite?
  kMsgFactorySchemeText = 19,  // the factory scheme is never overwritten
  kMsgDeleteText = 20,         // delete the selected scheme?
  kMsgBarInTextText = 24,      // "|" in a caption or link (Unicode box, no caption)
};

// An ini file read with the ANSI private-profile reader: names match regardless of case,
// values lose surrounding blanks and one pair of enclosing quotes, at most 2047 bytes.
class LanguageIni {
 public:
  explicit LanguageIni(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }
  std::string ReadValue(const std::string& section, const std::string& key,
                        const std::string& default_value) const;

 private:
  std::string path_;
};

// The language file of this run; null until the language is chosen at start-up.
extern LanguageIni* LangIni;

// The language file of this run, or, before one is chosen, a file that does not exist (every
// lookup then yields its key).
const LanguageIni& CurrentLanguageIni();

// "objects": the key's text; "msg": the text of "msg" + number. A missing or empty value
// yields the key itself ("msg24" for message 24); any other section the empty text.
std::wstring GetLanguageText(const LanguageIni& ini, const std::string& section,
                             const std::string& key, int32_t number);

// Shorthands for the two sections.
std::wstring LanguageMessageText(int32_t number);
std::wstring LanguageCaptionText(const std::string& key);

// Paths of the language file and the default scheme file for a code: install folder + "\obj" +
// code + ".set" (or "obj0409.set" when that file does not exist) and + ".bcm" (never tested).
// The folder is joined as it stands.
struct LanguagePaths {
  std::wstring language_file;
  std::wstring default_scheme_file;
};
LanguagePaths LanguagePathsFor(const std::wstring& install_folder, const std::wstring& code);
