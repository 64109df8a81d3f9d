// Placing ships by hand: the picker's choice, the arrow pad, the steps with
// their messages, the confirmation and the start of the battle.
#include <gtest/gtest.h>

#include <string>

#include "board_support.h"
#include "boards/placement_window.h"
#include "boards/ship_picker.h"
#include "resources/resource.h"
#include "shell/gdi.h"
#include "shell/settings.h"

namespace {

using namespace board_test;

constexpr wchar_t kPastLeft[] = L"Неверное перемещение.\nВыход за рамки!";
constexpr wchar_t kPastEdge[] = L"Неверное направление.\nВыход за рамки!";
constexpr wchar_t kTurnPast[] = L"Невозможный поворот.\nВыход за рамки!";
constexpr wchar_t kTouching[] =
    L"Неправильная позиция.\nКорабли не должны соприкасаться друг с другом.\n"
    L"Установите корабль в правильное положение.";
constexpr wchar_t kKeysHint[] = L"Клавиши 4,8,6,2-перемещение, 5-поворот, ENTER-готово.";

// Message box texts as Windows gives them back: lines joined by "\n" or "\r\n".
std::wstring Lines(std::wstring text)
{
    for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
        text.erase(at, 1);
    return text;
}

int PadButtonCount(HWND pad)
{
    int n = 0;
    for (HWND child = GetWindow(pad, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++n;
    return n;
}

class Placement : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGame();
        w = Windows();
        boards::DropPlacement();
        game::Options.AutoArrange = false;
        game::PickerOpen = 1;
        ShowWindow(w.picker, SW_SHOW);
        ShowWindow(w.humanBoard, SW_SHOW);
        RedrawWindow(w.humanBoard, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    void TearDown() override
    {
        game::PlacingShip = 0;
        boards::DropPlacement();
        ShowWindow(w.arrows, SW_HIDE);
        Pump();
    }

    // A click in the middle of picker silhouette i.
    void Pick(int i)
    {
        const layout::Rect r = boards::PickerSilhouettes()[i];
        SendMessageW(w.picker, WM_LBUTTONUP, 0, PointParam((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        Pump();
    }
    void Pad(int command)
    {
        SendMessageW(w.arrows, WM_COMMAND, command, 0);
        Pump();
    }
    game::PixelRect Positioned() const { return game::ShipRects[game::kHumanFleet][game::ShipBeingPlaced]; }
    // Chooses a lying ship of length slot t, takes it to (x, y) with the pad and confirms it.
    void PlaceLying(int t, int x, int y)
    {
        Pick(4 + t);
        ASSERT_EQ(1, game::PlacingShip);
        for (int i = 0; i < y; ++i)
            Pad(boards::kPadDown);
        for (int i = 0; i < x; ++i)
            Pad(boards::kPadRight);
        Pad(boards::kPadDone);
        ASSERT_EQ(0, game::PlacingShip) << "slot " << t << " at " << x << ", " << y;
    }

    TestWindows w{};
};

// --- choosing -----------------------------------------------------------------------

TEST_F(Placement, ChoosingStartsPositioningInSquareA1)
{
    const int c = game::CellSize;
    Pick(5);  // lying, three squares
    EXPECT_EQ(1, game::PlacingShip);
    EXPECT_EQ(1, game::ShipBeingPlaced);
    const game::PixelRect r = Positioned();
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(3 * c, r.right);
    EXPECT_EQ(c, r.bottom);
    EXPECT_EQ(1, game::ShipsLeftToPlace[1]);
    EXPECT_TRUE(IsWindowVisible(w.arrows));
    EXPECT_TRUE(ToolbarChecked(IDM_SHOW_ARROWS));
    EXPECT_TRUE(ToolbarPressed(IDM_SHOW_ARROWS));
    EXPECT_EQ(kKeysHint, StatusText(0));
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human));
}

TEST_F(Placement, FleetIndicesFollowTheOrderOfChoice)
{
    auto choose = [&](int silhouette) {
        game::PlacingShip = 0;
        boards::DropPlacement();
        const int before = game::ShipBeingPlaced;
        game::ShipBeingPlaced = -1;
        Pick(silhouette);
        const int got = game::PlacingShip ? game::ShipBeingPlaced : -1;
        if (!game::PlacingShip)
            game::ShipBeingPlaced = before;
        return got;
    };
    EXPECT_EQ(1, choose(5));   // lying three first
    EXPECT_EQ(2, choose(1));   // then upright three
    EXPECT_EQ(-1, choose(5));  // no third
    EXPECT_EQ(-1, choose(1));
    EXPECT_EQ(0, choose(0));
    EXPECT_EQ(-1, choose(4));
    EXPECT_EQ(3, choose(6));
    EXPECT_EQ(4, choose(2));
    EXPECT_EQ(5, choose(6));
    EXPECT_EQ(-1, choose(2));
    EXPECT_EQ(6, choose(7));
    EXPECT_EQ(7, choose(3));
    EXPECT_EQ(8, choose(3));
    EXPECT_EQ(9, choose(7));
    EXPECT_EQ(-1, choose(7));
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(0, game::ShipsLeftToPlace[t]) << t;
}

TEST_F(Placement, ClosedPickerIgnoresClicks)
{
    game::PickerOpen = 0;
    Pick(0);
    EXPECT_EQ(0, game::PlacingShip);
    EXPECT_EQ(1, game::ShipsLeftToPlace[0]);
}

TEST_F(Placement, PickerIgnoresClicksWhilePositioning)
{
    Pick(0);
    Pick(5);
    EXPECT_EQ(0, game::ShipBeingPlaced);
    EXPECT_EQ(2, game::ShipsLeftToPlace[1]);
    EXPECT_EQ(0, game::ChosenOfLength[0]);
}

// --- the pad ------------------------------------------------------------------------

TEST_F(Placement, PadHasSixIconButtons)
{
    Pick(0);
    EXPECT_EQ(6, PadButtonCount(w.arrows));
    for (int command = boards::kPadUp; command <= boards::kPadDone; ++command) {
        HWND button = GetDlgItem(w.arrows, command);
        ASSERT_NE(nullptr, button) << command;
        EXPECT_NE(0, SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0)) << "icon of " << command;
        EXPECT_TRUE(GetWindowLongW(button, GWL_STYLE) & BS_ICON);
    }
}

TEST_F(Placement, ButtonsMoveTheShip)
{
    const int c = game::CellSize;
    Pick(6);  // two squares, lying
    Pad(boards::kPadDown);
    Pad(boards::kPadRight);
    Pad(boards::kPadRight);
    EXPECT_EQ(2 * c, Positioned().left);
    EXPECT_EQ(c, Positioned().top);
    Pad(boards::kPadUp);
    Pad(boards::kPadLeft);
    EXPECT_EQ(c, Positioned().left);
    EXPECT_EQ(0, Positioned().top);
    Pad(boards::kPadTurn);
    EXPECT_EQ(2 * c, Positioned().right);
    EXPECT_EQ(2 * c, Positioned().bottom);
    EXPECT_EQ(c, Positioned().right - Positioned().left);
}

TEST_F(Placement, PadCommandsWithoutAShipChangeNothing)
{
    game::ShipRects[game::kHumanFleet][0] = game::ShipRectAt(2, 2, 4, false);
    for (int command : {3, 4, 5, 6, 7, 8})
        Pad(command);
    const game::PixelRect r = game::ShipRects[game::kHumanFleet][0];
    EXPECT_EQ(2 * game::CellSize, r.left);
    EXPECT_EQ(0, game::ShipPlaced[0]);
    EXPECT_EQ(0, game::PlacedCount);
}

TEST_F(Placement, ClosingThePadKeepsPositioning)
{
    Pick(3);
    SendMessageW(w.arrows, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(w.arrows));
    EXPECT_FALSE(ToolbarChecked(IDM_SHOW_ARROWS));
    EXPECT_FALSE(ToolbarPressed(IDM_SHOW_ARROWS));
    EXPECT_TRUE(IsWindow(w.arrows));
    Pad(boards::kPadRight);
    EXPECT_EQ(game::CellSize, Positioned().left);
    Pad(boards::kPadDone);
    EXPECT_EQ(1, game::ShipPlaced[6]);
}

TEST_F(Placement, DroppedPlacementLeavesOneCleanPad)
{
    Pick(0);
    game::ResetPlacement();
    boards::DropPlacement();
    EXPECT_EQ(0, PadButtonCount(w.arrows));
    game::PickerOpen = 1;
    Pick(4);
    EXPECT_EQ(6, PadButtonCount(w.arrows));
}

// --- limits and their messages ---------------------------------------------------

TEST_F(Placement, FourSquaresTurnedAtA1AndMovedToItsLimits)
{
    const int c = game::CellSize;
    Pick(0);  // upright four: (0, 0)-(c, 4c)
    MessageBoxCatcher boxes;
    Pad(boards::kPadTurn);
    EXPECT_EQ(4 * c, Positioned().right);
    EXPECT_EQ(c, Positioned().bottom);
    Pad(boards::kPadLeft);
    Pad(boards::kPadUp);
    for (int i = 0; i < 6; ++i)
        Pad(boards::kPadRight);
    EXPECT_EQ(6 * c, Positioned().left);
    Pad(boards::kPadRight);
    EXPECT_EQ(6 * c, Positioned().left);
    for (int i = 0; i < 9; ++i)
        Pad(boards::kPadDown);
    EXPECT_EQ(10 * c, Positioned().bottom);
    Pad(boards::kPadDown);
    EXPECT_EQ(10 * c, Positioned().bottom);

    ASSERT_EQ(4u, boxes.boxes().size());
    const wchar_t* want[] = {kPastLeft, kPastEdge, kPastEdge, kPastEdge};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(L"Ошибка", boxes.boxes()[i].caption) << i;
        EXPECT_EQ(want[i], Lines(boxes.boxes()[i].text)) << i;
        EXPECT_TRUE(boxes.boxes()[i].errorIcon) << i;
    }
    // Erased and redrawn around each box: the picture has no leftovers.
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human));
}

