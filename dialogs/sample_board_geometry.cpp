// Geometry of the colours dialog's sample board.
#include "dialogs/sample_board_geometry.h"

namespace sample_board {

Geometry Layout(int width, int height, int cell)
{
    Geometry g{};
    const int c = cell > 0 ? cell : 1;
    g.panel = {0, 0, width, height};

    // A whole number of squares, plus one pixel for the closing line.
    const int columns = (width - 4 * c) / c;
    const int rows = (height - 4 * c) / c;
    g.field = {2 * c, 2 * c, 2 * c + c * columns + 1, 2 * c + c * rows + 1};

    // The first pair is always drawn; the next only while it fits both ways.
    for (int k = 2; k == 2 || (k * c <= g.field.right && k * c <= g.field.bottom); ++k) {
        g.grid.push_back({k * c, g.field.top, k * c, g.field.bottom});
        g.grid.push_back({g.field.left, k * c, g.field.right, k * c});
        g.strips.push_back({k * c, g.field.top, k * c + 1, g.field.bottom});
        g.strips.push_back({g.field.left, k * c, g.field.right, k * c + 1});
    }

    g.ship = {3 * c, 3 * c, 4 * c, 6 * c};
    g.shipCross = {{3 * c, 4 * c, 4 * c, 5 * c}, {3 * c, 5 * c, 4 * c, 4 * c}};

    const int dotFrom = 5 * c + c / 4;
    const int dotTo = static_cast<int>(5.75 * c);
    g.dot = {dotFrom, dotFrom, dotTo, dotTo};

    g.sunk = {6 * c, 6 * c, 8 * c, 7 * c};
    for (int i = 6; i <= 7; ++i) {
        g.sunkCrosses.push_back({i * c, 6 * c, (i + 1) * c, 7 * c});
        g.sunkCrosses.push_back({(i + 1) * c, 6 * c, i * c, 7 * c});
    }
    return g;
}

Selection SelectionFor(const Hit& hit)
{
    if (hit.border)
        return kBackGround;
    if (hit.field)
        return kBattleField;
    if (hit.dot || hit.ship)
        return kShips;
    if (hit.sunk)
        return kSunkShip;
    return kLines;
}

}  // namespace sample_board
