// What the frame's child windows ask of it, and the context menu they share.
#pragma once

#include <windows.h>

namespace child_window {

// The frame a window belongs to: the top of its parents, or the owner of
// the dialog it sits in.
HWND FrameOf(HWND window);

// Shows or hides a child of the frame; the frame keeps the toolbar button
// that mirrors it in step.
void Show(HWND child, bool show);

// Text for part 0 of the frame's status bar.
void SayInStatus(HWND from, const wchar_t* text);

// The "hide / choose font" menu at a point of the child's client area; the
// choice comes back to the child as WM_COMMAND.
void TrackMenu(HWND child, POINT client);

}  // namespace child_window
