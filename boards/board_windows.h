// The two board windows: the computer's (ComputerBoardWindow), where the
// human fires, and the human's (HumanBoardWindow), where ships are placed.
#pragma once

#include <windows.h>

namespace boards {

LRESULT CALLBACK ComputerBoardProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK HumanBoardProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace boards
