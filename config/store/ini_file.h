// INICTL: a small accessor bound to one wide initialization file.
#pragma once
#include <string>

class INICTL {
 public:
  // Keeps its own copy of a name of 1 to 1024 characters; an empty or longer name binds the
  // object to "c:\kvzok" instead.
  explicit INICTL(const std::wstring& file_name);

  const std::wstring& FileName() const { return file_name_; }

  // The key's integer value, or the default when the key is missing.
  int ReadInteger(const std::wstring& section, const std::wstring& key, int default_value) const;
  // Writes the decimal text; nonzero on success.
  int WriteInteger(const std::wstring& section, const std::wstring& key, int value) const;
  // At most 1023 characters; the default when the read yields no character.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& default_value) const;
  // Hands the value to the platform write unchanged; nonzero on success.
  int WriteString(const std::wstring& section, const std::wstring& key,
                  const std::wstring& value) const;
  // Removes the section with all its keys; nonzero on success.
  int EraseSection(const std::wstring& section) const;

 private:
  std::wstring file_name_;
};
