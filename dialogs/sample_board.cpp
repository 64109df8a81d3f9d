// Sample board of the colours dialog: painting, its five regions, clicks.
#include "dialogs/sample_board.h"

#include <windowsx.h>

#include "common/gdi.h"
#include "common/messages.h"
#include "common/window_proc.h"
#include "game/model.h"

namespace sample_board {
namespace {

// The parts of the board, rebuilt at each paint: they serve the click test
// and repainting only what a colour change affects.
struct Regions {
    gdi::Obj<HRGN> border, field, ship, dot, sunk;
    explicit operator bool() const { return static_cast<bool>(border); }
};

struct Panel {
    const look::ColourScheme* colours = nullptr;
    Regions regions;
};

Panel* PanelOf(HWND panel) { return common::RecordOf<Panel>(panel); }

HRGN RectRegion(const Rect& r) { return CreateRectRgn(r.left, r.top, r.right, r.bottom); }

void Cut(const gdi::Obj<HRGN>& from, HRGN piece)
{
    CombineRgn(from.get(), from.get(), piece, RGN_DIFF);
}

void DrawLines(HDC dc, const std::vector<Line>& lines)
{
    for (const Line& l : lines) {
        MoveToEx(dc, l.x0, l.y0, nullptr);
        LineTo(dc, l.x1, l.y1);
    }
}

void Box(HDC dc, const Rect& r, COLORREF fill)
{
    gdi::Obj<HBRUSH> brush(CreateSolidBrush(fill));
    gdi::Select keep(dc, brush.get());
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

// Draws the board and, when regions is given, makes its regions anew.
void Draw(HDC dc, int width, int height, int cell, const look::ColourScheme& colours, Regions* regions)
{
    const Geometry g = Layout(width, height, cell);
    {
        gdi::Obj<HPEN> black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        gdi::Select pen(dc, black.get());
        Box(dc, g.panel, colours.BackGround);
    }

    // The lines' pen stays for the grid, the ships and the dot.
    gdi::Obj<HPEN> lines(CreatePen(PS_SOLID, 1, colours.Lines));
    gdi::Select pen(dc, lines.get());
    Box(dc, g.field, colours.BattleField);
    DrawLines(dc, g.grid);

    Box(dc, g.ship, colours.Ships);
    DrawLines(dc, g.shipCross);
    {
        gdi::Obj<HBRUSH> ships(CreateSolidBrush(colours.Ships));
        gdi::Select brush(dc, ships.get());
        Ellipse(dc, g.dot.left, g.dot.top, g.dot.right, g.dot.bottom);
    }
    Box(dc, g.sunk, colours.SunkShip);
    DrawLines(dc, g.sunkCrosses);

    if (!regions)
        return;
    Regions r;
    r.border.Reset(RectRegion(g.panel));
    r.field.Reset(RectRegion(g.field));
    Cut(r.border, r.field.get());
    for (const Rect& strip : g.strips) {
        gdi::Obj<HRGN> s(RectRegion(strip));
        Cut(r.field, s.get());
    }
    r.ship.Reset(RectRegion(g.ship));
    r.dot.Reset(CreateEllipticRgn(g.dot.left, g.dot.top, g.dot.right, g.dot.bottom));
    r.sunk.Reset(RectRegion(g.sunk));
    Cut(r.field, r.dot.get());
    Cut(r.field, r.ship.get());
    Cut(r.field, r.sunk.get());
    *regions = std::move(r);
}

void OnPaint(HWND panel)
{
    gdi::PaintDc dc(panel);
    Panel* p = PanelOf(panel);
    if (!p || !p->colours)
        return;
    RECT client;
    GetClientRect(panel, &client);
    Draw(dc.get(), client.right, client.bottom, game::CellSize, *p->colours, &p->regions);
}

void OnLButtonDown(HWND panel, POINT pt)
{
    Selection picked;
    if (PickAt(panel, pt, &picked))
        SendMessageW(GetParent(panel), common::kColourPicked, static_cast<WPARAM>(picked), 0);
}

LRESULT Handle(Panel&, HWND panel, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: OnPaint(panel); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(panel, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    }
    return DefWindowProcW(panel, msg, wp, lp);
}

}  // namespace

bool Register()
{
    return common::Register({kClassName, common::RecordWindowProc<Panel, Handle>, 0, 0,
                             LoadCursorW(nullptr, IDC_ARROW)});
}

void SetColours(HWND panel, const look::ColourScheme* colours)
{
    if (Panel* p = PanelOf(panel)) {
        p->colours = colours;
        InvalidateRect(panel, nullptr, TRUE);
    }
}

void ShowChange(HWND panel, Selection selection)
{
    const Panel* p = PanelOf(panel);
    if (!p || !p->regions)
        return;
    const Regions& r = p->regions;
    switch (selection) {
    case kBattleField: InvalidateRgn(panel, r.field.get(), TRUE); break;
    case kBackGround: InvalidateRgn(panel, r.border.get(), TRUE); break;
    case kShips:
        InvalidateRgn(panel, r.ship.get(), TRUE);
        InvalidateRgn(panel, r.dot.get(), TRUE);
        break;
    case kLines: {
        // The inner grid lines; the field's outline waits for a full paint.
        RECT box;
        GetRgnBox(r.field.get(), &box);
        InvalidateRect(panel, &box, TRUE);
        break;
    }
    case kSunkShip: InvalidateRgn(panel, r.sunk.get(), TRUE); break;
    default: break;
    }
}

void PaintBoard(HDC dc, int width, int height, int cell, const look::ColourScheme& colours)
{
    Draw(dc, width, height, cell, colours, nullptr);
}

bool PickAt(HWND panel, POINT pt, Selection* out)
{
    const Panel* p = PanelOf(panel);
    if (!p || !p->regions)
        return false;
    const Regions& r = p->regions;
    const Hit hit = {PtInRegion(r.border.get(), pt.x, pt.y) != 0, PtInRegion(r.field.get(), pt.x, pt.y) != 0,
                     PtInRegion(r.dot.get(), pt.x, pt.y) != 0, PtInRegion(r.ship.get(), pt.x, pt.y) != 0,
                     PtInRegion(r.sunk.get(), pt.x, pt.y) != 0};
    *out = SelectionFor(hit);
    return true;
}

}  // namespace sample_board
