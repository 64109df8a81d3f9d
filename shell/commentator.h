// The commentator: one line of running commentary on a dark-green texture.
#pragma once

#include <windows.h>

#include "common/layout.h"

namespace commentator {

// Registers Speaker_class, the commentator's window class.
bool Register();
// Makes the commentator and its text control as children of the frame.
HWND Create(HWND frame, const layout::Box& window, const layout::Box& text);
HWND Window();
// The line of commentary shows as this control's text.
HWND Text();

}  // namespace commentator