TEST_F(Placement, UprightFourAtColumnZCannotTurn)
{
    const int c = game::CellSize;
    Pick(0);
    for (int i = 0; i < 7; ++i)
        Pad(boards::kPadRight);
    MessageBoxCatcher boxes;
    Pad(boards::kPadTurn);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(kTurnPast, Lines(boxes.boxes()[0].text));
    EXPECT_EQ(7 * c, Positioned().left);
    EXPECT_EQ(4 * c, Positioned().bottom);
}

TEST_F(Placement, StepsUnderAStepsMessageBoxAreDropped)
{
    const int c = game::CellSize;
    Pick(0);
    MessageBoxCatcher boxes;
    boxes.WhileShown([&] { SendMessageW(w.humanBoard, WM_MOUSEMOVE, 0, PointParam(c + 3, 2 * c + 3)); });
    Pad(boards::kPadLeft);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(0, Positioned().left);
    EXPECT_EQ(0, Positioned().top);
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human));
}

// --- confirming ---------------------------------------------------------------------

TEST_F(Placement, CornerTouchingShipIsRefusedAndStaysMovable)
{
    const int c = game::CellSize;
    PlaceLying(3, 0, 0);  // one square at А1
    Pick(7);              // another, starting on top of it
    Pad(boards::kPadDown);
    Pad(boards::kPadRight);  // Б2: touches А1 at a corner
    MessageBoxCatcher boxes;
    Pad(boards::kPadDone);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(L"Ошибка", boxes.boxes()[0].caption);
    EXPECT_EQ(kTouching, Lines(boxes.boxes()[0].text));
    EXPECT_TRUE(boxes.boxes()[0].errorIcon);
    EXPECT_EQ(1, game::PlacingShip);
    EXPECT_EQ(6, PadButtonCount(w.arrows));
    Pad(boards::kPadRight);
    EXPECT_EQ(2 * c, Positioned().left);
    Pad(boards::kPadDone);
    EXPECT_EQ(0, game::PlacingShip);
    EXPECT_EQ(2, game::PlacedCount);
}

