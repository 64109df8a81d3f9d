// The frame's toolbar: its 25 entries and the helpers that set a button's
// image and state.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace toolbar {

HWND Create(HWND parent);
HWND Window();

// Pressed and checked together (on), or released and unchecked, as a check
// button shows an option or a shown window.
void SetOn(int command, bool on);
// The image first, then the state, so the picture never lags behind.
void SetImageAndState(int command, int image, bool on);
bool IsChecked(int command);

// The entries of the customise dialog: false past the last one.
bool ButtonEntry(int index, TBBUTTON* out);

}  // namespace toolbar
