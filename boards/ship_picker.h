// The ship picker window (ShipPickerWindow): eight silhouettes with the
// ships left of each length; a click chooses the next ship to position.
#pragma once

#include <windows.h>

#include "boards/placement_steps.h"
#include "common/layout.h"

namespace boards {

// Registers ShipContainer_class, the picker's window class.
bool RegisterPicker();
// Makes the picker as a hidden child of the frame; its silhouettes are laid
// out for the cell size of that moment.
HWND CreatePicker(HWND frame, const layout::Box& box);
HWND PickerWindow();

// A click at (x, y) of the picker's client area: starts positioning a ship
// of the silhouette's length and orientation, beeps while the picker is
// closed, and otherwise ignores the click.
void ChooseShip(int x, int y);

// The silhouettes, laid out when the picker window was created.
const Silhouettes& PickerSilhouettes();
// The picker's picture into a context: texture, silhouettes and counts.
void DrawShipPicker(HDC dc, const RECT& client, int cell);

}  // namespace boards
