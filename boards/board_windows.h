// The two board windows: the computer's (ComputerBoardWindow), where the
// human fires, and the human's (HumanBoardWindow), where ships are placed.
#pragma once

#include <windows.h>

namespace boards {

extern const WNDPROC ComputerBoardProc;
extern const WNDPROC HumanBoardProc;

}  // namespace boards
