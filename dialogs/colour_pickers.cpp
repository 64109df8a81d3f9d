// Palette and shade ramp panels: cells outlined in black, the one under the
// mouse in white, a click copies its colour into the dialog's fields.
#include "dialogs/colour_pickers.h"

#include <windowsx.h>

#include "common/window_proc.h"
#include "dialogs/colours_dialog.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/gdi.h"

namespace colour_pickers {
namespace {

using colour_grid::Cell;
using colour_grid::Rgb;

enum Kind { kPalette, kRamp };

// What a panel remembers between its paint and the mouse: the cell size of
// the latest paint and the cell outlined last.
struct PickerState {
    int cellWidth = 0, cellHeight = 0;   // 0: not painted yet
    bool outlined = false;
    Cell last{};
};

PickerState g_state[2];

int Columns(Kind kind) { return kind == kPalette ? colour_grid::kPaletteColumns : colour_grid::kRampColumns; }

// The ramp follows the fields as they are now.
Rgb ColourOf(Kind kind, HWND panel, Cell cell)
{
    if (kind == kPalette)
        return colour_grid::PaletteColour(cell.column, cell.row);
    const auto ramp = colour_grid::ShadeRamp(colours_dialog::FieldColour(GetParent(panel)));
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

void OnCreate(Kind kind) { g_state[kind] = PickerState{}; }

void OnPaint(Kind kind, HWND panel)
{
    gdi::PaintDc dc(panel);
    RECT client;
    GetClientRect(panel, &client);
    PickerState& s = g_state[kind];
    s.cellWidth = client.right / Columns(kind);
    s.cellHeight = client.bottom / colour_grid::kRows;
    if (kind == kPalette)
        PaintPalette(dc.get(), client.right, client.bottom);
    else
        PaintRamp(dc.get(), client.right, client.bottom, colours_dialog::FieldColour(GetParent(panel)));
}

std::optional<Cell> CellAt(Kind kind, POINT pt)
{
    const PickerState& s = g_state[kind];
    return colour_grid::CellAt(pt.x, pt.y, s.cellWidth, s.cellHeight, Columns(kind));
}

HCURSOR Pipette()
{
    HCURSOR pipette = LoadCursorW(app::Instance, MAKEINTRESOURCEW(IDC_PIPETTE));
    return pipette ? pipette : LoadCursorW(nullptr, IDC_CROSS);
}

// The white outline moves to the cell under the mouse.
void OnMouseMove(Kind kind, HWND panel, POINT pt)
{
    const auto cell = CellAt(kind, pt);
    if (!cell)
        return;
    SetCursor(Pipette());
    PickerState& s = g_state[kind];
    gdi::WindowDc dc(panel);
    if (s.outlined)
        DrawCell(dc.get(), CellRect(s.cellWidth, s.cellHeight, s.last), ColourOf(kind, panel, s.last), RGB(0, 0, 0));
    s.last = *cell;
    s.outlined = true;
    DrawCell(dc.get(), CellRect(s.cellWidth, s.cellHeight, *cell), ColourOf(kind, panel, *cell),
             RGB(255, 255, 255));
}

// Keeps the dialog from putting its arrow back over a cell.
bool OnSetCursor(Kind kind, HWND panel, int hitTest)
{
    POINT pt;
    if (hitTest != HTCLIENT || !GetCursorPos(&pt) || !ScreenToClient(panel, &pt) || !CellAt(kind, pt))
        return false;
    SetCursor(Pipette());
    return true;
}

void OnLButtonDown(Kind kind, HWND panel, POINT pt)
{
    if (const auto cell = CellAt(kind, pt))
        colours_dialog::WriteFields(GetParent(panel), ColourOf(kind, panel, *cell));
}

LRESULT Handle(Kind kind, HWND panel, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: OnCreate(kind); return 0;
    case WM_PAINT: OnPaint(kind, panel); return 0;
    case WM_SETCURSOR: if (OnSetCursor(kind, panel, LOWORD(lp))) return TRUE; break;
    case WM_MOUSEMOVE: OnMouseMove(kind, panel, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(kind, panel, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    }
    return DefWindowProcW(panel, msg, wp, lp);
}

LRESULT HandlePalette(HWND panel, UINT msg, WPARAM wp, LPARAM lp) { return Handle(kPalette, panel, msg, wp, lp); }
LRESULT HandleRamp(HWND panel, UINT msg, WPARAM wp, LPARAM lp) { return Handle(kRamp, panel, msg, wp, lp); }

bool RegisterOne(HINSTANCE instance, const wchar_t* name, WNDPROC proc)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    // No class cursor: the pipette is set over the cells only. The strips
    // past the last whole cells show the dialog's own face colour.
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool Register(HINSTANCE instance)
{
    return RegisterOne(instance, kPaletteClass, common::WindowProc<HandlePalette>) &&
           RegisterOne(instance, kRampClass, common::WindowProc<HandleRamp>);
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
