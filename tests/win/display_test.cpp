// Sizes at the system's display scale; tests/win/display_scales.sh runs these again at 120, 144 and 192 DPI.
#include <cmath>

#include "dialogs/panels.h"
#include "shell/status_bar.h"
#include "support.h"

namespace {

int Dpi() { return GetDeviceCaps(gdi::WindowDc(nullptr).get(), LOGPIXELSY); }
double Scaled(double pixels) { return pixels * Dpi() / 96.0; }  // 96-DPI pixels at this scale

// The size a text takes in a window's font, as DrawText lays it out within `width`.
SIZE TextSize(HWND window, const wchar_t* text, UINT format, int width = 0)
{
    gdi::WindowDc dc(window);
    gdi::Select font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    RECT r{0, 0, width, 0};
    DrawTextW(dc.get(), text, -1, &r, DT_CALCRECT | format);
    return {r.right, r.bottom};
}

// Whether a child lies in its parent's client area.
bool Inside(HWND parent, HWND child)
{
    RECT r, c;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    GetClientRect(parent, &c);
    return r.left >= c.left && r.top >= c.top && r.right <= c.right && r.bottom <= c.bottom;
}

TEST(Display, TheFrameFollowsTheScale)
{
    const Handles& w = Program();
    SCOPED_TRACE(std::to_string(Dpi()) + " DPI");
    EXPECT_EQ(game::CellSize, std::lround(45.0 * Dpi() / 254)) << "4.5 mm";

    int image = 0, imageHigh = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar::Window(), TB_GETIMAGELIST, 0, 0)),
                          &image, &imageHigh);
    EXPECT_NEAR(image, Scaled(24), 6) << "the toolbar's images, drawn near 24 pixels at 96 DPI";
    EXPECT_GT(HIWORD(SendMessageW(toolbar::Window(), TB_GETBUTTONSIZE, 0, 0)), image);

    // Fonts nobody chose, as a first run makes them: near 16 pixels at 96 DPI, as the system's font.
    look::MakeFonts(false);
    for (look::FontId font : {look::kCommentatorFont, look::kComputerBoardFont}) {
        gdi::WindowDc dc(w.commentator);
        gdi::Select keep(dc.get(), look::Font(font) ? look::Font(font) : GetStockObject(SYSTEM_FONT));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.get(), &tm);
        EXPECT_NEAR(tm.tmHeight, Scaled(16), Scaled(2)) << "font " << font;
    }

    // The status bar's counts whole, the children inside the frame at its default size and arrangement.
    RECT before;
    GetWindowRect(w.frame, &before);
    const RECT& made = w.created;
    MoveWindow(w.frame, made.left, made.top, made.right - made.left, made.bottom - made.top, TRUE);
    children::Arrange();
    for (int part : {1, 2}) {
        wchar_t text[64] = L"";
        SendMessageW(status_bar::Window(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
        RECT r{};
        SendMessageW(status_bar::Window(), SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
        EXPECT_GT(r.right - r.left, TextSize(status_bar::Window(), text, DT_SINGLELINE | DT_NOPREFIX).cx) << part;
    }
    for (HWND child : {w.computer, w.human, w.pad, w.picker, w.commentator})
        EXPECT_TRUE(Inside(w.frame, child)) << "child " << child;
    MoveWindow(w.frame, before.left, before.top, before.right - before.left, before.bottom - before.top, TRUE);
    children::Arrange();
}

// Dialogs are laid out in dialog units: at any scale every control stays in its dialog and every text fits its control
// (a button's on one line, past its check box if it has one; a static's broken at words as it breaks them).
TEST(Display, EveryDialogHoldsItsControlsAndTheirTexts)
{
    Program();
    dialogs::RegisterPanels();
    AutoAnswer shown(IDCANCEL);
    const int box = GetSystemMetrics(SM_CXMENUCHECK);
    for (int id : {IDD_SETTINGS, IDD_COLOURS, IDD_STATISTICS, IDD_ABOUT, IDD_WON, IDD_LOST}) {
        const DLGPROC proc = [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR { return msg == WM_INITDIALOG; };
        HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, proc, 0);
        ASSERT_TRUE(dialog) << id;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(c, &r);
            wchar_t cls[16] = L"", text[128] = L"";
            GetClassNameW(c, cls, 16);
            GetWindowTextW(c, text, 128);
            SCOPED_TRACE("dialog " + std::to_string(id) + ": " + text::Narrow(text));
            EXPECT_TRUE(Inside(dialog, c)) << "control " << GetDlgCtrlID(c);
            const LONG style = GetWindowLongW(c, GWL_STYLE), t = style & BS_TYPEMASK;
            const bool mark = !(style & BS_PUSHLIKE) && (t == BS_AUTOCHECKBOX || t == BS_AUTORADIOBUTTON);
            if (lstrcmpiW(cls, L"Static") == 0 && *text) {
                EXPECT_LE(TextSize(c, text, DT_WORDBREAK, r.right - r.left).cy, r.bottom - r.top);
            } else if (lstrcmpiW(cls, L"Button") == 0 && *text) {
                EXPECT_LE(TextSize(c, text, DT_SINGLELINE).cx + (mark ? box : 0), r.right - r.left) << "box " << box;
            }
        }
        DestroyWindow(dialog);
    }
}

}  // namespace
