// The registry mirror of the active scheme, written from a real scheme file into the prefix's
// registry.
#include <gtest/gtest.h>

#include "registry_keys.h"
#include "main_window/registry_mirror.h"
#include "test_support.h"

using namespace registry_test;
using namespace testing_support;

namespace {

std::wstring KeyPath(int key_number) {
  return std::wstring(kConfigKey) + L"\\" + std::to_wstring(key_number);
}

class RegistryMirrorTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV"); }
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV"); }

  std::wstring WriteSchemeFile(const std::string& text) {
    const std::wstring path = scratch_.File(L"user.ini");
    EXPECT_TRUE(WriteTextFile(path, text));
    return path;
  }

  static void ExpectText(int key, const wchar_t* name, const std::wstring& text) {
    StoredValue value = ReadValue(HKEY_CURRENT_USER, KeyPath(key), name);
    ASSERT_TRUE(value.found) << key << " " << name;
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ((text.size() + 1) * 2, value.bytes.size()) << key << " " << name;
    EXPECT_EQ(text, value.Text()) << key << " " << name;
  }
  static void ExpectNumber(int key, const wchar_t* name, DWORD number) {
    StoredValue value = ReadValue(HKEY_CURRENT_USER, KeyPath(key), name);
    ASSERT_TRUE(value.found) << key << " " << name;
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
    EXPECT_EQ(4u, value.bytes.size());
    EXPECT_EQ(number, value.Dword()) << key << " " << name;
  }

  ScratchFolder scratch_;
};

const char kTwoSchemes[] =
    "[global]\r\nscheme=1\r\ncurrent=1\r\nnumbutton=3\r\n"
    "[0]\r\nschemename=Factory\r\ncaption0=Home\r\nfunction0=5\r\ncaption1=Find\r\n"
    "[1]\r\nschemename=Mine\r\n"
    "caption0=Mail\r\nfunction0=4\r\nlinkto0=C:\\mail.exe\r\nvkey0=0\r\nassign0=mail\r\n"
    "caption1=~caption\r\nfunction1=-3\r\nlinkto1=~linkto\r\n"
    "caption2=~Caption\r\nfunction2=13\r\nvkey2=27\r\nlinkto2=~LINKTO\r\n";

TEST_F(RegistryMirrorTest, FirstStartCreatesTheConfigKeyWithTheActiveScheme) {
  ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kConfigKey));
  MirrorSchemeToRegistry(0, WriteSchemeFile(kTwoSchemes), 3);

  StoredValue tray = ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon");
  ASSERT_TRUE(tray.found);
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), tray.type);
  EXPECT_EQ(0u, tray.Dword());
  EXPECT_EQ(3, SubkeyCount(HKEY_CURRENT_USER, kConfigKey));

  // Section 1 (the stored "current"), not section 0.
  ExpectText(0, L"caption", L"Mail");  // four characters: 10 bytes
  ExpectNumber(0, L"function", 4);
  ExpectText(0, L"linkto", L"C:\\mail.exe");
  ExpectNumber(0, L"vkey", 0);
  // Sentinels become empty texts of 2 bytes; only the exact sentinel does.
  ExpectText(1, L"caption", L"");
  ExpectNumber(1, L"function", static_cast<DWORD>(-3));
  ExpectText(1, L"linkto", L"");
  ExpectText(2, L"caption", L"~Caption");
  ExpectText(2, L"linkto", L"~LINKTO");
  ExpectNumber(2, L"function", 13);
  ExpectNumber(2, L"vkey", 27);
  EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, KeyPath(0), L"assign").found);
}

TEST_F(RegistryMirrorTest, RewritesOnlyTheKeysOfTheScheme) {
  const std::wstring file = WriteSchemeFile(kTwoSchemes);
  SetDword(HKEY_CURRENT_USER, kConfigKey, L"trayicon", 5);
  SetText(HKEY_CURRENT_USER, KeyPath(0), L"caption", L"stale caption");
  SetText(HKEY_CURRENT_USER, KeyPath(7), L"caption", L"left from more keys");

  MirrorSchemeToRegistry(1, file, 3);
  EXPECT_EQ(1u, ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword());
  ExpectText(0, L"caption", L"Mail");
  ExpectText(7, L"caption", L"left from more keys");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, KeyPath(3)));

  // The active scheme changed in the file: the mirror follows the file.
  WritePrivateProfileStringW(L"global", L"current", L"0", file.c_str());
  MirrorSchemeToRegistry(0, file, 3);
  ExpectText(0, L"caption", L"Home");
  ExpectNumber(0, L"function", 5);
  ExpectText(0, L"linkto", L"");
  ExpectText(1, L"caption", L"Find");
}

TEST_F(RegistryMirrorTest, MissingFileOrSectionMirrorsEmptyKeys) {
  MirrorSchemeToRegistry(0, scratch_.File(L"missing.ini"), 2);
  EXPECT_EQ(2, SubkeyCount(HKEY_CURRENT_USER, kConfigKey));
  for (int key : {0, 1}) {
    ExpectText(key, L"caption", L"");
    ExpectText(key, L"linkto", L"");
    ExpectNumber(key, L"function", 0);
    ExpectNumber(key, L"vkey", 0);
  }

  // No keys: only "trayicon" is written.
  DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
  MirrorSchemeToRegistry(1, scratch_.File(L"missing.ini"), 0);
  EXPECT_EQ(0, SubkeyCount(HKEY_CURRENT_USER, kConfigKey));
  EXPECT_EQ(1u, ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword());
}

TEST_F(RegistryMirrorTest, LongCaptionIsCutAt1023Characters) {
  const std::string caption(1500, 'c');
  MirrorSchemeToRegistry(
      0, WriteSchemeFile("[global]\r\nscheme=0\r\ncurrent=0\r\n[0]\r\ncaption0=" + caption + "\r\n"),
      1);
  ExpectText(0, L"caption", std::wstring(1023, L'c'));
}

}  // namespace
