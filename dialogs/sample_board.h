// The colours dialog's sample board: a corner of a battle field drawn in
// the colours being edited. A click picks the colour of what was hit.
#pragma once

#include <windows.h>

#include "common/look_records.h"
#include "dialogs/sample_board_geometry.h"

namespace sample_board {

constexpr wchar_t kClassName[] = L"TrivokSampleBoard";

bool Register();

// A click sends the parent common::kColourPicked with the Selection hit.
// The colours to draw in; the caller keeps them alive while the panel lives.
void SetColours(HWND panel, const look::ColourScheme* colours);

// Repaints what shows the colour of `selection`. The lines repaint inside
// the field only: the outline follows at the next full paint.
void ShowChange(HWND panel, Selection selection);

// Draws the board into dc for a width × height panel. Used by the panel's
// own paint; tests render it into a bitmap.
void PaintBoard(HDC dc, int width, int height, int cell, const look::ColourScheme& colours);

// The entry a click at (x, y) picks, by the regions of the latest paint;
// false before the first paint.
bool PickAt(HWND panel, POINT pt, Selection* out);

}  // namespace sample_board
