// The logon user: the name that names the user's scheme file, and the test that refuses
// members of the built-in Guests group.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The logon user name from GetUserNameW: first with room for 512 characters, once more with
// the room the failed call asked for; " " when both calls fail or the name is empty.
std::wstring GetLogonUserName();

// The same with the name reader passed in (GetUserNameW's signature), so the retry can be
// exercised.
using UserNameReader = BOOL(WINAPI*)(LPWSTR buffer, LPDWORD size);
std::wstring LogonUserNameFrom(UserNameReader read_name);

// The last relative id of a SID in string form when the sub-authority before it is 32
// (S-1-5-32-546 gives 546); 0 otherwise, and for a text without "-".
int RidOfBuiltinSid(const char* sid_text);

// Relative id of BUILTIN\Guests.
constexpr int kGuestsRid = 546;

// The groups of the process token as SID strings; empty when the token cannot be opened or
// read. A SID that cannot be converted is left out.
std::vector<std::string> ProcessTokenGroupSids();

// Where IsGuestUser gets the token's groups: ProcessTokenGroupSids unless a test sets another
// source; null restores it.
using TokenGroupSource = std::vector<std::string> (*)();
void SetTokenGroupSource(TokenGroupSource source);

// True when any group of the token is BUILTIN\Guests.
bool IsGuestUser();
