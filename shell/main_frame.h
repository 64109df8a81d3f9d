// The frame window: its procedure and the commands of the menu and toolbar.
#pragma once

#include <windows.h>

namespace main_frame {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// A new game: reset, then arrange both fleets and start the battle, or open
// the ship picker for placing by hand.
void NewGame();

}  // namespace main_frame
