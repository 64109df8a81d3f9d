// The frame's toolbar: its 25 entries and the button-state helpers that
// every window hiding or showing something uses.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace toolbar {

// Images of the strip that change with an option.
constexpr int kImageAutoArrangeOn = 9;
constexpr int kImageAutoArrangeOff = 10;
constexpr int kImageSalvoOff = 11;
constexpr int kImageSalvoOn = 12;

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
