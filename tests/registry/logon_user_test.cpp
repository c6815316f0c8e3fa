// Logon user name, the relative id of built-in SIDs and the Guests test.
#include <gtest/gtest.h>

#include "system/logon_user.h"

namespace {

TEST(RidOfBuiltinSidTest, OnlyBuiltinRelativeIds) {
  EXPECT_EQ(546, RidOfBuiltinSid("S-1-5-32-546"));
  EXPECT_EQ(544, RidOfBuiltinSid("S-1-5-32-544"));
  EXPECT_EQ(0, RidOfBuiltinSid("S-1-5-32"));  // the characters before its last "-" are "1-5"
  EXPECT_EQ(0, RidOfBuiltinSid("S-1-5-21-3623811015-3361044348-30300820-514"));
  EXPECT_EQ(0, RidOfBuiltinSid("S-1-5-21-3623811015-3361044348-30300820-546"));
  EXPECT_EQ(0, RidOfBuiltinSid("no dash at all"));
  EXPECT_EQ(0, RidOfBuiltinSid(""));
  EXPECT_EQ(0, RidOfBuiltinSid(nullptr));
  EXPECT_EQ(0, RidOfBuiltinSid("-546"));   // the first character never counts as the "-"
  EXPECT_EQ(0, RidOfBuiltinSid("32-546"));  // "-" fewer than three characters in
  EXPECT_EQ(7, RidOfBuiltinSid("x-32-7"));
  EXPECT_EQ(0, RidOfBuiltinSid("S-1-5-32-"));
  EXPECT_EQ(0, RidOfBuiltinSid("S-1-5-32-99999999999999999999"));  // no overflow
}

std::vector<std::string> g_groups;
std::vector<std::string> TestGroups() { return g_groups; }

class GuestTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTokenGroupSource(TestGroups); }
  void TearDown() override { SetTokenGroupSource(nullptr); }
};

TEST_F(GuestTest, GuestsFoundAmongAnyNumberOfGroups) {
  g_groups.clear();
  for (int i = 0; i < 120; ++i)  // far more than a 1024-byte buffer holds
    g_groups.push_back("S-1-5-21-3623811015-3361044348-30300820-" + std::to_string(1000 + i));
  EXPECT_FALSE(IsGuestUser());
  g_groups.push_back("S-1-5-32-546");
  EXPECT_TRUE(IsGuestUser());

  g_groups = {"S-1-5-32-546", "S-1-1-0", "S-1-5-32-545"};  // a hit anywhere counts
  EXPECT_TRUE(IsGuestUser());

  g_groups = {"S-1-1-0", "S-1-5-32-545", "S-1-5-21-1-2-3-514", "S-1-5-32-544"};
  EXPECT_FALSE(IsGuestUser());
  g_groups.clear();
  EXPECT_FALSE(IsGuestUser());
}

TEST(ProcessTokenTest, RealTokenGroupsAreReadAndNotGuests) {
  std::vector<std::string> sids = ProcessTokenGroupSids();
  ASSERT_FALSE(sids.empty());
  for (const std::string& sid : sids) EXPECT_EQ(0u, sid.rfind("S-1-", 0)) << sid;
  EXPECT_FALSE(IsGuestUser());
}

// Stand-ins for GetUserNameW: the name needs `g_needed` characters with its null.
DWORD g_needed = 0;
int g_calls = 0;
BOOL WINAPI LongNameReader(LPWSTR buffer, LPDWORD size) {
  ++g_calls;
  if (*size < g_needed) {
    *size = g_needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::wstring name(g_needed - 1, L'n');
  wcscpy(buffer, name.c_str());
  *size = g_needed;
  return TRUE;
}
BOOL WINAPI FailingReader(LPWSTR, LPDWORD size) {
  ++g_calls;
  *size = 0;
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

TEST(LogonUserNameTest, RetriesWithTheAskedRoomAndFallsBackToSpace) {
  g_needed = 700;
  g_calls = 0;
  EXPECT_EQ(std::wstring(699, L'n'), LogonUserNameFrom(LongNameReader));
  EXPECT_EQ(2, g_calls);

  g_needed = 6;
  g_calls = 0;
  EXPECT_EQ(L"nnnnn", LogonUserNameFrom(LongNameReader));
  EXPECT_EQ(1, g_calls);

  EXPECT_EQ(L" ", LogonUserNameFrom(FailingReader));

  const std::wstring real = GetLogonUserName();
  EXPECT_FALSE(real.empty());
  EXPECT_EQ(std::wstring::npos, real.find(L'\0'));
}

}  // namespace
