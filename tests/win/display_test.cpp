// Sizes at the system's display scale. ./test.sh runs these again with the
// prefix at 120, 144 and 192 DPI (tests/win/display_scales.sh).
#include "support.h"

#include "common/look.h"
#include "dialogs/panels.h"
#include "shell/status_bar.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace win_test;

int Dpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// 96-DPI pixels at this scale.
double Scaled(double pixels) { return pixels * Dpi() / 96.0; }

int TextWidth(HWND window, const std::wstring& text)
{
    gdi::WindowDc dc(window);
    gdi::Select font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), int(text.size()), &size);
    return size.cx;
}

RECT RectIn(HWND parent, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(Display, TheFrameFollowsTheScale)
{
    const Handles& w = Program();
    SCOPED_TRACE(std::to_string(Dpi()) + " DPI");
    EXPECT_EQ(game::CellSize, std::lround(45.0 * Dpi() / 254)) << "4.5 mm";

    const LRESULT button = SendMessageW(toolbar::Window(), TB_GETBUTTONSIZE, 0, 0);
    int image = 0, imageHigh = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar::Window(), TB_GETIMAGELIST, 0, 0)),
                          &image, &imageHigh);
    EXPECT_NEAR(image, Scaled(24), 6) << "the toolbar's images, drawn near 24 pixels at 96 DPI";
    EXPECT_GT(HIWORD(button), image);

    // Fonts nobody chose, as a first run makes them: near 16 pixels at
    // 96 DPI, as the system's font.
    look::MakeFonts(false);
    for (look::FontId font : {look::kCommentatorFont, look::kComputerBoardFont}) {
        gdi::WindowDc dc(w.commentator);
        gdi::Select keep(dc.get(), look::Font(font) ? look::Font(font) : GetStockObject(SYSTEM_FONT));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.get(), &tm);
        EXPECT_NEAR(tm.tmHeight, Scaled(16), Scaled(2)) << "font " << font;
    }

    // The status bar's counts whole, the children inside the frame at its
    // default size and arrangement.
    RECT before;
    GetWindowRect(w.frame, &before);
    MoveWindow(w.frame, w.created.left, w.created.top, w.created.right - w.created.left,
               w.created.bottom - w.created.top, TRUE);
    children::Arrange();
    for (int part : {1, 2}) {
        wchar_t text[64] = L"";
        SendMessageW(status_bar::Window(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
        RECT r{};
        SendMessageW(status_bar::Window(), SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
        EXPECT_GT(r.right - r.left, TextWidth(status_bar::Window(), text)) << "part " << part;
    }
    RECT client;
    GetClientRect(w.frame, &client);
    for (HWND child : {w.computer, w.human, w.pad, w.picker, w.commentator})
        EXPECT_TRUE(Inside(RectIn(w.frame, child), client)) << "child " << child;
    MoveWindow(w.frame, before.left, before.top, before.right - before.left, before.bottom - before.top, TRUE);
    children::Arrange();
}

INT_PTR CALLBACK Template(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// The height a text takes in a control of this width, lines broken at words
// as the control breaks them.
int TextHeight(HWND control, const wchar_t* text, int width)
{
    gdi::WindowDc dc(control);
    gdi::Select font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, width, 0};
    DrawTextW(dc.get(), text, -1, &r, DT_CALCRECT | DT_WORDBREAK);
    return r.bottom;
}

// Dialogs are laid out in dialog units: at any scale every control stays in
// its dialog and every text fits its control.
TEST(Display, EveryDialogHoldsItsControlsAndTheirTexts)
{
    Program();
    dialogs::RegisterPanels();
    AutoAnswer shown(IDCANCEL);
    const int box = GetSystemMetrics(SM_CXMENUCHECK);
    for (int id : {IDD_SETTINGS, IDD_COLOURS, IDD_STATISTICS, IDD_ABOUT, IDD_WON, IDD_LOST}) {
        HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, Template, 0);
        ASSERT_TRUE(dialog) << id;
        RECT client;
        GetClientRect(dialog, &client);
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            const RECT r = RectIn(dialog, c);
            wchar_t cls[16] = L"", text[128] = L"";
            GetClassNameW(c, cls, 16);
            GetWindowTextW(c, text, 128);
            SCOPED_TRACE("dialog " + std::to_string(id) + ": " + text::Narrow(text));
            EXPECT_TRUE(Inside(r, client)) << "control " << GetDlgCtrlID(c);
            const LONG style = GetWindowLongW(c, GWL_STYLE), type = style & BS_TYPEMASK;
            const bool mark = lstrcmpiW(cls, L"Button") == 0 && !(style & BS_PUSHLIKE) &&
                              (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_CHECKBOX);
            if (lstrcmpiW(cls, L"Static") == 0 && *text) {
                EXPECT_LE(TextHeight(c, text, r.right - r.left), r.bottom - r.top);
            } else if (lstrcmpiW(cls, L"Button") == 0 && *text) {  // one line
                std::wstring shown(text);
                shown.erase(std::remove(shown.begin(), shown.end(), L'&'), shown.end());
                EXPECT_LE(TextWidth(c, shown) + (mark ? box : 0), r.right - r.left) << "box " << box;
            }
        }
        DestroyWindow(dialog);
    }
}

}  // namespace
