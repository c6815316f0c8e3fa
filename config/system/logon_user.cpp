#include "system/logon_user.h"

#include <sddl.h>

#include <cstring>

namespace {

constexpr DWORD kFirstNameRoom = 512;

TokenGroupSource g_token_group_source = ProcessTokenGroupSids;

// The token's groups, read with the size the token asks for (a fixed buffer would miss the
// later groups of a token with many).
std::vector<BYTE> ReadTokenGroups(HANDLE token) {
  DWORD needed = 0;
  GetTokenInformation(token, TokenGroups, nullptr, 0, &needed);
  if (needed < sizeof(TOKEN_GROUPS)) return {};
  std::vector<BYTE> buffer(needed);
  if (!GetTokenInformation(token, TokenGroups, buffer.data(), needed, &needed)) return {};
  return buffer;
}

}  // namespace

std::wstring LogonUserNameFrom(UserNameReader read_name) {
  std::wstring name(kFirstNameRoom, L'\0');
  DWORD size = kFirstNameRoom;
  if (!read_name(&name[0], &size)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return L" ";
    name.assign(size, L'\0');
    if (!read_name(&name[0], &size)) return L" ";
  }
  name.resize(wcsnlen(name.c_str(), name.size()));
  return name.empty() ? L" " : name;
}

std::wstring GetLogonUserName() { return LogonUserNameFrom(GetUserNameW); }

int RidOfBuiltinSid(const char* sid_text) {
  if (!sid_text) return 0;
  const size_t length = strlen(sid_text);
  size_t dash = 0;  // position of the last "-"; the first character never counts
  for (size_t i = length; i-- > 1;) {
    if (sid_text[i] == '-') {
      dash = i;
      break;
    }
  }
  if (dash < 3 || strncmp(sid_text + dash - 3, "-32", 3) != 0) return 0;
  int rid = 0;
  for (const char* digit = sid_text + dash + 1; *digit >= '0' && *digit <= '9'; ++digit) {
    if (rid > 100000000) return 0;  // longer than any relative id: no number
    rid = rid * 10 + (*digit - '0');
  }
  return rid;
}

std::vector<std::string> ProcessTokenGroupSids() {
  std::vector<std::string> sids;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return sids;
  std::vector<BYTE> buffer = ReadTokenGroups(token);
  CloseHandle(token);
  if (buffer.empty()) return sids;
  const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  for (DWORD i = 0; i < groups->GroupCount; ++i) {
    char* text = nullptr;
    if (!ConvertSidToStringSidA(groups->Groups[i].Sid, &text)) continue;
    sids.push_back(text);
    LocalFree(text);
  }
  return sids;
}

void SetTokenGroupSource(TokenGroupSource source) {
  g_token_group_source = source ? source : ProcessTokenGroupSids;
}

bool IsGuestUser() {
  bool guest = false;
  for (const std::string& sid : g_token_group_source())
    if (RidOfBuiltinSid(sid.c_str()) == kGuestsRid) guest = true;
  return guest;
}
