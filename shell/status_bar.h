// The frame's status bar: free text in part 0, the ships left of each side
// in parts 1 and 2.
#pragma once

#include <windows.h>

#include <string>

namespace status_bar {

HWND Create(HWND parent);
HWND Window();
// Fits the bar to a new client width: three parts; the counts are written
// again when the parts change.
void Resize(WPARAM wp, LPARAM lp);
// The bar's size and parts for the frame's client area as it is now, before
// the frame is first shown.
void Fit(HWND frame);
// Parts 1 and 2 are drawn popped out.
void SetText(int part, const std::wstring& text);
void ShowShipCounts();

}  // namespace status_bar
