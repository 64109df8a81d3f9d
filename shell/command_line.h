// The command line: words split at single spaces.
#pragma once

#include <string_view>

namespace command_line {

// True when one of the words equals word exactly (case-sensitive).
bool HasWord(std::wstring_view line, std::wstring_view word);

}  // namespace command_line
