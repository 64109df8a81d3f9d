// The program's modal dialogs, each owned by the window given.
#pragma once

#include <windows.h>

namespace dialogs {

// Command 302: name, version, credit and the feedback links.
void ShowAbout(HWND owner);
// Command 40014: wins and losses, with clearing.
void ShowStatistics(HWND owner);
// Command 40015: the five colours of the frame and the boards.
void ShowColours(HWND owner);
// Command 40031: every game option on one panel.
void ShowSettings(HWND owner);

// The end of a game: dialogId 126 (lost) or 131 (won). Returns 6 to play
// again, 2 to stop, anything else when the dialog could not be shown.
int AskResult(HWND owner, int dialogId);

}  // namespace dialogs
