// The ship picker window (ShipPickerWindow): eight silhouettes with the
// ships left of each length; a click chooses the next ship to position.
#pragma once

#include <windows.h>

#include "boards/placement_steps.h"

namespace boards {

extern const WNDPROC ShipPickerProc;

// A click at (x, y) of the picker's client area: starts positioning a ship
// of the silhouette's length and orientation, beeps while the picker is
// closed, and otherwise ignores the click.
void ChooseShip(int x, int y);

// The silhouettes, laid out when the picker window was created.
const Silhouettes& PickerSilhouettes();
// The picker's picture into a context: texture, silhouettes and counts.
void DrawShipPicker(HDC dc, const RECT& client, int cell);

}  // namespace boards