TEST_F(Placement, ConfirmedShipIsDrawnInShipsColour)
{
    const int c = game::CellSize;
    PlaceLying(2, 3, 4);  // two squares at Г5-Д5
    EXPECT_EQ(1, game::ShipPlaced[3]);
    EXPECT_EQ(0, PadButtonCount(w.arrows));
    EXPECT_FALSE(IsWindowVisible(w.arrows));
    EXPECT_FALSE(ToolbarChecked(IDM_SHOW_ARROWS));
    EXPECT_EQ(0, game::LastMouseCell);
    UpdateWindow(w.humanBoard);
    WindowPixels shown(w.humanBoard);
    EXPECT_EQ(settings::Colours().Ships, shown.At(3 * c + 5, 4 * c + 5));
    EXPECT_EQ(settings::Colours().Ships, shown.At(4 * c + 5, 4 * c + 5));
    EXPECT_EQ(settings::Colours().BattleField, shown.At(5, 5));  // А1, where it started
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human));
}

TEST_F(Placement, TenthShipStartsTheBattle)
{
    // Four ones first, then the rest, each in its own row.
    PlaceLying(3, 0, 0);
    PlaceLying(3, 2, 0);
    PlaceLying(3, 4, 0);
    PlaceLying(3, 6, 0);
    PlaceLying(0, 0, 2);
    PlaceLying(1, 5, 2);
    PlaceLying(1, 0, 4);
    PlaceLying(2, 4, 4);
    PlaceLying(2, 7, 4);
    EXPECT_EQ(0, game::BattleOn);
    EXPECT_TRUE(IsWindowVisible(w.picker));
    PlaceLying(2, 0, 6);

    EXPECT_EQ(10, game::PlacedCount);
    EXPECT_EQ(0, game::PickerOpen);
    EXPECT_FALSE(IsWindowVisible(w.picker));
    EXPECT_FALSE(ToolbarChecked(IDM_SHOW_PICKER));
    EXPECT_FALSE(ToolbarPressed(IDM_SHOW_PICKER));
    EXPECT_EQ(1, game::BattleOn);
    int computerSquares = 0;
    for (int i = 0; i < 100; ++i)
        computerSquares += game::Board[game::ComputerShips * 100 + i];
    EXPECT_EQ(20, computerSquares);
    // Every ship in Ships colour, no inverted leftovers.
    UpdateWindow(w.humanBoard);
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human));
    // After the tenth ship, clicks on the picker are ignored.
    Pick(7);
    EXPECT_EQ(0, game::PlacingShip);
}

