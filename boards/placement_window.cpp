// The arrow pad and the positioning of a ship by hand.
#include "boards/placement_window.h"

#include "common/window_proc.h"
#include "game/placement.h"
#include "game/turns.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/gdi.h"
#include "shell/status_bar.h"
#include "shell/toolbar.h"

namespace boards {
namespace {

constexpr wchar_t kErrorCaption[] = L"Ошибка";
constexpr wchar_t kPastLeftText[] = L"Неверное перемещение.\nВыход за рамки!";
constexpr wchar_t kPastEdgeText[] = L"Неверное направление.\nВыход за рамки!";
constexpr wchar_t kTurnPastText[] = L"Невозможный поворот.\nВыход за рамки!";
constexpr wchar_t kTouchingText[] =
    L"Неправильная позиция.\nКорабли не должны соприкасаться друг с другом.\n"
    L"Установите корабль в правильное положение.";
constexpr wchar_t kKeysHint[] = L"Клавиши 4,8,6,2-перемещение, 5-поворот, ENTER-готово.";

constexpr DWORD kPadButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_ICON;

// Set between a step's erasing of the ship's image and its redrawing, so
// that a paint meanwhile (under a message box) leaves the image erased too.
bool g_imageErased = false;

int IconOf(int command)
{
    switch (command) {
    case kPadLeft: return IDI_PAD_LEFT;
    case kPadRight: return IDI_PAD_RIGHT;
    case kPadTurn: return IDI_PAD_TURN;
    case kPadDone: return IDI_PAD_DONE;
    case kPadUp: return IDI_PAD_UP;
    case kPadDown: return IDI_PAD_DOWN;
    default: return 0;
    }
}

const wchar_t* RefusalText(MoveRefusal refusal)
{
    switch (refusal) {
    case MoveRefusal::PastLeft: return kPastLeftText;
    case MoveRefusal::PastEdge: return kPastEdgeText;
    case MoveRefusal::TurnPast: return kTurnPastText;
    case MoveRefusal::None: break;
    }
    return nullptr;
}

void ShowError(HWND owner, const wchar_t* text) { MessageBoxW(owner, text, kErrorCaption, MB_ICONERROR | MB_OK); }

bool ValidShip(int k) { return k >= 0 && k < game::kShipCount; }

game::PixelRect& ShipBeingPlacedRect() { return game::ShipRects[game::kHumanFleet][game::ShipBeingPlaced]; }

void InvertOnBoard(HWND board, const game::PixelRect& ship)
{
    if (!board)  // GetDC(nullptr) would draw on the whole screen
        return;
    gdi::WindowDc dc(board);
    DrawShipInverted(dc.get(), ship);
}

void CreatePadButtons()
{
    for (const PadButton& b : PadButtons(game::CellSize)) {
        HWND button = CreateWindowExW(0, L"BUTTON", L"", kPadButtonStyle, b.x, b.y, b.size, b.size,
                                      app::ArrowsWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.command)),
                                      app::Instance, nullptr);
        // Icons from LoadIcon are shared: nothing to delete with the button.
        HICON icon = LoadIconW(app::Instance, MAKEINTRESOURCEW(IconOf(b.command)));
        SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
}

void DestroyPadButtons()
{
    static const int kOrder[] = {kPadUp, kPadDown, kPadLeft, kPadRight, kPadTurn, kPadDone};
    for (int command : kOrder)
        if (HWND button = GetDlgItem(app::ArrowsWindow, command))
            DestroyWindow(button);
}

void OnPadCommand(int command)
{
    if (!game::PlacingShip)
        return;
    if (command == kPadDone)
        ConfirmShip();
    else if (const auto move = MoveOfPadCommand(command))
        StepShip(*move);
}

void HidePad(HWND pad)
{
    ShowWindow(pad, SW_HIDE);
    toolbar::Release(IDM_SHOW_ARROWS);
}

int CountPlaced()
{
    int n = 0;
    for (std::uint8_t placed : game::ShipPlaced)
        n += placed ? 1 : 0;
    return n;
}

void StartBattleAfterFleet()
{
    ShowWindow(app::ShipPickerWindow, SW_HIDE);
    toolbar::Release(IDM_SHOW_PICKER);
    game::PickerOpen = 0;
    game::ArrangeFleet(game::kComputerFleet);
    // The computer's opening move may already end the game.
    if (game::StartBattle())
        game::BattleOn = 1;
}

LRESULT HandleArrows(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND: OnPadCommand(LOWORD(wp)); return 0;
    case WM_CLOSE: HidePad(window); return 0;
    case WM_EXITSIZEMOVE: InvalidateRect(window, nullptr, TRUE); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

const WNDPROC ArrowsProc = common::WindowProc<HandleArrows>;

void BeginPlacement(int ship, bool vertical)
{
    if (!ValidShip(ship))
        return;
    if (const auto shown = ShipImage())  // never two ships on screen at once
        InvertOnBoard(app::HumanBoardWindow, *shown);
    game::ShipBeingPlaced = ship;
    ShowWindow(app::ArrowsWindow, SW_SHOW);
    toolbar::PressAndCheck(IDM_SHOW_ARROWS);
    DestroyPadButtons();
    CreatePadButtons();
    game::PixelRect& r = ShipBeingPlacedRect();
    r = game::ShipRectAt(0, 0, game::ShipLength(ship), vertical);
    g_imageErased = false;
    InvertOnBoard(app::HumanBoardWindow, r);
    game::PlacingShip = 1;
    status_bar::SetText(0, kKeysHint);
}

game::PixelRect MoveShip(HWND board, game::PixelRect ship, ShipMove move)
{
    // A step that arrives while another one waits on its message box (the
    // mouse can still reach the board) would invert an image that is not there.
    if (g_imageErased)
        return ship;
    RECT client;
    GetClientRect(board, &client);
    InvertOnBoard(board, ship);
    g_imageErased = true;
    const MoveOutcome out =
        MoveShipRect(ship, move, {client.left, client.top, client.right, client.bottom}, game::CellSize);
    if (out.refusal != MoveRefusal::None)
        ShowError(board, RefusalText(out.refusal));
    // A new game started under the message box has wiped the board already.
    if (game::PlacingShip)
        InvertOnBoard(board, out.ship);
    g_imageErased = false;
    SetFocus(app::MainWindow);
    return out.ship;
}

void StepShip(ShipMove move)
{
    const int k = game::ShipBeingPlaced;
    if (!game::PlacingShip || !ValidShip(k))
        return;
    const game::PixelRect moved = MoveShip(app::HumanBoardWindow, ShipBeingPlacedRect(), move);
    if (game::PlacingShip && game::ShipBeingPlaced == k)
        ShipBeingPlacedRect() = moved;
}

void ConfirmShip()
{
    const int k = game::ShipBeingPlaced;
    if (!game::PlacingShip || !ValidShip(k))
        return;
    const game::PixelRect r = ShipBeingPlacedRect();
    if (game::PositionBlocked(r, game::kHumanBoard)) {
        ShowError(app::ArrowsWindow, kTouchingText);
        // The done button kept the focus; the keys must reach the frame again.
        SetFocus(app::MainWindow);
        return;
    }
    game::PlaceShip(r, game::kHumanBoard);
    DestroyPadButtons();
    game::PlacingShip = 0;
    game::LastMouseCell = 0;
    game::ShipPlaced[k] = 1;
    InvalidateRect(app::HumanBoardWindow, nullptr, TRUE);
    game::PlacedCount = CountPlaced();
    HidePad(app::ArrowsWindow);
    InvalidateRect(app::ShipPickerWindow, nullptr, TRUE);
    if (game::PlacedCount == game::kShipCount)
        StartBattleAfterFleet();
}

void DropPlacement()
{
    DestroyPadButtons();
    g_imageErased = false;
}

std::optional<game::PixelRect> ShipImage()
{
    if (!game::PlacingShip || g_imageErased || !ValidShip(game::ShipBeingPlaced))
        return std::nullopt;
    return ShipBeingPlacedRect();
}

void DrawShipInverted(HDC dc, const game::PixelRect& ship)
{
    // R2_NOT ignores the colours, but the pen and brush must be real ones
    // for Rectangle to touch the frame and the inside alike.
    const int oldMode = SetROP2(dc, R2_NOT);
    {
        gdi::Select pen(dc, GetStockObject(BLACK_PEN));
        gdi::Select brush(dc, GetStockObject(WHITE_BRUSH));
        Rectangle(dc, ship.left, ship.top, ship.right, ship.bottom);
    }
    SetROP2(dc, oldMode);
}

}  // namespace boards
