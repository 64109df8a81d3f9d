// The board windows: painting through WM_PAINT, the context menu and its
// commands, shots, and the placement mouse on the human's board.
#include <gtest/gtest.h>

#include "board_support.h"
#include "boards/placement_window.h"
#include "game/turns.h"
#include "resources/resource.h"
#include "shell/shell_effects.h"
#include "shell/toolbar.h"

namespace {

using namespace board_test;

class BoardWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGame();
        w = Windows();
        boards::DropPlacement();
        for (HWND b : {w.computerBoard, w.humanBoard}) {
            ShowWindow(b, SW_SHOW);
            RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        Pump();
    }
    void TearDown() override
    {
        game::PlacingShip = 0;
        boards::DropPlacement();
        ShowWindow(w.arrows, SW_HIDE);
        Pump();
    }

    // Positioning ship k as if chosen in the picker, its image on the board.
    void Position(int k, bool vertical)
    {
        boards::BeginPlacement(k, vertical);
        Pump();
    }
    game::PixelRect Positioned() const { return game::ShipRects[game::kHumanFleet][game::ShipBeingPlaced]; }

    TestWindows w{};
};

// --- painting -------------------------------------------------------------------

TEST_F(BoardWindow, PaintsMatchTheRenderedBoard)
{
    Mark(game::ComputerShips, 4, 4);
    Mark(game::ShotsAtComputer, 4, 4);
    Mark(game::ShotsAtComputer, 0, 9);
    PlaceHumanShip(0, 2, 2, true);
    Mark(game::ShotsAtHuman, 2, 3);
    game::RegisterHit(2, 3, game::kHumanFleet);
    for (HWND b : {w.computerBoard, w.humanBoard})
        RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.computerBoard, game::BoardId::Computer));
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human));
}

TEST_F(BoardWindow, RedrawBackgroundWipesMarksAtOnce)
{
    Mark(game::ShotsAtComputer, 3, 3);
    RedrawWindow(w.computerBoard, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    game::ClearModel();
    boards::RedrawBoardBackground(w.computerBoard);
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.computerBoard, game::BoardId::Computer));
}

TEST_F(BoardWindow, ThousandPaintsOfEachBoardLeaveNoGdiObjects)
{
    PlaceHumanShip(0, 0, 0, false);
    Mark(game::ShotsAtHuman, 0, 0);
    game::RegisterHit(0, 0, game::kHumanFleet);
    Mark(game::ShotsAtHuman, 6, 6);
    Mark(game::ComputerShips, 5, 5);
    Mark(game::ShotsAtComputer, 5, 5);
    Mark(game::ShotsAtComputer, 8, 1);
    RedrawWindow(w.humanBoard, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const long before = GdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 1000; ++i) {
        for (HWND b : {w.computerBoard, w.humanBoard})
            RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        game::SkipBackground = 1;
        RedrawWindow(w.computerBoard, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        boards::RedrawBoardBackground(w.humanBoard);
    }
    EXPECT_EQ(before, GdiObjectCount());
}

// The computer fires at a hidden human board: that board cannot paint the
// shot, yet the next paints of both boards must be whole ones.
TEST_F(BoardWindow, ABoardShownAgainIsPaintedWhole)
{
    shell_effects::Install();
    game::Options.TimeOut = 0;
    game::ArrangeFleet(game::kHumanFleet);
    game::ArrangeFleet(game::kComputerFleet);
    game::BattleOn = 1;
    int x = 0;
    while (game::IsSet(game::ComputerShips, x, 0))
        ++x;
    const int c = game::CellSize;
    ShowWindow(w.humanBoard, SW_HIDE);
    SendMessageW(w.computerBoard, WM_LBUTTONUP, 0, PointParam(x * c + 2, 2));  // a miss: the computer replies
    // Meanwhile the frame draws where the board was, as the real frame's background paint does.
    RECT where;
    GetWindowRect(w.humanBoard, &where);
    MapWindowPoints(HWND_DESKTOP, w.frame, reinterpret_cast<POINT*>(&where), 2);
    HDC frameDc = GetDC(w.frame);
    FillRect(frameDc, &where, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(w.frame, frameDc);
    ShowWindow(w.humanBoard, SW_SHOW);
    Pump();
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human)) << "sea, grid and labels";

    // The next shot, a miss far from it, paints its mark only: a scribble on the sea stays.
    const COLORREF scribble = RGB(1, 2, 3);
    const int sx = (x + 5) % 10;
    HDC dc = GetDC(w.computerBoard);
    SetPixel(dc, sx * c + 5, 9 * c + 1, scribble);
    ReleaseDC(w.computerBoard, dc);
    int y = 1;
    while (game::IsSet(game::ShotsAtComputer, x, y) || game::IsSet(game::ComputerShips, x, y))
        ++y;
    ASSERT_LT(y, 9);
    SendMessageW(w.computerBoard, WM_LBUTTONUP, 0, PointParam(x * c + 2, y * c + 2));
    Pump();
    EXPECT_TRUE(game::IsSet(game::ShotsAtComputer, x, y));
    EXPECT_EQ(scribble, WindowPixels(w.computerBoard).At(sx * c + 5, 9 * c + 1));
    game::SetEffects(nullptr);
}

// --- context menu and its commands ------------------------------------------------

