// Number fields of the settings and colours dialogs.
#include "dialogs/field_rules.h"

#include <limits>

namespace field_rules {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(unsigned c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::optional<std::uint32_t> ParseUnsigned(const std::wstring& text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (!IsDigit(static_cast<unsigned>(text[i])))
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(text[i] - L'0');
        if (value > kMax)
            value = kMax;
    }
    return static_cast<std::uint32_t>(value);
}

std::int32_t TimeOutFromText(const std::wstring& text)
{
    const auto number = ParseUnsigned(text);
    if (!number || *number == 0)
        return kShortestPause;
    if (*number >= static_cast<std::uint32_t>(kLongestPause))
        return kLongestPause;
    return static_cast<std::int32_t>(*number);
}

std::uint8_t ComponentFromNumber(std::optional<std::uint32_t> number)
{
    if (!number)
        return 0;
    return static_cast<std::uint8_t>(*number > 255 ? 255 : *number);
}

bool AcceptChar(unsigned code, std::size_t length)
{
    if (code < 32)
        return true;
    return IsDigit(code) && length < kMaxDigits;
}

}  // namespace field_rules
