// Where things go on a board window, derived from the cell size: the label
// strips and label points, the flag corner, squares and the miss dot.
// No Win32 here, so the arithmetic is tested natively.
#pragma once

#include <array>

#include "game/model.h"

namespace boards {

using Rect = game::PixelRect;

struct Point {
    int x, y;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

constexpr int kBoardSquares = 10;

// Column letters and row numbers stand below and right of the grid.
constexpr wchar_t kColumnLetters[] = L"АБВГДЕЖЗИК";

// The black strip under the grid and the one right of it; both overhang
// the eleventh cell by 2 pixels so the frame's edge is covered too.
Rect BottomLabelStrip(int cell);
Rect RightLabelStrip(int cell);

// Top-left corner of the letter of column i and of the number of row i.
Point LetterOrigin(int column, int cell);
Point NumberOrigin(int row, int cell);

// The corner square right of row 10 and under column К, in three stripes.
struct FlagStripes {
    Rect white, blue, red;
};
FlagStripes FlagCorner(int cell);

// Square (x, y) of the grid, right and bottom exclusive.
Rect SquareRect(int x, int y, int cell);
// The dot of a miss: the middle half of the square.
Rect MissDot(int x, int y, int cell);

}  // namespace boards
