// The commentator window.
#include "shell/commentator.h"

#include "common/window_proc.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/fonts.h"
#include "shell/toolbar.h"

namespace commentator {
namespace {

void GiveTextItsFont()
{
    SendMessageW(app::CommentatorText, WM_SETFONT, reinterpret_cast<WPARAM>(fonts::Font(fonts::kCommentator)),
                 TRUE);
}

void Hide(HWND hwnd)
{
    ShowWindow(hwnd, SW_HIDE);
    toolbar::Release(IDM_SHOW_COMMENTATOR);
}

void ShowContextMenu(HWND hwnd, LPARAM lp)
{
    POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    ClientToScreen(hwnd, &pt);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, IDM_HIDE_WINDOW, L"&Спрятать окно");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_CHOOSE_FONT, L"&Выбрать шрифт");
    TrackPopupMenu(menu, 0, pt.x, pt.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
}

void ChooseFont(HWND hwnd)
{
    fonts::Choose(hwnd, fonts::kCommentator);
    GiveTextItsFont();
}

// The text is drawn transparently over the texture, in the chosen colour.
LRESULT OnCtlColorStatic(HDC dc, HWND control)
{
    if (control == app::CommentatorText) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, fonts::Colour(fonts::kCommentator));
    }
    return reinterpret_cast<LRESULT>(app::TextureBrushes[app::kTextureGreen]);
}

void OnCommand(HWND hwnd, int id)
{
    switch (id) {
    case IDM_HIDE_WINDOW: Hide(hwnd); break;
    case IDM_CHOOSE_FONT: ChooseFont(hwnd); break;
    }
}

LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_DESTROY: fonts::Delete(fonts::kCommentator); break;
    case WM_PAINT: GiveTextItsFont(); break;
    case WM_CLOSE: Hide(hwnd); return 0;
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wp)); break;
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_RBUTTONDOWN: ShowContextMenu(hwnd, lp); break;
    case WM_EXITSIZEMOVE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

const WNDPROC Proc = common::WindowProc<Handle>;

}  // namespace commentator
