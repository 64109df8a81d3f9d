// The frame window: its procedure and the commands of the menu and toolbar.
#pragma once

#include <windows.h>

#include <string>

namespace main_frame {

extern const WNDPROC Proc;

// A new game: reset, then arrange both fleets and start the battle, or open
// the ship picker for placing by hand.
void NewGame();

// The help page to open: readme.htm of the current folder when there is one,
// else the one beside the program; empty when neither exists.
std::wstring HelpPage();

}  // namespace main_frame
