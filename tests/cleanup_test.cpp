// zokclean against a real C:\KVZOK in the test prefix.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace testing_support;

namespace {

const std::wstring kFolder = L"C:\\KVZOK";

class CleanupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(kFolder);
    ASSERT_FALSE(FileExists(kFolder));
  }
  void TearDown() override { RemoveTree(kFolder); }

  static void MakeFolder(const std::wstring& path) { ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)); }
  static void MakeFile(const std::wstring& path) { ASSERT_TRUE(WriteTextFile(path, "[global]\r\nscheme=0\r\n")); }
  static long RunCleanup(const std::wstring& arguments = L"") {
    return RunAndWait(L"\"" + BinPath(L"zokclean.exe") + L"\"" + arguments);
  }
};

TEST_F(CleanupTest, RemovesUserFilesAndTheFolder) {
  MakeFolder(kFolder);
  MakeFile(kFolder + L"\\alice.ini");
  MakeFile(kFolder + L"\\bob.ini");
  EXPECT_EQ(0, RunCleanup());
  EXPECT_FALSE(FileExists(kFolder + L"\\alice.ini"));
  EXPECT_FALSE(FileExists(kFolder));
}

TEST_F(CleanupTest, RemovesAnEmptyFolder) {
  MakeFolder(kFolder);
  EXPECT_EQ(0, RunCleanup());
  EXPECT_FALSE(FileExists(kFolder));
}

TEST_F(CleanupTest, KeepsSubfolderWithItsFilesAndTheFolder) {
  MakeFolder(kFolder);
  MakeFolder(kFolder + L"\\sub");
  MakeFile(kFolder + L"\\sub\\inner.ini");
  MakeFile(kFolder + L"\\user.ini");
  EXPECT_EQ(0, RunCleanup());
  EXPECT_FALSE(FileExists(kFolder + L"\\user.ini"));
  EXPECT_TRUE(FileExists(kFolder + L"\\sub\\inner.ini"));
  EXPECT_TRUE(FileExists(kFolder));
}

TEST_F(CleanupTest, KeepsReadOnlyFileAndTheFolder) {
  MakeFolder(kFolder);
  MakeFile(kFolder + L"\\locked.ini");
  MakeFile(kFolder + L"\\user.ini");
  ASSERT_TRUE(SetFileAttributesW((kFolder + L"\\locked.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(0, RunCleanup());
  EXPECT_TRUE(FileExists(kFolder + L"\\locked.ini"));
  EXPECT_FALSE(FileExists(kFolder + L"\\user.ini"));
  EXPECT_TRUE(FileExists(kFolder));
}

TEST_F(CleanupTest, NoFolderEndsWithZero) {
  EXPECT_EQ(0, RunCleanup());
  EXPECT_FALSE(FileExists(kFolder));
}

// A name far longer than the 118 characters a 128-character path buffer holds after the
// prefix: it is deleted and nothing overruns.
TEST_F(CleanupTest, DeletesFileWithLongName) {
  MakeFolder(kFolder);
  std::wstring long_name(196, L'n');
  long_name += L".ini";
  MakeFile(kFolder + L"\\" + long_name);
  ASSERT_TRUE(FileExists(kFolder + L"\\" + long_name));
  EXPECT_EQ(0, RunCleanup());
  EXPECT_FALSE(FileExists(kFolder + L"\\" + long_name));
  EXPECT_FALSE(FileExists(kFolder));
}

TEST_F(CleanupTest, ArgumentsChangeNothing) {
  MakeFolder(kFolder);
  MakeFile(kFolder + L"\\user.ini");
  EXPECT_EQ(0, RunCleanup(L" /keep C:\\KVZOK\\user.ini --help"));
  EXPECT_FALSE(FileExists(kFolder));
}

}  // namespace
