// Positioning a ship by hand: the arrow pad window (ArrowsWindow), the
// steps of the ship on the human's board and its confirmation.
#pragma once

#include <windows.h>

#include <optional>

#include "boards/placement_steps.h"
#include "common/layout.h"
#include "game/model.h"

namespace boards {

// Registers Container_class, the arrow pad's window class.
bool RegisterPad();
// Makes the pad as a hidden child of the frame.
HWND CreatePad(HWND frame, const layout::Box& box);
HWND PadWindow();
// A pad command (PadCommand), as its buttons, the human's board and the
// Enter key give it.
void SendPadCommand(int command);

// Shows what game::ChooseShip began: the pad with its buttons, the ship
// inverted in square А1, the key hint in the status bar.
void BeginPlacement();
// One step of the ship on the board window: erases its inverted image,
// moves or turns it (or says why not) and draws it again. Returns the
// rectangle, moved or not.
game::PixelRect MoveShip(HWND board, game::PixelRect ship, ShipMove move);
// A step of the ship being positioned (keys, pad, drag); ignored when none is.
void StepShip(ShipMove move);
// Tests the ship against the touching rule and records it; after the tenth
// the picker closes and the battle starts.
void ConfirmShip();
// The new-game reset's share: removes the pad's buttons (a ship being
// positioned is dropped with the rest of the placement state).
void DropPlacement();

// The ship being positioned as it stands on screen now: nothing when no
// ship is positioned or while a step has its image erased.
std::optional<game::PixelRect> ShipImage();
// Inverts every pixel of the rectangle, frame and inside; twice restores.
void DrawShipInverted(HDC dc, const game::PixelRect& ship);

}  // namespace boards
