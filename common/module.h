// The program's own module: where its resources are.
#pragma once

#include <windows.h>

namespace common {

// The module of the running program (the game, or a test made with the
// same resources).
inline HINSTANCE Module() { return GetModuleHandleW(nullptr); }

}  // namespace common
