// Placing the fleet by hand through the real windows: the picker, the frame's keys, the arrow pad, the human's board.
#include "boards/placement_steps.h"
#include "game/placement.h"
#include "support.h"

namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override { NewGame(false); }
    void TearDown() override { NewGame(true); }

    // A click on a silhouette of the picker: 0..3 upright, 4..7 lying, longest first.
    void Choose(int silhouette)
    {
        const layout::Rect& r = boards::PickerSilhouettes()[silhouette];
        SendMessageW(w.picker, WM_LBUTTONUP, 0, At((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        Pump();
    }
    void Press(UINT key, int times = 1, HWND to = nullptr)
    {
        for (int i = 0; i < times; ++i)
            SendMessageW(to ? to : w.frame, WM_KEYDOWN, key, 0);
        Pump();
    }
    static game::PixelRect Positioned() { return game::ShipRects[game::kHumanFleet][game::ShipBeingPlaced]; }

    const Handles& w = Program();
};

TEST_F(Placement, AStepThatArrivesWhileAnotherStepsMessageBoxIsUpIsDropped)
{
    Choose(4);  // the battleship, lying, in А1
    // Left of А1 is refused with a message; a step right under it must not run.
    EXPECT_TRUE(Drive([&] { Press(VK_LEFT); },
                      {With(L"Ошибка", [&](HWND) { Press(VK_RIGHT); }), Click(L"Ошибка", IDOK)}));
    Pump();
    EXPECT_EQ(0, Positioned().left);
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.human, game::BoardId::Human)) << "the ship's image is where it stands";
}

TEST_F(Placement, ARepaintDuringPositioningKeepsTheShipInverted)
{
    const int c = game::CellSize;
    Choose(0);  // the battleship, upright, in А1-А4
    RedrawWindow(w.human, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(Hex(~look::Colours().BattleField & 0xFFFFFF), Hex(ScreenPixel(w.human, c / 2, 2 * c + c / 2)));
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.human, game::BoardId::Human));
    Press(VK_RIGHT);  // erases the repainted image and draws the ship anew
    EXPECT_EQ(c, Positioned().left);
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.human, game::BoardId::Human));
}

TEST_F(Placement, ANewGameDuringPositioningLeavesOneCleanPad)
{
    Choose(1);
    ASSERT_TRUE(game::PlacingShip);
    SendMessageW(w.frame, WM_COMMAND, IDM_NEW_GAME, 0);
    Pump();
    EXPECT_FALSE(game::PlacingShip);
    EXPECT_FALSE(IsWindowVisible(w.pad));
    EXPECT_EQ(0, ChildCount(w.pad));
    Choose(5);
    EXPECT_TRUE(IsWindowVisible(w.pad));
    EXPECT_EQ(6, ChildCount(w.pad)) << "left, right, up, down, turn and done";
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.human, game::BoardId::Human));
}

TEST_F(Placement, TheTenthConfirmedShipStartsTheBattle)
{
    // Lying ships, one row apart: {silhouette, column, row}.
    const int plan[][3] = {{4, 0, 0}, {5, 0, 2}, {5, 4, 2}, {6, 0, 4}, {6, 3, 4},
                           {6, 6, 4}, {7, 0, 6}, {7, 2, 6}, {7, 4, 6}, {7, 6, 6}};
    for (int placed = 0; placed < 10; ++placed) {
        EXPECT_FALSE(game::BattleOn) << placed << " ships placed";
        Choose(plan[placed][0]);
        Press(VK_DOWN, plan[placed][2]);
        Press(VK_RIGHT, plan[placed][1]);
        Press(VK_RETURN);
        ASSERT_EQ(placed + 1, game::PlacedCount);
    }
    EXPECT_TRUE(game::BattleOn);
    EXPECT_FALSE(IsWindowVisible(w.picker));
    EXPECT_FALSE(ButtonChecked(IDM_SHOW_PICKER));
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.human, game::BoardId::Human));
}

// The done button takes the focus when clicked. The player answers the message after the program has lost the
// activation meanwhile, so nothing hands the focus back on the way: the arrow keys, which go to the window with the
// focus, must still move the ship.
TEST_F(Placement, AfterARefusedDoneTheArrowKeysMoveTheShipAgain)
{
    const int c = game::CellSize;
    Choose(4);
    Press(VK_RETURN);
    Choose(7);  // a boat in А1, on the battleship
    HWND done = GetDlgItem(w.pad, boards::kPadDone);
    const auto click = [&] {
        SendMessageW(done, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
        SendMessageW(done, WM_LBUTTONUP, 0, At(2, 2));
    };
    const Step answer = With(L"Ошибка", [](HWND box) {
        SetActiveWindow(nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(Drive(click, {answer}));
    Pump();
    ASSERT_TRUE(game::PlacingShip);
    Press(VK_DOWN, 2, GetFocus());
    EXPECT_EQ(2 * c, Positioned().top);
    Press(VK_RETURN);
    EXPECT_EQ(2, game::PlacedCount);
}

}  // namespace
