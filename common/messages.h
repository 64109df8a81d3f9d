// The messages the program's windows send each other, beside the system's.
#pragma once

#include <windows.h>

namespace common {

// To the frame, from a second copy of the program: take the keyboard focus.
constexpr UINT kTakeFocus = WM_USER;

// To the frame, from one of its children: show (wParam TRUE) or hide
// (FALSE) the child lParam, with the toolbar button that mirrors it.
constexpr UINT kShowChild = WM_APP + 1;
// To the frame: lParam, a const wchar_t*, into part 0 of the status bar.
constexpr UINT kStatusText = WM_APP + 2;
// To the frame, from the settings dialog's cancel: lParam, a const
// game::GameOptions*, becomes every option with its menu marks and buttons.
constexpr UINT kRestoreOptions = WM_APP + 3;
// To the colours dialog, from its sample board: the colour of wParam (a
// sample_board::Selection) is picked.
constexpr UINT kColourPicked = WM_APP + 4;

}  // namespace common
