// Board windows: painting, shots, the placement mouse and the context menu.
#include "boards/board_windows.h"

#include <windowsx.h>

#include <cstdlib>

#include "boards/board_render.h"
#include "boards/placement_window.h"
#include "common/window_proc.h"
#include "game/placement.h"
#include "game/turns.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/fonts.h"
#include "shell/toolbar.h"

namespace boards {
namespace {

constexpr wchar_t kMenuHide[] = L"&Спрятать окно";
constexpr wchar_t kMenuFont[] = L"&Выбрать шрифт";

// The menu's point comes unsigned, as the click's client coordinates.
void ShowContextMenu(HWND board, POINT at)
{
    ClientToScreen(board, &at);
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    AppendMenuW(menu, MF_STRING, IDM_HIDE_WINDOW, kMenuHide);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_CHOOSE_FONT, kMenuFont);
    TrackPopupMenu(menu, TPM_LEFTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, board, nullptr);
    DestroyMenu(menu);
}

// The context menu's two commands; the toolbar button mirrors the window.
void OnCommand(HWND board, int command, int toolbarButton, fonts::Which font)
{
    switch (command) {
    case IDM_HIDE_WINDOW:
        ShowWindow(board, SW_HIDE);
        toolbar::Release(toolbarButton);
        break;
    case IDM_CHOOSE_FONT:
        fonts::Choose(board, font);
        InvalidateRect(board, nullptr, TRUE);
        break;
    }
}

void OnRepaintAfterMove(HWND board) { InvalidateRect(board, nullptr, TRUE); }

// Drag steps in one direction; a step is taken only while the ship stays
// inside the grid, so a drag never runs into MoveShip's limits.
void DragSteps(ShipMove move, int count)
{
    for (int i = 0; i < count && game::PlacingShip; ++i)
        if (DragMayMove(game::ShipRects[game::kHumanFleet][game::ShipBeingPlaced], move, game::CellSize))
            StepShip(move);
}

void OnPlacementDrag(POINT p)
{
    if (!game::PlacingShip || game::ShipBeingPlaced < 0 || game::ShipBeingPlaced >= game::kShipCount)
        return;
    const auto d = DragDeltaAt(p.x, p.y, game::LastMouseCell, game::CellSize);
    if (!d)
        return;
    DragSteps(d->rows < 0 ? kMoveUp : kMoveDown, std::abs(d->rows));
    DragSteps(d->cols < 0 ? kMoveLeft : kMoveRight, std::abs(d->cols));
    game::LastMouseCell = d->cell;
}

void SendPadCommand(int command) { SendMessageW(app::ArrowsWindow, WM_COMMAND, command, 0); }

void OnHumanLButtonUp()
{
    if (game::PlacingShip)
        SendPadCommand(kPadDone);
}

void OnHumanRButtonDown(HWND board, POINT at)
{
    if (game::PlacingShip)
        SendPadCommand(kPadTurn);
    else
        ShowContextMenu(board, at);
}

LRESULT HandleComputerBoard(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: PaintComputerBoard(window); return 0;
    case WM_LBUTTONUP: game::HumanShot(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_RBUTTONDOWN: ShowContextMenu(window, {LOWORD(lp), HIWORD(lp)}); return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wp), IDM_SHOW_COMPUTER_BOARD, fonts::kComputerBoard);
        return 0;
    case WM_EXITSIZEMOVE: OnRepaintAfterMove(window); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

const WNDPROC ComputerBoardProc = common::WindowProc<HandleComputerBoard>;

namespace {

LRESULT HandleHumanBoard(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: PaintHumanBoard(window); return 0;
    case WM_MOUSEMOVE: OnPlacementDrag({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    case WM_LBUTTONUP: OnHumanLButtonUp(); return 0;
    case WM_RBUTTONDOWN: OnHumanRButtonDown(window, {LOWORD(lp), HIWORD(lp)}); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wp), IDM_SHOW_HUMAN_BOARD, fonts::kHumanBoard); return 0;
    case WM_EXITSIZEMOVE: OnRepaintAfterMove(window); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

const WNDPROC HumanBoardProc = common::WindowProc<HandleHumanBoard>;

}  // namespace boards
