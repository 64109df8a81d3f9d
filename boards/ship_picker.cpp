// The ship picker: painting, hit test and the choice of a ship.
#include "boards/ship_picker.h"

#include <windowsx.h>

#include <string>

#include "boards/placement_window.h"
#include "common/window_proc.h"
#include "game/placement.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/gdi.h"
#include "shell/layout.h"
#include "shell/settings.h"
#include "shell/toolbar.h"

namespace boards {
namespace {

constexpr char kDigitFace[] = "MS Sans Serif";

Silhouettes g_silhouettes{};

// The counts' font, made for each paint.
HFONT MakeDigitFont(int c)
{
    const DigitSize size = DigitFontSize(c);
    LOGFONTA lf{};
    lf.lfHeight = size.height;
    lf.lfWidth = size.width;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lstrcpynA(lf.lfFaceName, kDigitFace, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

// Only the first character of the count is shown.
void DrawCount(HDC dc, int x, int y, int count)
{
    const std::wstring digits = std::to_wstring(count);
    TextOutW(dc, x, y, digits.c_str(), 1);
}

void OnCreate() { g_silhouettes = layout::ShipPickerRects(game::CellSize); }

void OnPaint(HWND window)
{
    gdi::PaintDc dc(window);
    RECT client;
    GetClientRect(window, &client);
    DrawShipPicker(dc.get(), client, game::CellSize);
}

void OnClose(HWND window)
{
    ShowWindow(window, SW_HIDE);
    toolbar::Release(IDM_SHOW_PICKER);
}

LRESULT HandleShipPicker(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_LBUTTONUP: ChooseShip(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_EXITSIZEMOVE: InvalidateRect(window, nullptr, TRUE); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

const WNDPROC ShipPickerProc = common::WindowProc<HandleShipPicker>;

void ChooseShip(int x, int y)
{
    if (!game::PickerOpen) {
        MessageBeep(0);
        return;
    }
    if (game::PlacingShip)
        return;
    const int i = SilhouetteAt(x, y, g_silhouettes, game::ShipsLeftToPlace);
    if (i < 0)
        return;
    const int t = LengthSlotOf(i);
    SetFocus(app::MainWindow);
    const int ship = game::NextChosenShipIndex(t);
    if (ship < 0)
        return;
    BeginPlacement(ship, IsUpright(i));
    --game::ShipsLeftToPlace[t];
    ShowWindow(app::ArrowsWindow, SW_SHOW);
    toolbar::PressAndCheck(IDM_SHOW_ARROWS);
}

const Silhouettes& PickerSilhouettes() { return g_silhouettes; }

void DrawShipPicker(HDC dc, const RECT& client, int c)
{
    const settings::ColourScheme& colours = settings::Colours();
    gdi::Obj<HFONT> font(MakeDigitFont(c));
    gdi::Obj<HBRUSH> ships(CreateSolidBrush(colours.Ships));
    gdi::Obj<HPEN> lines(CreatePen(PS_SOLID, 1, colours.Lines));

    FillRect(dc, &client, app::TextureBrushes[app::kTextureGrey]);
    gdi::Select pen(dc, lines.get());
    gdi::Select brush(dc, ships.get());
    for (const layout::Rect& r : g_silhouettes)
        Rectangle(dc, r.left, r.top, r.right, r.bottom);

    gdi::Select digits(dc, font.get());
    SetTextColor(dc, colours.Lines);
    SetBkColor(dc, colours.Ships);
    for (int i = 0; i < static_cast<int>(g_silhouettes.size()); ++i) {
        const CountOrigin at = CountOriginOf(g_silhouettes, i, c);
        DrawCount(dc, at.x, at.y, game::ShipsLeftToPlace[LengthSlotOf(i)]);
    }
}

}  // namespace boards
