// Palette table, shade ramp and grid hit test of the colour pickers.
#include "dialogs/colour_grid.h"

#include <algorithm>

namespace colour_grid {
namespace {

constexpr Rgb kPalette[kRows][kPaletteColumns] = {
    {{255, 255, 255}, {0, 0, 0}, {128, 128, 128}, {192, 192, 192},
     {255, 127, 80}, {34, 139, 34}, {173, 255, 47}, {107, 142, 35}},
    {{255, 0, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255},
     {233, 150, 122}, {218, 165, 32}, {32, 178, 170}, {20, 133, 63}},
    {{255, 128, 255}, {0, 255, 0}, {128, 0, 0}, {0, 0, 128},
     {144, 238, 144}, {240, 230, 140}, {124, 152, 0}, {65, 105, 225}},
    {{128, 128, 0}, {128, 0, 128}, {0, 128, 128}, {255, 255, 0},
     {178, 34, 34}, {173, 216, 230}, {147, 112, 219}, {139, 69, 19}},
};

constexpr int kSteps = 24;

// A step never stands still, or a dark component would never reach 0.
int Step(int span) { return std::max(1, span / kSteps); }

}  // namespace

std::uint32_t Pack(Rgb c)
{
    return c.r | (static_cast<std::uint32_t>(c.g) << 8) | (static_cast<std::uint32_t>(c.b) << 16);
}

Rgb Unpack(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

Rgb PaletteColour(int column, int row)
{
    if (column < 0 || column >= kPaletteColumns || row < 0 || row >= kRows)
        return {0, 0, 0};
    return kPalette[row][column];
}

Ramp ShadeRamp(Rgb base)
{
    Ramp ramp{};
    const int dr = Step(base.r), dg = Step(base.g), db = Step(base.b);
    int r = base.r, g = base.g, b = base.b;
    for (int s = 1; s <= kSteps; ++s) {
        r = std::max(0, r - dr);
        g = std::max(0, g - dg);
        b = std::max(0, b - db);
        // Darker steps run from row 2, column 0 on to row 3, column 11.
        ramp[2 * kRampColumns + s - 1] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                          static_cast<std::uint8_t>(b)};
    }
    const int ur = Step(255 - base.r), ug = Step(255 - base.g), ub = Step(255 - base.b);
    r = base.r, g = base.g, b = base.b;
    for (int s = 1; s <= kSteps; ++s) {
        r = std::min(255, r + ur);
        g = std::min(255, g + ug);
        b = std::min(255, b + ub);
        // Lighter steps run backwards from row 1, column 11 to row 0, column 0.
        ramp[2 * kRampColumns - s] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                      static_cast<std::uint8_t>(b)};
    }
    return ramp;
}

std::optional<Cell> CellAt(int x, int y, int cellWidth, int cellHeight, int columns)
{
    if (cellWidth <= 0 || cellHeight <= 0 || x < 0 || y < 0)
        return std::nullopt;
    const int column = x / cellWidth, row = y / cellHeight;
    if (column >= columns || row >= kRows)
        return std::nullopt;
    return Cell{column, row};
}

}  // namespace colour_grid
