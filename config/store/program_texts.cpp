#include "store/program_texts.h"

std::wstring UserName;
std::wstring InstallFolder;
std::wstring UserSchemeFile;
std::wstring DefaultSchemeFile;
std::wstring VersionText;
