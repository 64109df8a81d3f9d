// The two board windows: the computer's (ComputerBoardWindow), where the
// human fires, and the human's (HumanBoardWindow), where ships are placed.
#pragma once

#include <windows.h>

#include "common/layout.h"
#include "game/effects.h"

namespace boards {

// Registers First_screen (the computer's board) and Second_screen (the
// human's), in that order.
bool RegisterBoards();

// Makes a board's window as a child of the frame, with its caption.
HWND CreateBoard(game::BoardId board, HWND frame, const layout::Box& box);
HWND BoardWindow(game::BoardId board);

// The captions a new game shows, before the game writes its own.
const wchar_t* BoardCaption(game::BoardId board);

// The square last under the pointer while a ship is dragged (row * 10 +
// column); a confirmed ship starts the next drag from square 0.
void ForgetDragSquare();

}  // namespace boards
