// printf-style formatting of the game's texts into a fixed buffer.
#pragma once

#include <string>

namespace game {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string FormatText(const char* format, ...);

}  // namespace game
