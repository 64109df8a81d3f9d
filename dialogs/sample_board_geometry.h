// Where the colours dialog's sample board draws its field, grid, ships and
// dot for a panel of a given size, and which colour a click there selects.
#pragma once

#include <vector>

namespace sample_board {

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct Line {
    int x0, y0, x1, y1;
    bool operator==(const Line& o) const { return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1; }
};

struct Geometry {
    Rect panel;                  // the whole client area
    Rect field;                  // whole squares plus the closing line
    std::vector<Line> grid;      // vertical and horizontal, in pairs
    std::vector<Rect> strips;    // the grid lines' pixels, cut out of the field region
    Rect ship;                   // three squares upright, hit in the middle
    std::vector<Line> shipCross;
    Rect dot;                    // box of the miss dot's ellipse
    Rect sunk;                   // two squares lying, both crossed
    std::vector<Line> sunkCrosses;
};

// The layout of a width × height panel at the boards' cell size.
Geometry Layout(int width, int height, int cell);

// Entries of the colours dialog's list, in list order.
enum Selection { kBattleField = 0, kBackGround = 1, kShips = 2, kLines = 3, kSunkShip = 4, kSelectionCount = 5 };

// Which of the board's regions hold a clicked point.
struct Hit {
    bool border, field, dot, ship, sunk;
};

// The entry a click selects: the first region that holds it, else the
// lines that are part of no region.
Selection SelectionFor(const Hit& hit);

}  // namespace sample_board
