// The board painters: background, ships and marks.
#include "boards/board_render.h"

#include "boards/board_geometry.h"
#include "boards/board_windows.h"
#include "boards/placement_window.h"
#include "common/gdi.h"
#include "common/look.h"
#include "game/options.h"
#include "game/placement.h"
#include "game/play.h"

namespace boards {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kFlagWhite = RGB(255, 255, 255);
constexpr COLORREF kFlagBlue = RGB(0, 0, 255);
constexpr COLORREF kFlagRed = RGB(255, 0, 0);

constexpr wchar_t kRowNumbers[][3] = {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10"};

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void DrawRect(HDC dc, const Rect& r) { Rectangle(dc, r.left, r.top, r.right, r.bottom); }

void DrawCross(HDC dc, int x, int y, int c)
{
    const Rect s = SquareRect(x, y, c);
    MoveToEx(dc, s.left, s.top, nullptr);
    LineTo(dc, s.right, s.bottom);
    MoveToEx(dc, s.right, s.top, nullptr);
    LineTo(dc, s.left, s.bottom);
}

void DrawDot(HDC dc, int x, int y, int c)
{
    const Rect d = MissDot(x, y, c);
    Ellipse(dc, d.left, d.top, d.right, d.bottom);
}

void DrawGrid(HDC dc, int c)
{
    for (int i = 0; i <= kBoardSquares; ++i) {
        MoveToEx(dc, i * c, 0, nullptr);
        LineTo(dc, i * c, 10 * c);
        MoveToEx(dc, 0, i * c, nullptr);
        LineTo(dc, 10 * c, i * c);
    }
}

void DrawLabels(HDC dc, int c)
{
    for (int i = 0; i < kBoardSquares; ++i) {
        const Point letter = LetterOrigin(i, c);
        TextOutW(dc, letter.x, letter.y, &kColumnLetters[i], 1);
        const Point number = NumberOrigin(i, c);
        TextOutW(dc, number.x, number.y, kRowNumbers[i], lstrlenW(kRowNumbers[i]));
    }
}

void DrawFlag(HDC dc, int c, HBRUSH white, HBRUSH blue, HBRUSH red)
{
    const FlagStripes f = FlagCorner(c);
    const RECT w = ToRect(f.white), b = ToRect(f.blue), r = ToRect(f.red);
    FillRect(dc, &w, white);
    FillRect(dc, &b, blue);
    FillRect(dc, &r, red);
}

bool Set(int layer, int x, int y) { return game::IsSet(layer, x, y); }

// Hits are framed squares with a cross; misses and ring squares are dots.
void DrawComputerMarks(HDC dc, int c)
{
    for (int x = 0; x < kBoardSquares; ++x)
        for (int y = 0; y < kBoardSquares; ++y) {
            if (!Set(game::ShotsAtComputer, x, y))
                continue;
            if (Set(game::ComputerShips, x, y)) {
                DrawRect(dc, SquareRect(x, y, c));
                DrawCross(dc, x, y, c);
            } else {
                DrawDot(dc, x, y, c);
            }
        }
}

// Each placed ship is one rectangle; hits are crosses drawn on it.
void DrawHumanMarks(HDC dc, int c, HBRUSH ships, HBRUSH sunk)
{
    for (int k = 0; k < game::kShipCount; ++k) {
        if (!game::ShipPlaced[k])
            continue;
        gdi::Select brush(dc, game::IsSunk(k, game::kHumanFleet) ? sunk : ships);
        DrawRect(dc, game::ShipRects[game::kHumanFleet][k]);
    }
    gdi::Select brush(dc, ships);
    for (int x = 0; x < kBoardSquares; ++x)
        for (int y = 0; y < kBoardSquares; ++y) {
            if (!Set(game::ShotsAtHuman, x, y))
                continue;
            if (Set(game::HumanShips, x, y))
                DrawCross(dc, x, y, c);
            else
                DrawDot(dc, x, y, c);
        }
}

}  // namespace

BoardLook LookOf(game::BoardId board)
{
    const look::ColourScheme& colours = look::Colours();
    const look::FontId font = board == game::BoardId::Computer ? look::kComputerBoardFont : look::kHumanBoardFont;
    BoardLook look{};
    look.cell = game::CellSize;
    look.battleField = colours.BattleField;
    look.ships = colours.Ships;
    look.lines = colours.Lines;
    look.sunkShip = colours.SunkShip;
    look.russianFlag = game::Options.RussianFlag;
    look.labelFont = look::Font(font);
    look.labelColour = look::FontColour(font);
    return look;
}

void DrawBackground(HDC dc, const RECT& client, const BoardLook& look)
{
    const int c = look.cell;
    const Rect bottom = BottomLabelStrip(c), right = RightLabelStrip(c);
    gdi::Obj<HRGN> strips(CreateRectRgn(bottom.left, bottom.top, bottom.right, bottom.bottom));
    gdi::Obj<HRGN> rightStrip(CreateRectRgn(right.left, right.top, right.right, right.bottom));
    CombineRgn(strips.get(), strips.get(), rightStrip.get(), RGN_OR);

    SetTextColor(dc, look.labelColour);
    gdi::Select font(dc, look.labelFont);
    SetBkColor(dc, kBlack);

    gdi::Obj<HBRUSH> sea(CreateSolidBrush(look.battleField));
    gdi::Obj<HBRUSH> black(CreateSolidBrush(kBlack));
    gdi::Obj<HBRUSH> white(CreateSolidBrush(kFlagWhite));
    gdi::Obj<HBRUSH> blue(CreateSolidBrush(kFlagBlue));
    gdi::Obj<HBRUSH> red(CreateSolidBrush(kFlagRed));
    gdi::Select seaBrush(dc, sea.get());
    {
        gdi::Obj<HPEN> lines(CreatePen(PS_SOLID, 1, look.lines));
        gdi::Select pen(dc, lines.get());
        Rectangle(dc, client.left, client.top, client.right, client.bottom);
        DrawGrid(dc, c);
        // The strips cover the grid's last lines and the frame on their sides.
        FillRgn(dc, strips.get(), black.get());
        DrawLabels(dc, c);
    }
    SelectObject(dc, GetStockObject(NULL_PEN));
    if (look.russianFlag)
        DrawFlag(dc, c, white.get(), blue.get(), red.get());
}

void DrawMarks(HDC dc, game::BoardId board, const BoardLook& look, bool withPositioned)
{
    gdi::Obj<HBRUSH> ships(CreateSolidBrush(look.ships));
    gdi::Obj<HPEN> lines(CreatePen(PS_SOLID, 1, look.lines));
    gdi::Select pen(dc, lines.get());
    if (board == game::BoardId::Computer) {
        gdi::Select brush(dc, ships.get());
        DrawComputerMarks(dc, look.cell);
        return;
    }
    gdi::Obj<HBRUSH> sunk(CreateSolidBrush(look.sunkShip));
    DrawHumanMarks(dc, look.cell, ships.get(), sunk.get());
    // The ship being positioned lives on screen only as an inverted image;
    // a full repaint puts it back, so the next step's erase still matches.
    if (withPositioned)
        if (const auto shown = ShipImage())
            DrawShipInverted(dc, *shown);
}

void RenderBoard(HDC dc, const RECT& client, game::BoardId board, const BoardLook& look)
{
    const bool full = !game::TakeSkipBackground();
    if (full)
        DrawBackground(dc, client, look);
    DrawMarks(dc, board, look, full);
}

void RedrawBoardBackground(game::BoardId board)
{
    HWND window = BoardWindow(board);
    if (!window)  // GetDC(nullptr) would draw on the whole screen
        return;
    gdi::WindowDc dc(window);
    RECT client;
    GetClientRect(window, &client);
    DrawBackground(dc.get(), client, LookOf(board));
}

void PaintBoard(HWND window, game::BoardId board)
{
    const BoardLook look = LookOf(board);
    gdi::PaintDc dc(window);
    RECT client;
    GetClientRect(window, &client);
    RenderBoard(dc.get(), client, board, look);
}

}  // namespace boards
