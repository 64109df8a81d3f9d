// The about box's feedback panel: three contact lines that light up under
// the mouse, show their target in the status bar and open it on a click.
#pragma once

#include <windows.h>

namespace link_panel {

constexpr wchar_t kClassName[] = L"TrivokLinkPanel";

// Contact lines, top to bottom.
enum Link { kMessenger, kWeb, kEmail, kLinkCount };

bool Register();

// The dialog's font, used as it is for the heading and underlined for the
// lines. The panel never deletes it.
void UseFont(HWND panel, HFONT dialogFont);

// The line's hot rectangle as the latest paint set it; empty before.
RECT HotRect(HWND panel, Link link);

}  // namespace link_panel
