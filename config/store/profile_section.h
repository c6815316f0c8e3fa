// One section of a scheme file read at once (GetPrivateProfileSectionW), its keys then found as
// the key-by-key reads find them, and the key-by-key writes (WritePrivateProfileStringW) left
// out where they would not change the file.
//
// The rules are the platform's own: of sections of one name, the first is the one a key is read
// from and written to (a removal reaches the first of them that holds the key); key names match
// without regard to the letter case of A to Z; the first key of a name wins, a line without "="
// too (it reads as missing); names and values are taken less the blanks around them, whether the
// section read has dropped those or returns the lines as written; a write compares the stored
// text, quotes and blanks within it as stored, with the new value less its leading blanks, and
// changes the file only when they differ. A section whose key names are not all plain ASCII is
// read key by key through the platform, and every write to it is made.
#pragma once
#include <map>
#include <string>
#include <vector>

// One line of a section read as the key-by-key reads see it: the blanks (tab to carriage return,
// ^Z, space) at the line's ends and on both sides of its first "=" belong to neither the name nor
// the value. A line without "=" is a name without a value.
struct ProfileLine {
  std::wstring key;
  std::wstring value;
  bool has_value = false;
};
ProfileLine ParseProfileLine(const std::wstring& line);

// The names of the file's sections in file order, a name held twice twice; empty when the file
// is missing or cannot be read.
std::vector<std::wstring> ReadSectionNames(const std::wstring& file);

class ProfileSection {
 public:
  // Reads the section of the file; nothing when the file or the section is missing or the read
  // fails (the file held by another program without sharing, for one).
  ProfileSection(const std::wstring& section, const std::wstring& file);
  // The section from the lines its read gave, each as written in the file or with its blanks
  // already gone (the platform's section reads differ in that).
  ProfileSection(const std::wstring& section, const std::wstring& file,
                 const std::vector<std::wstring>& lines);

  // Whether the read gave any line.
  bool Holds() const { return held_; }

  // What GetPrivateProfileStringW(section, key, default, room, file) puts into its buffer:
  // the stored value with one pair of enclosing quotes removed, or the default, cut to room - 1.
  std::wstring Copied(const std::wstring& key, const std::wstring& default_value,
                      unsigned room) const;
  // ReadProfileText of the key: at most 254 characters.
  std::wstring Text(const std::wstring& key, const std::wstring& default_value) const;
  // INICTL ReadString of the key: at most 1023 characters; the default when nothing is read.
  std::wstring IniString(const std::wstring& key, const std::wstring& default_value) const;
  // INICTL ReadInteger of the key (GetPrivateProfileIntW): the text of at most 29 characters
  // through the platform's own conversion; the default when nothing is read.
  int IniInteger(const std::wstring& key, int default_value) const;

  // Whether WritePrivateProfileStringW(section, key, value, file) would leave the file as it
  // is; false whenever that is not certain. An empty value stands for the removal of the key.
  bool WriteChangesNothing(const std::wstring& key, const std::wstring& value) const;
  // What the write has done to the section's first lines of that name.
  void Written(const std::wstring& key, const std::wstring& value);

 private:
  struct Line : ProfileLine {
    bool written = false;  // set by this program since the read: the stored text is not certain
  };
  const Line* Find(const std::wstring& key) const;
  bool OnlyOneSectionOfItsName() const;

  std::wstring section_;
  std::wstring file_;
  std::vector<Line> lines_;
  bool held_ = false;
  bool plain_names_ = true;
  mutable int sections_of_name_ = -1;  // counted at the first removal that needs it
};

// Writes keys of a scheme file as WriteProfileText does, one platform write per key, leaving
// out each write that would change nothing. Each section is read once, at its first write or
// when read ahead; the writer must be the file's only writer while it lives.
class ProfileWriter {
 public:
  explicit ProfileWriter(const std::wstring& file) : file_(file) {}

  const std::wstring& File() const { return file_; }

  // Reads the section now, so that later writes compare with what it holds at this point.
  void ReadAhead(const std::wstring& section);
  // The section as read (now, when it was not read before), for the reads of its keys.
  const ProfileSection& Stored(const std::wstring& section);
  // WriteProfileText(section, key, value, file), left out when it would change nothing.
  void Write(const std::wstring& section, const std::wstring& key, const std::wstring& value);

 private:
  ProfileSection& Section(const std::wstring& section);

  std::wstring file_;
  std::map<std::wstring, ProfileSection> sections_;
};