TEST_F(BoardWindow, RightClickShowsHideAndFontItems)
{
    for (HWND b : {w.computerBoard, w.humanBoard}) {
        MenuCatcher menus;
        SendMessageW(b, WM_RBUTTONDOWN, MK_RBUTTON, PointParam(40, 40));
        ASSERT_EQ(1u, menus.menus().size());
        const auto& items = menus.menus()[0];
        ASSERT_EQ(3u, items.size());
        EXPECT_EQ(static_cast<UINT>(IDM_HIDE_WINDOW), items[0].id);
        EXPECT_EQ(L"&Спрятать окно", items[0].text);
        EXPECT_EQ(0u, items[1].id);
        EXPECT_EQ(static_cast<UINT>(IDM_CHOOSE_FONT), items[2].id);
        EXPECT_EQ(L"&Выбрать шрифт", items[2].text);
    }
}

TEST_F(BoardWindow, HideReleasesTheMirroringToolbarButton)
{
    const struct {
        HWND window;
        int button;
    } boardsAndButtons[] = {{w.computerBoard, IDM_SHOW_COMPUTER_BOARD}, {w.humanBoard, IDM_SHOW_HUMAN_BOARD}};
    for (const auto& b : boardsAndButtons) {
        toolbar::PressAndCheck(b.button);
        SendMessageW(b.window, WM_COMMAND, IDM_HIDE_WINDOW, 0);
        EXPECT_FALSE(IsWindowVisible(b.window));
        EXPECT_FALSE(ToolbarChecked(b.button));
        EXPECT_FALSE(ToolbarPressed(b.button));
        ShowWindow(b.window, SW_SHOW);
    }
}

TEST_F(BoardWindow, ChoosingAFontRepaintsTheBoardEvenWhenCancelled)
{
    MessageBoxCatcher dialogs;  // answers the font chooser at once
    ValidateRect(w.humanBoard, nullptr);
    SendMessageW(w.humanBoard, WM_COMMAND, IDM_CHOOSE_FONT, 0);
    EXPECT_EQ(1u, dialogs.boxes().size());
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(w.humanBoard, &update, FALSE));
    Pump();
}

// --- shots ------------------------------------------------------------------------

TEST_F(BoardWindow, LeftReleaseOnComputerBoardFiresAtThatSquare)
{
    const int c = game::CellSize;
    game::ArrangeFleet(game::kComputerFleet);
    game::BattleOn = 1;
    SendMessageW(w.computerBoard, WM_LBUTTONUP, 0, PointParam(6 * c + 3, 2 * c + 3));
    EXPECT_TRUE(game::IsSet(game::ShotsAtComputer, 6, 2));
    // Points off the grid, negative ones included, are no shots.
    int before = 0;
    for (int i = 0; i < 100; ++i)
        before += game::Board[game::ShotsAtComputer * 100 + i];
    SendMessageW(w.computerBoard, WM_LBUTTONUP, 0, PointParam(-3, 2 * c));
    SendMessageW(w.computerBoard, WM_LBUTTONUP, 0, PointParam(10 * c + 1, 2 * c));
    int after = 0;
    for (int i = 0; i < 100; ++i)
        after += game::Board[game::ShotsAtComputer * 100 + i];
    EXPECT_EQ(before, after);
}

// --- the placement mouse --------------------------------------------------------

TEST_F(BoardWindow, RightClickDuringPlacementTurnsTheShipWithoutAMenu)
{
    Position(0, true);
    MenuCatcher menus;
    SendMessageW(w.humanBoard, WM_RBUTTONDOWN, MK_RBUTTON, PointParam(5, 5));
    EXPECT_TRUE(menus.menus().empty());
    const int c = game::CellSize;
    const game::PixelRect r = Positioned();
    EXPECT_EQ(4 * c, r.right);
    EXPECT_EQ(c, r.bottom);
}

TEST_F(BoardWindow, LeftReleaseDuringPlacementConfirms)
{
    const int c = game::CellSize;
    Position(6, false);
    SendMessageW(w.humanBoard, WM_MOUSEMOVE, 0, PointParam(2 * c + 3, c + 3));
    ASSERT_EQ(12, game::LastMouseCell);
    SendMessageW(w.humanBoard, WM_LBUTTONUP, 0, PointParam(2 * c + 3, c + 3));
    EXPECT_EQ(0, game::PlacingShip);
    EXPECT_EQ(1, game::ShipPlaced[6]);
    EXPECT_EQ(2 * c, game::ShipRects[game::kHumanFleet][6].left);
    // The next ship starts in А1, and so does the drag's reckoning.
    EXPECT_EQ(0, game::LastMouseCell);
}

TEST_F(BoardWindow, DragMovesByDifferencesOfSquares)
{
    const int c = game::CellSize;
    Position(0, false);
    SendMessageW(w.humanBoard, WM_MOUSEMOVE, 0, PointParam(8 * c + 4, 3 * c + 4));
    game::PixelRect r = Positioned();
    EXPECT_EQ(6 * c, r.left);
    EXPECT_EQ(3 * c, r.top);
    EXPECT_EQ(38, game::LastMouseCell);
    SendMessageW(w.humanBoard, WM_MOUSEMOVE, 0, PointParam(7 * c + 4, 3 * c + 4));
    EXPECT_EQ(5 * c, Positioned().left);
    // Within a square, or in the label strips, nothing moves.
    SendMessageW(w.humanBoard, WM_MOUSEMOVE, 0, PointParam(7 * c + 14, 3 * c + 14));
    SendMessageW(w.humanBoard, WM_MOUSEMOVE, 0, PointParam(10 * c + 1, 9 * c));
    SendMessageW(w.humanBoard, WM_MOUSEMOVE, 0, PointParam(3 * c, 10 * c + 1));
    r = Positioned();
    EXPECT_EQ(5 * c, r.left);
    EXPECT_EQ(3 * c, r.top);
    EXPECT_EQ(37, game::LastMouseCell);
    // The picture follows: the ship inverted where it now is, nothing left behind.
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.humanBoard, game::BoardId::Human));
}

}  // namespace
