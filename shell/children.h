// The inside of the frame: toolbar, status bar and the six children, their
// default arrangement and restore, the background, showing and hiding with
// the toolbar buttons that mirror them, and the shell's share of a new game.
#pragma once

#include <windows.h>

#include <array>

#include "shell/settings_codec.h"

namespace children {

// WM_CREATE: false when the human's board could not be made.
bool Create(HWND frame);
void PaintBackground(HWND frame);
// Default arrangement (also the toolbar's "arrange" command).
void Arrange();
// Saved positions, or the default arrangement when none were saved.
void Restore();
// The rectangles the close pass saves, in slot order: the children in the
// frame's client coordinates, the frame's normal rectangle on the screen.
std::array<RECT, settings::kSlotCount> Rectangles();

// Shows or hides a child; its toolbar button is pressed and checked while it
// shows and released while it is hidden.
void ShowChild(HWND child, bool show);
// A toolbar check button shows or hides its window without touching itself.
void ShowByButton(int button);

// A new game on screen: captions, status texts, both boards wiped, the
// placement windows hidden (run after the game's own reset).
void ShowNewGame();
// The picker opens for placing the fleet by hand.
void OpenPicker();

}  // namespace children
