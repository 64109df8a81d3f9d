// The inside of the frame: toolbar, status bar and the six children, their
// default arrangement and restore, the background, and the shell's share of
// a new game.
#pragma once

#include <windows.h>

namespace children {

// WM_CREATE: false when the human's board could not be made.
bool Create(HWND frame);
void PaintBackground(HWND frame);
// Default arrangement (also the toolbar's "arrange" command).
void Arrange();
// Saved positions, or the default arrangement when none were saved.
void Restore();
// Clears the game and the placement and wipes both boards on screen.
void NewGameReset();

}  // namespace children
