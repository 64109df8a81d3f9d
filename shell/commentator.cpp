// The commentator window.
#include "shell/commentator.h"

#include "common/child_window.h"
#include "common/look.h"
#include "common/module.h"
#include "common/textures.h"
#include "common/window_proc.h"
#include "resources/resource.h"

namespace commentator {
namespace {

constexpr wchar_t kClass[] = L"Speaker_class";
constexpr wchar_t kCaption[] = L"Комментатор.";
constexpr wchar_t kGreeting[] = L"Приветик, давно не виделись!";
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;

HWND g_window;
HWND g_text;

void GiveTextItsFont()
{
    SendMessageW(g_text, WM_SETFONT, reinterpret_cast<WPARAM>(look::Font(look::kCommentatorFont)), TRUE);
}

void PickFont(HWND window)
{
    look::PickFont(window, look::kCommentatorFont);
    GiveTextItsFont();
}

// The text is drawn transparently over the texture, in the chosen colour.
LRESULT OnCtlColorStatic(HDC dc, HWND control)
{
    if (control == g_text) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, look::FontColour(look::kCommentatorFont));
    }
    return reinterpret_cast<LRESULT>(textures::Brush(textures::kGreen));
}

void OnCommand(HWND window, int id)
{
    switch (id) {
    case IDM_HIDE_WINDOW: child_window::Show(window, false); break;
    case IDM_CHOOSE_FONT: PickFont(window); break;
    }
}

POINT ClickPoint(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

LRESULT Handle(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_DESTROY: look::DeleteFontObject(look::kCommentatorFont); break;
    case WM_PAINT: GiveTextItsFont(); break;
    case WM_CLOSE: child_window::Show(window, false); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wp)); break;
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_RBUTTONDOWN: child_window::TrackMenu(window, ClickPoint(lp)); break;
    case WM_EXITSIZEMOVE: InvalidateRect(window, nullptr, TRUE); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

bool Register()
{
    common::WindowClass c{kClass, common::WindowProc<Handle>};
    c.icon = IDI_SPEAKER;
    c.cursor = LoadCursorW(nullptr, IDC_ARROW);
    return common::Register(c);
}

HWND Create(HWND frame, const layout::Box& w, const layout::Box& t)
{
    g_window = CreateWindowExW(0, kClass, kCaption, kStyle, w.x, w.y, w.width, w.height, frame, nullptr,
                               common::Module(), nullptr);
    g_text = CreateWindowExW(0, L"Static", kGreeting, WS_CHILD | WS_VISIBLE | SS_CENTER, t.x, t.y, t.width,
                             t.height, g_window, nullptr, common::Module(), nullptr);
    return g_window;
}

HWND Window() { return g_window; }

HWND Text() { return g_text; }

}  // namespace commentator
