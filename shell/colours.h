// The five colours of the frame and the boards, as COLORREF values 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace settings {

struct ColourScheme {
    std::uint32_t BackGround = 0x800080;   // frame's client area, RGB(128, 0, 128)
    std::uint32_t BattleField = 0x008080;  // board squares, RGB(128, 128, 0)
    std::uint32_t Ships = 0x7F7F7F;
    std::uint32_t Lines = 0x000000;
    std::uint32_t SunkShip = 0x7F7F7F;
};

}  // namespace settings
