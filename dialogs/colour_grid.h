// The two colour pickers of the colours dialog as plain data: the fixed
// palette, the shade ramp of a base colour and the cell under a point.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace colour_grid {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// 0x00BBGGRR, as a COLORREF and as the colour scheme stores it.
std::uint32_t Pack(Rgb c);
Rgb Unpack(std::uint32_t value);

constexpr int kRows = 4;
constexpr int kPaletteColumns = 8;
constexpr int kRampColumns = 12;

// Palette colour at column 0..7, row 0..3.
Rgb PaletteColour(int column, int row);

// 48 lighter and darker shades of base, row by row: rows 0 and 1 the tints
// (lightest first), rows 2 and 3 the shades (darkest last). The base itself
// is not among them.
using Ramp = std::array<Rgb, kRows * kRampColumns>;
Ramp ShadeRamp(Rgb base);
inline Rgb RampColour(const Ramp& ramp, int column, int row) { return ramp[row * kRampColumns + column]; }

struct Cell {
    int column, row;
    bool operator==(const Cell& o) const { return column == o.column && row == o.row; }
};

// The cell of a grid of columns × kRows cells of cellWidth × cellHeight
// pixels under (x, y); nothing outside the grid or before the cell size is known.
std::optional<Cell> CellAt(int x, int y, int cellWidth, int cellHeight, int columns);

}  // namespace colour_grid
