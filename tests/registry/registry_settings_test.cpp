// Install folder, version text, locked keys and the tray setting against the prefix's registry.
#include <gtest/gtest.h>

#include "main_window/locked_buttons.h"
#include "store/program_texts.h"
#include "registry_keys.h"
#include "system/registry_settings.h"

using namespace registry_test;

namespace {

const wchar_t kWindowsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion";

class RegistrySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    saved_program_files_ = ReadValue(HKEY_LOCAL_MACHINE, kWindowsKey, L"ProgramFilesDir").Text();
    VersionText.clear();
  }
  void TearDown() override {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    SetText(HKEY_LOCAL_MACHINE, kWindowsKey, L"ProgramFilesDir", saved_program_files_);
  }
  std::wstring saved_program_files_;
};

TEST_F(RegistrySettingsTest, InstallFolderFromInstallKeyOrProgramFiles) {
  SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", L"D:\\Keys");
  SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"Version", L"2.41");
  EXPECT_EQ(L"D:\\Keys", ReadInstallFolder());
  EXPECT_EQ(L"2.41", VersionText);

  // Taken as stored: no expansion, the trailing backslash kept; a missing Version is empty.
  SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", L"%SystemDrive%\\Keys\\", REG_EXPAND_SZ);
  DeleteValue(HKEY_LOCAL_MACHINE, kInstallKey, L"Version");
  EXPECT_EQ(L"%SystemDrive%\\Keys\\", ReadInstallFolder());
  EXPECT_EQ(L"", VersionText);

  // The key without "UIPath" gives an empty folder, not the fallback.
  DeleteValue(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath");
  EXPECT_EQ(L"", ReadInstallFolder());

  DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
  SetText(HKEY_LOCAL_MACHINE, kWindowsKey, L"ProgramFilesDir", L"E:\\Programs");
  VersionText.clear();
  EXPECT_EQ(L"E:\\Programs\\KVZOK", ReadInstallFolder());
  EXPECT_EQ(L"", VersionText);
}

TEST_F(RegistrySettingsTest, LockedFlagsFromTheInstallKey) {
  // Room numbutton + 2, followed by guard bytes that nothing may touch.
  unsigned char flags[16];
  memset(flags, 0xEE, sizeof flags);
  const size_t room = 12;

  ReadLockedFlags(flags, room, 10);  // no install key: cleared
  for (int i = 0; i < 10; ++i) EXPECT_EQ(0, flags[i]) << i;

  SetBinary(HKEY_LOCAL_MACHINE, kInstallKey, L"Locked", {1, 0, 0, 1, 0, 2, 0, 0, 0, 0});
  ReadLockedFlags(flags, room, 10);
  const std::vector<unsigned char> expected = {1, 0, 0, 1, 0, 2, 0, 0, 0, 0};
  EXPECT_EQ(expected, std::vector<unsigned char>(flags, flags + 10));

  // A shorter value covers only its keys: the rest are cleared, not left from before.
  SetBinary(HKEY_LOCAL_MACHINE, kInstallKey, L"Locked", {0, 1});
  ReadLockedFlags(flags, room, 10);
  EXPECT_EQ(1, flags[1]);
  for (int i : {0, 2, 3, 5, 9}) EXPECT_EQ(0, flags[i]) << i;

  // A longer value is cut to the room.
  SetBinary(HKEY_LOCAL_MACHINE, kInstallKey, L"Locked", std::vector<unsigned char>(40, 1));
  ReadLockedFlags(flags, room, 10);
  for (size_t i = 0; i < room; ++i) EXPECT_EQ(1, flags[i]) << i;
  for (size_t i = room; i < sizeof flags; ++i) EXPECT_EQ(0xEE, flags[i]) << i;

  // The value removed: every flag of the keys cleared again.
  DeleteValue(HKEY_LOCAL_MACHINE, kInstallKey, L"Locked");
  ReadLockedFlags(flags, room, 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(0, flags[i]) << i;
}

bool SameRows(const std::vector<LockedRowControls>& rows,
              const std::vector<std::vector<int>>& expected) {
  if (rows.size() != expected.size()) return false;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].radio != expected[i][0] || rows[i].caption_label != expected[i][1] ||
        rows[i].assignment_label != expected[i][2])
      return false;
  }
  return true;
}

TEST(LockedRowsTest, OwnRowControlsAndBoundedTables) {
  const unsigned char ten[12] = {1, 0, 0, 1, 0, 0, 0, 0, 0, 2, 1, 1};
  EXPECT_TRUE(SameRows(LockedRows(ten, 12, 10), {{1, 1, 11}, {4, 4, 14}}));

  // Fewer keys: a locked key still loses its own assignment label (Label<i+11>).
  EXPECT_TRUE(SameRows(LockedRows(ten, 8, 6), {{1, 1, 11}, {4, 4, 14}}));
  const unsigned char last_of_six[8] = {0, 0, 0, 0, 0, 1, 1, 1};
  EXPECT_TRUE(SameRows(LockedRows(last_of_six, 8, 6), {{6, 6, 16}}));

  // numbutton beyond the window's ten rows, or beyond the flags: never past either.
  const unsigned char all[40] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  std::vector<LockedRowControls> rows = LockedRows(all, 40, 30);
  ASSERT_EQ(10u, rows.size());
  EXPECT_EQ(10, rows.back().radio);
  EXPECT_EQ(20, rows.back().assignment_label);
  EXPECT_EQ(3u, LockedRows(all, 3, 10).size());
  EXPECT_TRUE(LockedRows(all, 40, 0).empty());
  EXPECT_TRUE(LockedRows(all, 40, -4).empty());
}

TEST_F(RegistrySettingsTest, TrayIconSettingReadAndWritten) {
  EXPECT_EQ(0, ReadTrayIconSetting());  // no config key
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kConfigKey));  // reading creates nothing

  EXPECT_EQ(0, WriteTrayIconSetting(1));  // creates the key with its parents
  StoredValue stored = ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon");
  ASSERT_TRUE(stored.found);
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), stored.type);
  EXPECT_EQ(4u, stored.bytes.size());
  EXPECT_EQ(1u, stored.Dword());
  EXPECT_EQ(1, ReadTrayIconSetting());

  EXPECT_EQ(0, WriteTrayIconSetting(0));  // the existing key
  EXPECT_EQ(0, ReadTrayIconSetting());
  SetDword(HKEY_CURRENT_USER, kConfigKey, L"trayicon", 5);
  EXPECT_EQ(5, ReadTrayIconSetting());

  SetText(HKEY_CURRENT_USER, kConfigKey, L"trayicon", L"1");  // not a DWORD
  EXPECT_EQ(0, ReadTrayIconSetting());
  DeleteValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon");
  EXPECT_EQ(0, ReadTrayIconSetting());
}

}  // namespace
