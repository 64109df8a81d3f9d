// The frame's status bar.
#include "shell/status_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "common/layout.h"
#include "common/text.h"
#include "game/model.h"
#include "game/settle.h"
#include "resources/resource.h"
#include "shell/toolbar.h"

namespace status_bar {
namespace {

HWND g_bar;

// The width a count part needs for its widest text (all ten ships), in the
// bar's font, with its edges and the size grip beside the last one.
int Room(game::StatusPart part, int grip)
{
    const std::wstring widest = text::Widen(game::ShipsLeftText(part, game::kShipCount));
    HDC dc = GetDC(g_bar);
    if (!dc)
        return 0;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(g_bar, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE text{};
    GetTextExtentPoint32W(dc, widest.c_str(), static_cast<int>(widest.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(g_bar, dc);
    int borders[3] = {};
    SendMessageW(g_bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    return text.cx + 2 * (borders[0] + borders[2] + GetSystemMetrics(SM_CXEDGE)) + grip;
}

}  // namespace

HWND Create(HWND parent)
{
    g_bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP, L"Здравствуйте", parent,
                                IDC_STATUSBAR);
    return g_bar;
}

HWND Window() { return g_bar; }

void Resize(WPARAM wp, LPARAM lp)
{
    const int clientWidth = LOWORD(lp);
    SendMessageW(g_bar, WM_SIZE, wp, lp);
    SendMessageW(toolbar::Window(), WM_SIZE, wp, lp);
    const auto parts = layout::StatusParts(clientWidth, Room(game::StatusPart::ComputerShips, 0),
                                           Room(game::StatusPart::HumanShips, GetSystemMetrics(SM_CXVSCROLL)));
    // Setting the parts and the counts redraws the bar: done only when the
    // parts change (a frame shown for the first time is sized again at the
    // size it already has).
    int current[4] = {};
    const auto count = static_cast<size_t>(SendMessageW(g_bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(current)));
    if (count == parts.size() && std::equal(parts.begin(), parts.end(), current))
        return;
    SendMessageW(g_bar, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
    ShowShipCounts();
}

void Fit(HWND frame)
{
    RECT client;
    GetClientRect(frame, &client);
    Resize(SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void SetText(int part, const std::wstring& text)
{
    const WPARAM style = part == 0 ? 0 : SBT_POPOUT;
    SendMessageW(g_bar, SB_SETTEXTW, static_cast<WPARAM>(part) | style,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void ShowShipCounts()
{
    SetText(1, text::Widen(game::ShipsLeftText(game::StatusPart::ComputerShips)));
    SetText(2, text::Widen(game::ShipsLeftText(game::StatusPart::HumanShips)));
}

}  // namespace status_bar
