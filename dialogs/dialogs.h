// The program's modal dialogs, each owned by the window given.
#pragma once

#include <windows.h>

#include "game/effects.h"

namespace dialogs {

// Command 302: name, version, credit and the feedback links.
void ShowAbout(HWND owner);
// Command 40014: wins and losses, with clearing.
void ShowStatistics(HWND owner);
// Command 40015: the five colours of the frame and the boards.
void ShowColours(HWND owner);
// Command 40031: every game option on one panel. True when the flag option
// changed on "&Угу", so that the boards repaint.
bool ShowSettings(HWND owner);

// The end of a game: the lost or the won dialog. A dialog that could not be
// shown answers Stop.
game::Answer AskResult(HWND owner, game::Outcome outcome);

}  // namespace dialogs
