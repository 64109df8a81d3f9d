// The frame window (MainWindow): its procedure and the commands of the
// menu and the toolbar.
#pragma once

#include <windows.h>

#include <string>

namespace main_frame {

// A second copy of the program finds the first by this class.
constexpr wchar_t kClassName[] = L"Trivok_Class";

// Registers Trivok_Class, the frame's window class.
bool Register();
// Makes the frame; its WM_CREATE makes the children.
HWND Create();
HWND Window();

// A new game: reset, then arrange both fleets and start the battle, or open
// the ship picker for placing by hand.
void NewGame();

// The help page to open: readme.htm of the current folder when there is one,
// else the one beside the program; empty when neither exists.
std::wstring HelpPage();

}  // namespace main_frame
