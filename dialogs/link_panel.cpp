// Link panel of the about box.
#include "dialogs/link_panel.h"

#include <windowsx.h>

#include <string>

#include "common/child_window.h"
#include "common/gdi.h"
#include "common/module.h"
#include "common/on_demand.h"
#include "common/window_proc.h"
#include "resources/contacts.h"
#include "resources/resource.h"

namespace link_panel {
namespace {

constexpr wchar_t kHeading[] = L"Присылайте комментарии и предложения:";
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kHotColour = RGB(255, 0, 0);

const wchar_t* const kLines[kLinkCount] = {
    L"ICQ: " CONTACT_ICQ_NUMBER,
    L"www: " CONTACT_WEB_PAGE,
    L"E-mail: " CONTACT_EMAIL,
};

// What hovering shows in the status bar; the e-mail line shows itself.
const wchar_t* const kTargets[kLinkCount] = {
    L"" CONTACT_MESSENGER_PAGE,
    L"" CONTACT_WEB_PAGE,
    L"E-mail: " CONTACT_EMAIL,
};

struct Panel {
    HFONT dialogFont = nullptr;      // the dialog's; not ours to delete
    LOGFONTW description{};
    gdi::Obj<HFONT> underlined;      // made at the first paint
    RECT hot[kLinkCount]{};
    bool painted = false;
};

Panel* PanelOf(HWND panel) { return common::RecordOf<Panel>(panel); }

SIZE Extent(HDC dc, const wchar_t* text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size;
}

void DrawLine(HDC dc, const Panel& p, int link)
{
    TextOutW(dc, p.hot[link].left, p.hot[link].top, kLines[link], lstrlenW(kLines[link]));
}

void PaintContent(HDC dc, const RECT& client, Panel& p)
{
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    SetBkColor(dc, GetSysColor(COLOR_MENU));

    int top = 0;
    {
        gdi::Select font(dc, p.dialogFont);
        const SIZE heading = Extent(dc, kHeading);
        RECT band = {0, 0, client.right, heading.cy};
        DrawTextW(dc, kHeading, -1, &band, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        top = heading.cy;
    }

    if (!p.underlined) {
        LOGFONTW underlined = p.description;
        underlined.lfUnderline = TRUE;
        p.underlined.Reset(CreateFontIndirectW(&underlined));
    }
    gdi::Select font(dc, p.underlined.get());
    SetTextColor(dc, kLinkColour);
    for (int link = 0; link < kLinkCount; ++link) {
        const SIZE size = Extent(dc, kLines[link]);
        p.hot[link] = {0, top, size.cx, top + size.cy};
        DrawLine(dc, p, link);
        top += size.cy;
    }
    p.painted = true;
}

void OnPaint(HWND panel)
{
    gdi::PaintDc dc(panel);
    RECT client;
    GetClientRect(panel, &client);
    if (Panel* p = PanelOf(panel))
        PaintContent(dc.get(), client, *p);
}

int LinkAt(const Panel& p, POINT pt)
{
    for (int link = 0; link < kLinkCount; ++link)
        if (PtInRect(&p.hot[link], pt))
            return link;
    return -1;
}

HCURSOR Cursor(bool overLink)
{
    HCURSOR hand = overLink ? LoadCursorW(common::Module(), MAKEINTRESOURCEW(IDC_LINK_HAND)) : nullptr;
    return hand ? hand : LoadCursorW(nullptr, overLink ? IDC_HAND : IDC_ARROW);
}

// The line under the mouse turns red, the others blue; the red one stays
// until the mouse moves elsewhere over the panel.
void OnMouseMove(HWND panel, POINT pt)
{
    Panel* p = PanelOf(panel);
    if (!p || !p->painted)
        return;
    const int under = LinkAt(*p, pt);
    SetCursor(Cursor(under >= 0));

    gdi::WindowDc dc(panel);
    gdi::Select font(dc.get(), p->underlined.get());
    SetBkMode(dc.get(), TRANSPARENT);
    for (int link = 0; link < kLinkCount; ++link) {
        SetTextColor(dc.get(), link == under ? kHotColour : kLinkColour);
        DrawLine(dc.get(), *p, link);
    }
    if (under >= 0)
        child_window::SayInStatus(panel, kTargets[under]);
}

// Keeps the dialog from putting its arrow back over a line.
bool OnSetCursor(HWND panel, int hitTest)
{
    const Panel* p = PanelOf(panel);
    POINT pt;
    if (!p || !p->painted || hitTest != HTCLIENT || !GetCursorPos(&pt) || !ScreenToClient(panel, &pt))
        return false;
    SetCursor(Cursor(LinkAt(*p, pt) >= 0));
    return true;
}

void Open(const wchar_t* target) { on_demand::Open(target); }

// The e-mail line goes through the frame, which writes the address and subject.
void OnLButtonDown(HWND panel, POINT pt)
{
    const Panel* p = PanelOf(panel);
    if (!p)
        return;
    if (PtInRect(&p->hot[kWeb], pt))
        Open(L"" CONTACT_WEB_PAGE);
    if (PtInRect(&p->hot[kEmail], pt))
        if (HWND frame = child_window::FrameOf(panel))
            SendMessageW(frame, WM_COMMAND, IDM_FEEDBACK, 0);
    if (PtInRect(&p->hot[kMessenger], pt))
        Open(L"" CONTACT_MESSENGER_PAGE);
}

LRESULT Handle(Panel&, HWND panel, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: OnPaint(panel); return 0;
    case WM_SETCURSOR: if (OnSetCursor(panel, LOWORD(lp))) return TRUE; break;
    case WM_MOUSEMOVE: OnMouseMove(panel, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(panel, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    }
    return DefWindowProcW(panel, msg, wp, lp);
}

}  // namespace

bool Register()
{
    // No class cursor: the panel sets the hand or the arrow itself.
    return common::Register({kClassName, common::RecordWindowProc<Panel, Handle>, 0});
}

void UseFont(HWND panel, HFONT dialogFont)
{
    Panel* p = PanelOf(panel);
    if (!p)
        return;
    p->dialogFont = dialogFont;
    if (!dialogFont || !GetObjectW(dialogFont, sizeof(p->description), &p->description))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(p->description), &p->description);
}

RECT HotRect(HWND panel, Link link)
{
    const Panel* p = PanelOf(panel);
    if (!p || link < 0 || link >= kLinkCount)
        return {};
    return p->hot[link];
}

}  // namespace link_panel
