// The start-up steps before the frame is made: the common controls, the
// textures and the six window classes, the cell size, the game's effects.
#pragma once

#include <windows.h>

namespace startup {

// False when a window class cannot be registered: the program then ends
// quietly.
bool Prepare();

}  // namespace startup
