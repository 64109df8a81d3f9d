// UTF-8 texts of the game to the wide strings Win32 shows, and back.
#pragma once

#include <string>

namespace text {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace text
