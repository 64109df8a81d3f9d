// The arrow pad and the positioning of a ship by hand.
#include "boards/placement_window.h"

#include "boards/board_windows.h"
#include "boards/ship_picker.h"
#include "common/child_window.h"
#include "common/gdi.h"
#include "common/module.h"
#include "common/textures.h"
#include "common/window_proc.h"
#include "game/placement.h"
#include "game/play.h"
#include "resources/resource.h"

namespace boards {
namespace {

constexpr wchar_t kPadClass[] = L"Container_class";
constexpr wchar_t kPadCaption[] = L"Вперед к победе!";
constexpr DWORD kPadStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;

constexpr wchar_t kErrorCaption[] = L"Ошибка";
constexpr wchar_t kPastLeftText[] = L"Неверное перемещение.\nВыход за рамки!";
constexpr wchar_t kPastEdgeText[] = L"Неверное направление.\nВыход за рамки!";
constexpr wchar_t kTurnPastText[] = L"Невозможный поворот.\nВыход за рамки!";
constexpr wchar_t kTouchingText[] =
    L"Неправильная позиция.\nКорабли не должны соприкасаться друг с другом.\n"
    L"Установите корабль в правильное положение.";
constexpr wchar_t kKeysHint[] = L"Клавиши 4,8,6,2-перемещение, 5-поворот, ENTER-готово.";

constexpr DWORD kPadButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_ICON;

HWND g_pad;

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

HWND HumanBoard() { return BoardWindow(game::BoardId::Human); }

// The placement keys arrive at the frame: it keeps the focus.
void FocusFrame() { SetFocus(child_window::FrameOf(g_pad)); }

const game::PixelRect& PositionedRect() { return game::ShipRects[game::kHumanFleet][game::ShipBeingPlaced]; }

void InvertOnBoard(const game::PixelRect& ship)
{
    HWND board = HumanBoard();
    if (!board)  // GetDC(nullptr) would draw on the whole screen
        return;
    gdi::WindowDc dc(board);
    DrawShipInverted(dc.get(), ship);
}

void CreatePadButtons()
{
    for (const PadButton& b : PadButtons(game::CellSize)) {
        HWND button = CreateWindowExW(0, L"BUTTON", L"", kPadButtonStyle, b.x, b.y, b.size, b.size, g_pad,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.command)), common::Module(),
                                      nullptr);
        // Icons from LoadIcon are shared: nothing to delete with the button.
        HICON icon = LoadIconW(common::Module(), MAKEINTRESOURCEW(IconOf(b.command)));
        SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
}

void DestroyPadButtons()
{
    static const int kOrder[] = {kPadUp, kPadDown, kPadLeft, kPadRight, kPadTurn, kPadDone};
    for (int command : kOrder)
        if (HWND button = GetDlgItem(g_pad, command))
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

LRESULT HandlePad(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND: OnPadCommand(LOWORD(wp)); return 0;
    case WM_CLOSE: child_window::Show(window, false); return 0;
    case WM_EXITSIZEMOVE: InvalidateRect(window, nullptr, TRUE); return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

bool RegisterPad()
{
    common::WindowClass c{kPadClass, common::WindowProc<HandlePad>};
    c.icon = IDI_ARROWS;
    c.cursor = LoadCursorW(nullptr, IDC_ARROW);
    c.background = textures::Brush(textures::kBlue);
    return common::Register(c);
}

HWND CreatePad(HWND frame, const layout::Box& b)
{
    g_pad = CreateWindowExW(0, kPadClass, kPadCaption, kPadStyle, b.x, b.y, b.width, b.height, frame, nullptr,
                            common::Module(), nullptr);
    return g_pad;
}

HWND PadWindow() { return g_pad; }

void SendPadCommand(int command)
{
    if (g_pad)
        SendMessageW(g_pad, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

void BeginPlacement()
{
    child_window::Show(g_pad, true);
    DestroyPadButtons();
    CreatePadButtons();
    g_imageErased = false;
    InvertOnBoard(PositionedRect());
    child_window::SayInStatus(g_pad, kKeysHint);
}

game::PixelRect MoveShip(HWND board, game::PixelRect ship, ShipMove move)
{
    // A step that arrives while another one waits on its message box (the
    // mouse can still reach the board) would invert an image that is not there.
    if (g_imageErased)
        return ship;
    RECT client;
    GetClientRect(board, &client);
    InvertOnBoard(ship);
    g_imageErased = true;
    const MoveOutcome out =
        MoveShipRect(ship, move, {client.left, client.top, client.right, client.bottom}, game::CellSize);
    if (out.refusal != MoveRefusal::None)
        ShowError(board, RefusalText(out.refusal));
    // A new game started under the message box has wiped the board already.
    if (game::PlacingShip)
        InvertOnBoard(out.ship);
    g_imageErased = false;
    FocusFrame();
    return out.ship;
}

void StepShip(ShipMove move)
{
    const int k = game::ShipBeingPlaced;
    if (!game::PlacingShip)
        return;
    const game::PixelRect moved = MoveShip(HumanBoard(), PositionedRect(), move);
    if (game::PlacingShip && game::ShipBeingPlaced == k)
        game::MovePositionedShip(moved);
}

void ConfirmShip()
{
    if (!game::PlacingShip)
        return;
    const game::Confirmed confirmed = game::ConfirmShip();
    if (confirmed == game::Confirmed::Refused) {
        ShowError(g_pad, kTouchingText);
        // The done button kept the focus; the keys must reach the frame again.
        FocusFrame();
        return;
    }
    DestroyPadButtons();
    ForgetDragSquare();
    InvalidateRect(HumanBoard(), nullptr, TRUE);
    child_window::Show(g_pad, false);
    InvalidateRect(PickerWindow(), nullptr, TRUE);
    if (confirmed == game::Confirmed::FleetComplete) {
        child_window::Show(PickerWindow(), false);
        game::BeginBattle();
    }
}

void DropPlacement()
{
    DestroyPadButtons();
    g_imageErased = false;
}

std::optional<game::PixelRect> ShipImage()
{
    if (!game::PlacingShip || g_imageErased || game::ShipBeingPlaced < 0 || game::ShipBeingPlaced >= game::kShipCount)
        return std::nullopt;
    return PositionedRect();
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
