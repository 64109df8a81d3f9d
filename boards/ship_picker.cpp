// The ship picker: painting, hit test and the choice of a ship.
#include "boards/ship_picker.h"

#include <windowsx.h>

#include <string>

#include "boards/placement_window.h"
#include "common/child_window.h"
#include "common/gdi.h"
#include "common/layout.h"
#include "common/look.h"
#include "common/module.h"
#include "common/textures.h"
#include "common/window_proc.h"
#include "game/placement.h"
#include "game/play.h"
#include "resources/resource.h"

namespace boards {
namespace {

constexpr wchar_t kPickerClass[] = L"ShipContainer_class";
constexpr wchar_t kPickerCaption[] = L"Выбери корабль.";
constexpr DWORD kPickerStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
constexpr char kDigitFace[] = "MS Sans Serif";

HWND g_picker;
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

LRESULT HandleShipPicker(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_LBUTTONUP: ChooseShip(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_CLOSE: child_window::Show(window, false); return 0;
    case WM_EXITSIZEMOVE: InvalidateRect(window, nullptr, TRUE); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

bool RegisterPicker()
{
    common::WindowClass c{kPickerClass, common::WindowProc<HandleShipPicker>};
    c.icon = IDI_PICKER;
    c.cursor = LoadCursorW(nullptr, IDC_ARROW);
    return common::Register(c);
}

HWND CreatePicker(HWND frame, const layout::Box& b)
{
    g_picker = CreateWindowExW(0, kPickerClass, kPickerCaption, kPickerStyle, b.x, b.y, b.width, b.height, frame,
                               nullptr, common::Module(), nullptr);
    return g_picker;
}

HWND PickerWindow() { return g_picker; }

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
    SetFocus(child_window::FrameOf(g_picker));
    if (game::ChooseShip(LengthSlotOf(i), IsUpright(i)) >= 0)
        BeginPlacement();
}

const Silhouettes& PickerSilhouettes() { return g_silhouettes; }

void DrawShipPicker(HDC dc, const RECT& client, int c)
{
    const look::ColourScheme& colours = look::Colours();
    gdi::Obj<HFONT> font(MakeDigitFont(c));
    gdi::Obj<HBRUSH> ships(CreateSolidBrush(colours.Ships));
    gdi::Obj<HPEN> lines(CreatePen(PS_SOLID, 1, colours.Lines));

    FillRect(dc, &client, textures::Brush(textures::kGrey));
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
