// Palette and shade ramp panels: cells outlined in black, the one under the
// mouse in white, a click copies its colour into the dialog's fields.
#include "dialogs/colour_pickers.h"

#include <windowsx.h>

#include "common/gdi.h"
#include "common/module.h"
#include "common/window_proc.h"
#include "dialogs/colour_fields.h"
#include "resources/resource.h"

namespace colour_pickers {
namespace {

using colour_grid::Cell;
using colour_grid::Rgb;

enum Kind { kPalette, kRamp };

// What a panel remembers between its paint and the mouse: the cell size of
// the latest paint and the cell outlined last.
struct PickerState {
    Kind kind = kPalette;
    int cellWidth = 0, cellHeight = 0;   // 0: not painted yet
    bool outlined = false;
    Cell last{};
};

int Columns(Kind kind) { return kind == kPalette ? colour_grid::kPaletteColumns : colour_grid::kRampColumns; }

// The ramp follows the fields as they are now.
Rgb ColourOf(Kind kind, HWND panel, Cell cell)
{
    if (kind == kPalette)
        return colour_grid::PaletteColour(cell.column, cell.row);
    const auto ramp = colour_grid::ShadeRamp(colour_fields::Read(GetParent(panel)));
    return colour_grid::RampColour(ramp, cell.column, cell.row);
}

RECT CellRect(int w, int h, Cell c) { return {c.column * w, c.row * h, (c.column + 1) * w, (c.row + 1) * h}; }

void DrawCell(HDC dc, const RECT& r, Rgb colour, COLORREF outline)
{
    gdi::Obj<HPEN> pen(CreatePen(PS_SOLID, 1, outline));
    gdi::Obj<HBRUSH> brush(CreateSolidBrush(RGB(colour.r, colour.g, colour.b)));
    gdi::Select keepPen(dc, pen.get());
    gdi::Select keepBrush(dc, brush.get());
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

// Column by column; the pixels right of and below the whole cells are left alone.
template <typename ColourAt>
void PaintGrid(HDC dc, int width, int height, int columns, ColourAt colourAt)
{
    const int w = width / columns, h = height / colour_grid::kRows;
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < colour_grid::kRows; ++j)
            DrawCell(dc, CellRect(w, h, {i, j}), colourAt(Cell{i, j}), RGB(0, 0, 0));
}

void OnPaint(PickerState& s, HWND panel)
{
    gdi::PaintDc dc(panel);
    RECT client;
    GetClientRect(panel, &client);
    s.cellWidth = client.right / Columns(s.kind);
    s.cellHeight = client.bottom / colour_grid::kRows;
    if (s.kind == kPalette)
        PaintPalette(dc.get(), client.right, client.bottom);
    else
        PaintRamp(dc.get(), client.right, client.bottom, colour_fields::Read(GetParent(panel)));
}

std::optional<Cell> CellAt(const PickerState& s, POINT pt)
{
    return colour_grid::CellAt(pt.x, pt.y, s.cellWidth, s.cellHeight, Columns(s.kind));
}

HCURSOR Pipette()
{
    HCURSOR pipette = LoadCursorW(common::Module(), MAKEINTRESOURCEW(IDC_PIPETTE));
    return pipette ? pipette : LoadCursorW(nullptr, IDC_CROSS);
}

// The white outline moves to the cell under the mouse.
void OnMouseMove(PickerState& s, HWND panel, POINT pt)
{
    const auto cell = CellAt(s, pt);
    if (!cell)
        return;
    SetCursor(Pipette());
    gdi::WindowDc dc(panel);
    if (s.outlined)
        DrawCell(dc.get(), CellRect(s.cellWidth, s.cellHeight, s.last), ColourOf(s.kind, panel, s.last),
                 RGB(0, 0, 0));
    s.last = *cell;
    s.outlined = true;
    DrawCell(dc.get(), CellRect(s.cellWidth, s.cellHeight, *cell), ColourOf(s.kind, panel, *cell),
             RGB(255, 255, 255));
}

// Keeps the dialog from putting its arrow back over a cell.
bool OnSetCursor(const PickerState& s, HWND panel, int hitTest)
{
    POINT pt;
    if (hitTest != HTCLIENT || !GetCursorPos(&pt) || !ScreenToClient(panel, &pt) || !CellAt(s, pt))
        return false;
    SetCursor(Pipette());
    return true;
}

void OnLButtonDown(const PickerState& s, HWND panel, POINT pt)
{
    if (const auto cell = CellAt(s, pt))
        colour_fields::Write(GetParent(panel), ColourOf(s.kind, panel, *cell));
}

LRESULT Handle(PickerState& s, HWND panel, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: OnPaint(s, panel); return 0;
    case WM_SETCURSOR: if (OnSetCursor(s, panel, LOWORD(lp))) return TRUE; break;
    case WM_MOUSEMOVE: OnMouseMove(s, panel, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(s, panel, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    }
    return DefWindowProcW(panel, msg, wp, lp);
}

// Each class's panels keep records of their own kind.
template <Kind K>
LRESULT HandleKind(PickerState& s, HWND panel, UINT msg, WPARAM wp, LPARAM lp)
{
    s.kind = K;
    return Handle(s, panel, msg, wp, lp);
}

}  // namespace

bool Register()
{
    // No class cursor: the pipette is set over the cells only. The strips
    // past the last whole cells show the dialog's own face colour.
    const auto face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return common::Register({kPaletteClass, common::RecordWindowProc<PickerState, HandleKind<kPalette>>, 0, 0,
                             nullptr, face}) &&
           common::Register({kRampClass, common::RecordWindowProc<PickerState, HandleKind<kRamp>>, 0, 0, nullptr,
                             face});
}

void PaintPalette(HDC dc, int width, int height)
{
    PaintGrid(dc, width, height, colour_grid::kPaletteColumns,
              [](Cell c) { return colour_grid::PaletteColour(c.column, c.row); });
}

void PaintRamp(HDC dc, int width, int height, Rgb base)
{
    const auto ramp = colour_grid::ShadeRamp(base);
    PaintGrid(dc, width, height, colour_grid::kRampColumns,
              [&ramp](Cell c) { return colour_grid::RampColour(ramp, c.column, c.row); });
}

}  // namespace colour_pickers
