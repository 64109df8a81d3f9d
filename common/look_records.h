// The look the player chose: five colours and three fonts with their text
// colours, as plain records the settings store keeps. No Win32 here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace look {

// Colours as COLORREF values 0x00BBGGRR.
struct ColourScheme {
    std::uint32_t BackGround = 0x800080;   // frame's client area, RGB(128, 0, 128)
    std::uint32_t BattleField = 0x008080;  // board squares, RGB(128, 128, 0)
    std::uint32_t Ships = 0x7F7F7F;
    std::uint32_t Lines = 0x000000;
    std::uint32_t SunkShip = 0x7F7F7F;
};

constexpr std::size_t kFaceNameSize = 32;

// LOGFONTA, field by field. An all-zero record stands for the system's font.
struct FontRecord {
    std::int32_t Height = 0, Width = 0, Escapement = 0, Orientation = 0, Weight = 0;
    std::uint8_t Italic = 0, Underline = 0, StrikeOut = 0, CharSet = 0;
    std::uint8_t OutPrecision = 0, ClipPrecision = 0, Quality = 0, PitchAndFamily = 0;
    std::array<char, kFaceNameSize> FaceName{};
};

// The three fonts, in the order they are stored.
enum FontId { kCommentatorFont, kComputerBoardFont, kHumanBoardFont, kFontCount };

constexpr std::uint32_t kCommentatorTextColour = 0x0000FF;  // red
constexpr std::uint32_t kBoardTextColour = 0xFFFFFF;        // white

// Each font with its text colour.
struct FontInfo {
    std::array<FontRecord, kFontCount> Fonts{};
    std::array<std::uint32_t, kFontCount> Colours{kCommentatorTextColour, kBoardTextColour, kBoardTextColour};
};

// How many bytes of each stored face name to read (FontStringSize).
using FaceCounts = std::array<std::uint32_t, kFontCount>;

}  // namespace look
