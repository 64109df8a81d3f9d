// The arithmetic of placing a ship by hand: one step of the ship and its
// limits, the drag by squares, the arrow pad's buttons and the picker's
// hit test. No Win32 here, so it is tested natively.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "common/layout.h"
#include "game/model.h"

namespace boards {

// Operation codes of MoveShip; the numbers are those the keys and the pad use.
enum ShipMove : int { kMoveLeft = 0, kMoveRight = 1, kMoveUp = 2, kMoveDown = 3, kTurn = 4 };

// Why a step was refused; each has its own message.
enum class MoveRefusal {
    None,
    PastLeft,  // moving left past the client edge
    PastEdge,  // moving right, up or down past its limit
    TurnPast,  // turning across the right or bottom limit
};

struct MoveOutcome {
    game::PixelRect ship;  // unchanged when refused
    MoveRefusal refusal;
};

// One step of the ship inside the board window's client rectangle. The
// right and bottom limits lie half a cell inside the client edge, so a ship
// reaches column К and row 10 but never the label strips. A turn pivots on
// the top-left corner.
MoveOutcome MoveShipRect(const game::PixelRect& ship, ShipMove move, const game::PixelRect& client, int cell);

// The drag on the human's board: the ship follows the pointer by the
// difference between successive squares (numbered row * 10 + column).
struct DragDelta {
    int cell;  // the square now under the pointer
    int rows;  // squares to move down (negative: up)
    int cols;  // squares to move right (negative: left)
};
// Nothing when the point is off the grid or still in the last square.
std::optional<DragDelta> DragDeltaAt(int px, int py, int lastMouseCell, int cell);
// A drag step is taken only while the ship stays inside the 10 x 10 grid.
bool DragMayMove(const game::PixelRect& ship, ShipMove move, int cell);

// Commands of the arrow pad (its buttons' control ids).
enum PadCommand : int {
    kPadUp = 3,
    kPadTurn = 4,
    kPadRight = 5,
    kPadLeft = 6,
    kPadDown = 7,
    kPadDone = 8,
};
// The step a pad command stands for; nothing for Done and unknown ids.
std::optional<ShipMove> MoveOfPadCommand(int command);

struct PadButton {
    int command;
    int x, y, size;  // square buttons, in the pad's client coordinates
};
// The six buttons in their order of creation: left, right, turn, done, up, down.
std::array<PadButton, 6> PadButtons(int cell);

// The picker's silhouettes: 0..3 upright (four to one squares), 4..7 lying.
using Silhouettes = std::array<layout::Rect, 8>;
// Ship length slot (0..3 for four to one squares) of silhouette i.
constexpr int LengthSlotOf(int silhouette) { return silhouette % 4; }
constexpr bool IsUpright(int silhouette) { return silhouette < 4; }
// The first silhouette under (x, y) whose length has ships left, or -1.
int SilhouetteAt(int x, int y, const Silhouettes& rects, const std::int32_t shipsLeft[4]);
// Where a silhouette's count is written: in the lowest square of an upright
// one, in the first square of a lying one.
struct CountOrigin {
    int x, y;
};
CountOrigin CountOriginOf(const Silhouettes& rects, int silhouette, int cell);
// The counts' font: character height and width.
struct DigitSize {
    int height, width;
};
DigitSize DigitFontSize(int cell);

}  // namespace boards
