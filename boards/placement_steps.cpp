// Placement arithmetic: steps, limits, drag, pad layout, picker hit test.
#include "boards/placement_steps.h"

namespace boards {

MoveOutcome MoveShipRect(const game::PixelRect& ship, ShipMove move, const game::PixelRect& client, int c)
{
    const int half = c / 2;
    const int rightLimit = client.right - half;
    const int bottomLimit = client.bottom - half;
    game::PixelRect r = ship;
    switch (move) {
    case kMoveLeft:
        if (r.left - c < client.left)
            return {ship, MoveRefusal::PastLeft};
        r.left -= c;
        r.right -= c;
        break;
    case kMoveRight:
        if (r.right + c > rightLimit)
            return {ship, MoveRefusal::PastEdge};
        r.left += c;
        r.right += c;
        break;
    case kMoveUp:
        if (r.top - c < client.top)
            return {ship, MoveRefusal::PastEdge};
        r.top -= c;
        r.bottom -= c;
        break;
    case kMoveDown:
        if (r.bottom + c > bottomLimit)
            return {ship, MoveRefusal::PastEdge};
        r.top += c;
        r.bottom += c;
        break;
    case kTurn: {
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        if (width > c) {  // lying: stands up below its first square
            if (r.top + width > bottomLimit)
                return {ship, MoveRefusal::TurnPast};
            r.bottom = r.top + width;
            r.right = r.left + c;
        } else {  // upright (or one square): lies down right of its first square
            if (r.left + height > rightLimit)
                return {ship, MoveRefusal::TurnPast};
            r.right = r.left + height;
            r.bottom = r.top + c;
        }
        break;
    }
    }
    return {r, MoveRefusal::None};
}

std::optional<DragDelta> DragDeltaAt(int px, int py, int last, int c)
{
    if (c <= 0 || px < 0 || py < 0 || px >= 10 * c || py >= 10 * c)
        return std::nullopt;
    const int cell = (py / c) * 10 + px / c;
    if (cell == last)
        return std::nullopt;
    return DragDelta{cell, cell / 10 - last / 10, cell % 10 - last % 10};
}

bool DragMayMove(const game::PixelRect& ship, ShipMove move, int c)
{
    // Edges are whole multiples of the cell, so these read as top >= c,
    // bottom <= 9c, left >= c and right <= 9c.
    const int nearEdge = layout::Cells(0.3, c);
    const int farEdge = layout::Cells(9.7, c);
    switch (move) {
    case kMoveUp: return ship.top > nearEdge;
    case kMoveDown: return ship.bottom < farEdge;
    case kMoveLeft: return ship.left > nearEdge;
    case kMoveRight: return ship.right < farEdge;
    case kTurn: return false;
    }
    return false;
}

std::optional<ShipMove> MoveOfPadCommand(int command)
{
    switch (command) {
    case kPadUp: return kMoveUp;
    case kPadTurn: return kTurn;
    case kPadRight: return kMoveRight;
    case kPadLeft: return kMoveLeft;
    case kPadDown: return kMoveDown;
    default: return std::nullopt;
    }
}

std::array<PadButton, 6> PadButtons(int c)
{
    // A cross of 6c x 6c with the turn button in its middle, the done
    // button beside it.
    return {{
        {kPadLeft, 0, 2 * c, 2 * c},
        {kPadRight, 4 * c, 2 * c, 2 * c},
        {kPadTurn, 2 * c, 2 * c, 2 * c},
        {kPadDone, layout::Cells(6.5, c), c, 4 * c},
        {kPadUp, 2 * c, 0, 2 * c},
        {kPadDown, 2 * c, 4 * c, 2 * c},
    }};
}

int SilhouetteAt(int x, int y, const Silhouettes& rects, const std::int32_t shipsLeft[4])
{
    for (int i = 0; i < static_cast<int>(rects.size()); ++i)
        if (rects[i].Contains(x, y) && shipsLeft[LengthSlotOf(i)] >= 1)
            return i;
    return -1;
}

CountOrigin CountOriginOf(const Silhouettes& rects, int i, int c)
{
    const layout::Rect& r = rects[i];
    const int x = r.left + layout::Cells(0.25, c);
    return {x, IsUpright(i) ? r.bottom - layout::Cells(0.9, c) : r.top + layout::Cells(0.1, c)};
}

DigitSize DigitFontSize(int c) { return {layout::Cells(0.6, c), layout::Cells(0.2, c)}; }

}  // namespace boards
