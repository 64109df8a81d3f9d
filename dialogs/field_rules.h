// What the dialogs' number fields make of their text, and which typed
// characters the colour fields let through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace field_rules {

// The field's text as an unsigned decimal number: blanks around it are
// allowed, anything else makes it unreadable. Numbers too large for 32 bits
// read as the largest one.
std::optional<std::uint32_t> ParseUnsigned(const std::wstring& text);

// The computer's pause from the settings dialog's field: unreadable or 0
// gives 1, anything from 5000 up gives 5000.
constexpr std::int32_t kShortestPause = 1;
constexpr std::int32_t kLongestPause = 5000;
std::int32_t TimeOutFromText(const std::wstring& text);

// A colour field's component: not a number reads as 0, above 255 as 255.
std::uint8_t ComponentFromNumber(std::optional<std::uint32_t> number);
inline std::uint8_t ComponentFromText(const std::wstring& text) { return ComponentFromNumber(ParseUnsigned(text)); }

// A character typed into a colour field that already holds `length`
// characters: digits only, at most three of them. Control characters
// (Backspace, Ctrl+C, ...) always pass.
constexpr std::size_t kMaxDigits = 3;
bool AcceptChar(unsigned code, std::size_t length);

}  // namespace field_rules
