// Board windows: painting, shots, the placement mouse and the context menu.
#include "boards/board_windows.h"

#include <windowsx.h>

#include <cstdlib>

#include "boards/board_render.h"
#include "boards/placement_window.h"
#include "common/child_window.h"
#include "common/look.h"
#include "common/module.h"
#include "common/window_proc.h"
#include "game/placement.h"
#include "game/turns.h"
#include "resources/resource.h"

namespace boards {
namespace {

constexpr wchar_t kComputerBoardClass[] = L"First_screen";
constexpr wchar_t kHumanBoardClass[] = L"Second_screen";
constexpr wchar_t kComputerBoardCaption[] = L"Корабли компьютера";
constexpr wchar_t kHumanBoardCaption[] = L"Корабли человека";

constexpr DWORD kBoardStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION;
constexpr DWORD kBoardExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;

HWND g_computerBoard;
HWND g_humanBoard;
int g_lastMouseCell;  // LastMouseCell

look::FontId FontOf(game::BoardId board)
{
    return board == game::BoardId::Computer ? look::kComputerBoardFont : look::kHumanBoardFont;
}

// The context menu's two commands.
void OnCommand(HWND window, game::BoardId board, int command)
{
    switch (command) {
    case IDM_HIDE_WINDOW: child_window::Show(window, false); break;
    case IDM_CHOOSE_FONT:
        look::PickFont(window, FontOf(board));
        InvalidateRect(window, nullptr, TRUE);
        break;
    }
}

void OnRepaintAfterMove(HWND window) { InvalidateRect(window, nullptr, TRUE); }

// The menu's point comes unsigned, as the click's client coordinates.
POINT MenuPoint(LPARAM lp) { return {LOWORD(lp), HIWORD(lp)}; }

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
    const auto d = DragDeltaAt(p.x, p.y, g_lastMouseCell, game::CellSize);
    if (!d)
        return;
    DragSteps(d->rows < 0 ? kMoveUp : kMoveDown, std::abs(d->rows));
    DragSteps(d->cols < 0 ? kMoveLeft : kMoveRight, std::abs(d->cols));
    g_lastMouseCell = d->cell;
}

void OnHumanLButtonUp()
{
    if (game::PlacingShip)
        SendPadCommand(kPadDone);
}

void OnHumanRButtonDown(HWND window, LPARAM lp)
{
    if (game::PlacingShip)
        SendPadCommand(kPadTurn);
    else
        child_window::TrackMenu(window, MenuPoint(lp));
}

LRESULT HandleComputerBoard(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: PaintBoard(window, game::BoardId::Computer); return 0;
    case WM_LBUTTONUP: game::HumanShot(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_RBUTTONDOWN: child_window::TrackMenu(window, MenuPoint(lp)); return 0;
    case WM_COMMAND: OnCommand(window, game::BoardId::Computer, LOWORD(wp)); return 0;
    case WM_EXITSIZEMOVE: OnRepaintAfterMove(window); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

LRESULT HandleHumanBoard(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: PaintBoard(window, game::BoardId::Human); return 0;
    case WM_MOUSEMOVE: OnPlacementDrag({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    case WM_LBUTTONUP: OnHumanLButtonUp(); return 0;
    case WM_RBUTTONDOWN: OnHumanRButtonDown(window, lp); return 0;
    case WM_COMMAND: OnCommand(window, game::BoardId::Human, LOWORD(wp)); return 0;
    case WM_EXITSIZEMOVE: OnRepaintAfterMove(window); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

bool RegisterBoards()
{
    // The human's board has no cursor of its own: the pointer keeps the
    // shape it had when it entered.
    common::WindowClass computer{kComputerBoardClass, common::WindowProc<HandleComputerBoard>};
    computer.cursor = LoadCursorW(common::Module(), MAKEINTRESOURCEW(IDC_GUNSIGHT));
    return common::Register(computer) && common::Register({kHumanBoardClass, common::WindowProc<HandleHumanBoard>});
}

HWND CreateBoard(game::BoardId board, HWND frame, const layout::Box& b)
{
    const bool computer = board == game::BoardId::Computer;
    HWND window = CreateWindowExW(kBoardExStyle, computer ? kComputerBoardClass : kHumanBoardClass,
                                  BoardCaption(board), kBoardStyle, b.x, b.y, b.width, b.height, frame, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    (computer ? g_computerBoard : g_humanBoard) = window;
    return window;
}

HWND BoardWindow(game::BoardId board) { return board == game::BoardId::Computer ? g_computerBoard : g_humanBoard; }

const wchar_t* BoardCaption(game::BoardId board)
{
    return board == game::BoardId::Computer ? kComputerBoardCaption : kHumanBoardCaption;
}

void ForgetDragSquare() { g_lastMouseCell = 0; }

}  // namespace boards