TEST_F(Placement, RepaintDuringPositioningKeepsTheShipInverted)
{
    Pick(5);
    Pad(boards::kPadDown);
    RedrawWindow(w.humanBoard, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pad(boards::kPadRight);
    const RECT part{0, 0, 40, 40};
    RedrawWindow(w.humanBoard, &part, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pad(boards::kPadDown);
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human));
}

// --- the picker's window --------------------------------------------------------

TEST_F(Placement, PickerShowsTheCountsInItsDigitFont)
{
    const int c = game::CellSize;
    game::ShipsLeftToPlace[2] = 1;
    RECT client;
    GetClientRect(w.picker, &client);
    Canvas canvas(client.right, client.bottom);
    boards::DrawShipPicker(canvas.dc(), client, c);
    const settings::ColourScheme& colours = settings::Colours();

    LOGFONTA lf{};
    lf.lfHeight = static_cast<int>(0.6 * c);
    lf.lfWidth = static_cast<int>(0.2 * c);
    lf.lfCharSet = RUSSIAN_CHARSET;
    lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    gdi::Obj<HFONT> font(CreateFontIndirectA(&lf));
    const wchar_t digits[4] = {L'1', L'2', L'1', L'4'};
    for (int i = 0; i < 8; ++i) {
        const layout::Rect r = boards::PickerSilhouettes()[i];
        const int x = r.left + static_cast<int>(0.25 * c);
        const int y = i < 4 ? r.bottom - static_cast<int>(0.9 * c) : r.top + static_cast<int>(0.1 * c);
        Canvas ref(client.right, client.bottom);
        ref.Fill(colours.Ships);
        gdi::Select keep(ref.dc(), font.get());
        SetTextColor(ref.dc(), colours.Lines);
        SetBkColor(ref.dc(), colours.Ships);
        TextOutW(ref.dc(), x, y, &digits[i % 4], 1);
        SIZE size{};
        GetTextExtentPoint32W(ref.dc(), &digits[i % 4], 1, &size);
        int ink = 0;
        for (int py = y; py < y + size.cy && py < r.bottom - 1; ++py)
            for (int px = x; px < x + size.cx && px < r.right - 1; ++px) {
                ASSERT_EQ(Hex(ref.At(px, py)), Hex(canvas.At(px, py))) << "silhouette " << i << " at " << px << ", " << py;
                ink += canvas.At(px, py) == colours.Lines ? 1 : 0;
            }
        EXPECT_GT(ink, 0) << "silhouette " << i;
        // A Ships bar with a Lines frame.
        EXPECT_EQ(Hex(colours.Lines), Hex(canvas.At(r.left, (r.top + r.bottom) / 2))) << i;
        EXPECT_EQ(Hex(colours.Ships), Hex(canvas.At(r.right - 2, r.bottom - 2))) << i;
    }
}

TEST_F(Placement, ClosingThePickerHidesItAndReleasesItsButton)
{
    SendMessageW(app::ToolbarWindow, TB_CHECKBUTTON, IDM_SHOW_PICKER, TRUE);
    SendMessageW(w.picker, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(w.picker));
    EXPECT_TRUE(IsWindow(w.picker));
    EXPECT_FALSE(ToolbarChecked(IDM_SHOW_PICKER));
}

TEST_F(Placement, PaintsAndPadsLeaveNoGdiObjects)
{
    Pick(0);
    boards::DropPlacement();
    game::PlacingShip = 0;
    RedrawWindow(w.picker, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const long before = GdiObjectCount();
    for (int i = 0; i < 300; ++i)
        RedrawWindow(w.picker, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    for (int i = 0; i < 50; ++i) {
        boards::BeginPlacement(0, i % 2 == 0);
        boards::StepShip(boards::kMoveDown);
        boards::StepShip(boards::kTurn);
        game::PlacingShip = 0;
        boards::DropPlacement();
    }
    Pump();
    EXPECT_EQ(before, GdiObjectCount());
}

}  // namespace
