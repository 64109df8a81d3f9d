// The window classes of the dialogs' custom panels, registered once before
// any dialog that holds one opens.
#pragma once

#include <windows.h>

namespace dialogs {

// Also makes sure the common controls (animation, spin) are there.
bool RegisterPanels();

}  // namespace dialogs
