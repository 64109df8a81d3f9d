// Board window geometry from the cell size.
#include "boards/board_geometry.h"

#include "common/layout.h"

namespace boards {

namespace {
constexpr int kStripOverhang = 2;
constexpr int kLetterIndent = 3;
constexpr int kNumberDrop = 2;
}  // namespace

Rect BottomLabelStrip(int c) { return {0, 10 * c, 11 * c, 11 * c + kStripOverhang}; }

Rect RightLabelStrip(int c) { return {10 * c, 0, 11 * c + kStripOverhang, 11 * c}; }

Point LetterOrigin(int column, int c) { return {column * c + kLetterIndent, 10 * c}; }

Point NumberOrigin(int row, int c) { return {10 * c, row * c + kNumberDrop}; }

FlagStripes FlagCorner(int c)
{
    const int left = 10 * c;
    const int right = 11 * c;
    const int blueTop = layout::Cells(10.33, c);
    const int redTop = layout::Cells(10.66, c);
    return {{left, 10 * c, right, blueTop}, {left, blueTop, right, redTop}, {left, redTop, right, 11 * c}};
}

Rect SquareRect(int x, int y, int c) { return {x * c, y * c, (x + 1) * c, (y + 1) * c}; }

Rect MissDot(int x, int y, int c)
{
    return {x * c + c / 4, y * c + c / 4, static_cast<int>(x * c + 0.75 * c),
            static_cast<int>(y * c + 0.75 * c)};
}

}  // namespace boards
