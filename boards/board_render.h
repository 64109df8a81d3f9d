// Drawing the two boards: sea, grid, labels and the flag corner, then the
// ships and shot marks. Nothing is cached between paints.
#pragma once

#include <windows.h>

#include "game/effects.h"

namespace boards {

// Everything a board's picture depends on besides the game's layers.
struct BoardLook {
    int cell;
    COLORREF battleField, ships, lines, sunkShip;
    bool russianFlag;
    HFONT labelFont;  // null: the context's own font
    COLORREF labelColour;
};

// The look in force: cell size, colour scheme, flag option and the board's font.
BoardLook LookOf(game::BoardId board);

// Sea with the Lines frame, the grid, the black label strips with letters
// and numbers, the flag corner. Leaves the null pen selected.
void DrawBackground(HDC dc, const RECT& client, const BoardLook& look);
// Ships and shot marks of one board from the game's layers; on the human's
// board also the ship being positioned, inverted, when `withPositioned`.
void DrawMarks(HDC dc, game::BoardId board, const BoardLook& look, bool withPositioned);
// A whole paint's drawing: the background unless SkipBackground is raised
// (which it lowers), then the marks.
void RenderBoard(HDC dc, const RECT& client, game::BoardId board, const BoardLook& look);

// The background of a board's window outside a paint cycle: wipes every
// mark at once.
void RedrawBoardBackground(game::BoardId board);
// WM_PAINT of a board's window.
void PaintBoard(HWND window, game::BoardId board);

}  // namespace boards
