// Placement arithmetic: steps and their limits, the turn, the drag, the
// pad's buttons and the picker's hit test.
#include <gtest/gtest.h>

#include <vector>

#include "boards/placement_steps.h"
#include "game/placement.h"

namespace {

using boards::MoveRefusal;
using game::PixelRect;

constexpr int c = 17;
// The human board's client area as Wine makes it at cell size 17, and as
// the frame metrics suggest (11 c).
constexpr PixelRect kWineClient{0, 0, 184, 185};
constexpr PixelRect kClient{0, 0, 187, 187};

bool Same(const PixelRect& a, const PixelRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult Is(const PixelRect& want, const PixelRect& got)
{
    if (Same(want, got))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "want (" << want.left << ", " << want.top << ", " << want.right << ", "
                                         << want.bottom << ") got (" << got.left << ", " << got.top << ", "
                                         << got.right << ", " << got.bottom << ")";
}

PixelRect Ship(int x, int y, int length, bool vertical) { return game::ShipRectAt(x, y, length, vertical); }

// --- steps ----------------------------------------------------------------------

TEST(MoveShip, EachStepIsOneSquare)
{
    const PixelRect r = Ship(3, 3, 2, false);
    EXPECT_TRUE(Is(Ship(2, 3, 2, false), boards::MoveShipRect(r, boards::kMoveLeft, kClient, c).ship));
    EXPECT_TRUE(Is(Ship(4, 3, 2, false), boards::MoveShipRect(r, boards::kMoveRight, kClient, c).ship));
    EXPECT_TRUE(Is(Ship(3, 2, 2, false), boards::MoveShipRect(r, boards::kMoveUp, kClient, c).ship));
    EXPECT_TRUE(Is(Ship(3, 4, 2, false), boards::MoveShipRect(r, boards::kMoveDown, kClient, c).ship));
}

TEST(MoveShip, LeftPastColumnAHasItsOwnRefusal)
{
    const PixelRect r = Ship(0, 4, 3, false);
    const boards::MoveOutcome out = boards::MoveShipRect(r, boards::kMoveLeft, kClient, c);
    EXPECT_EQ(MoveRefusal::PastLeft, out.refusal);
    EXPECT_TRUE(Is(r, out.ship));
}

TEST(MoveShip, UpPastRowOneIsRefused)
{
    const PixelRect r = Ship(4, 0, 1, false);
    const boards::MoveOutcome out = boards::MoveShipRect(r, boards::kMoveUp, kClient, c);
    EXPECT_EQ(MoveRefusal::PastEdge, out.refusal);
    EXPECT_TRUE(Is(r, out.ship));
}

TEST(MoveShip, FourSquaresAtColumnZhCannotMoveRight)
{
    for (const PixelRect& client : {kClient, kWineClient}) {
        const PixelRect r = Ship(6, 2, 4, false);  // Ж-К, right edge at 10c
        const boards::MoveOutcome out = boards::MoveShipRect(r, boards::kMoveRight, client, c);
        EXPECT_EQ(MoveRefusal::PastEdge, out.refusal);
        EXPECT_TRUE(Is(r, out.ship));
    }
}

TEST(MoveShip, ShipsReachColumnKAndRowTenButNotTheStrips)
{
    for (const PixelRect& client : {kClient, kWineClient}) {
        PixelRect r = Ship(0, 0, 1, false);
        int steps = 0;
        for (boards::MoveOutcome out; (out = boards::MoveShipRect(r, boards::kMoveRight, client, c)).refusal ==
                                      MoveRefusal::None;
             ++steps)
            r = out.ship;
        EXPECT_EQ(9, steps);
        EXPECT_EQ(10 * c, r.right);
        for (boards::MoveOutcome out;
             (out = boards::MoveShipRect(r, boards::kMoveDown, client, c)).refusal == MoveRefusal::None;)
            r = out.ship;
        EXPECT_TRUE(Is(Ship(9, 9, 1, false), r));
    }
}

TEST(MoveShip, LimitsAreHalfACellInsideTheClientEdge)
{
    // Right limit 200 - 8 = 192: a ship ending at 170 may step to 187.
    const PixelRect wide{0, 0, 200, 200};
    const boards::MoveOutcome out = boards::MoveShipRect(Ship(9, 0, 1, false), boards::kMoveRight, wide, c);
    EXPECT_EQ(MoveRefusal::None, out.refusal);
    EXPECT_EQ(187, out.ship.right);
    EXPECT_EQ(MoveRefusal::PastEdge, boards::MoveShipRect(out.ship, boards::kMoveRight, wide, c).refusal);
}

// --- the turn -------------------------------------------------------------------

TEST(MoveShip, FirstVerticalFourTurnsAboutTheTopLeftCorner)
{
    const PixelRect start{0, 0, c, 4 * c};
    const boards::MoveOutcome out = boards::MoveShipRect(start, boards::kTurn, kWineClient, c);
    EXPECT_EQ(MoveRefusal::None, out.refusal);
    EXPECT_TRUE(Is({0, 0, 4 * c, c}, out.ship));
    EXPECT_TRUE(Is(start, boards::MoveShipRect(out.ship, boards::kTurn, kWineClient, c).ship));
}

TEST(MoveShip, VerticalFourAtColumnZCannotTurn)
{
    const PixelRect r = Ship(7, 1, 4, true);
    const boards::MoveOutcome out = boards::MoveShipRect(r, boards::kTurn, kWineClient, c);
    EXPECT_EQ(MoveRefusal::TurnPast, out.refusal);
    EXPECT_TRUE(Is(r, out.ship));
    EXPECT_EQ(MoveRefusal::None, boards::MoveShipRect(Ship(6, 1, 4, true), boards::kTurn, kWineClient, c).refusal);
}

TEST(MoveShip, LyingFourNearTheBottomCannotTurn)
{
    EXPECT_EQ(MoveRefusal::TurnPast,
              boards::MoveShipRect(Ship(2, 7, 4, false), boards::kTurn, kWineClient, c).refusal);
    const boards::MoveOutcome ok = boards::MoveShipRect(Ship(2, 6, 4, false), boards::kTurn, kWineClient, c);
    EXPECT_EQ(MoveRefusal::None, ok.refusal);
    EXPECT_TRUE(Is(Ship(2, 6, 4, true), ok.ship));
}

TEST(MoveShip, TurningOneSquareChangesNothingAnywhereOnTheGrid)
{
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y) {
            const PixelRect r = Ship(x, y, 1, false);
            const boards::MoveOutcome out = boards::MoveShipRect(r, boards::kTurn, kWineClient, c);
            EXPECT_EQ(MoveRefusal::None, out.refusal) << x << ", " << y;
            EXPECT_TRUE(Is(r, out.ship));
        }
}

// --- the drag -------------------------------------------------------------------

// What the human board does with one pointer move during positioning.
PixelRect Drag(PixelRect ship, int px, int py, int& lastCell, std::vector<boards::ShipMove>* moves = nullptr)
{
    const auto d = boards::DragDeltaAt(px, py, lastCell, c);
    if (!d)
        return ship;
    auto steps = [&](boards::ShipMove m, int n) {
        for (int i = 0; i < n; ++i)
            if (boards::DragMayMove(ship, m, c)) {
                const boards::MoveOutcome out = boards::MoveShipRect(ship, m, kWineClient, c);
                EXPECT_EQ(MoveRefusal::None, out.refusal) << "a drag never meets a limit";
                ship = out.ship;
                if (moves)
                    moves->push_back(m);
            }
    };
    steps(d->rows < 0 ? boards::kMoveUp : boards::kMoveDown, d->rows < 0 ? -d->rows : d->rows);
    steps(d->cols < 0 ? boards::kMoveLeft : boards::kMoveRight, d->cols < 0 ? -d->cols : d->cols);
    lastCell = d->cell;
    return ship;
}

TEST(Drag, SquaresAreNumberedRowTimesTenPlusColumn)
{
    const auto d = boards::DragDeltaAt(8 * c + 1, 3 * c + 16, 0, c);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(38, d->cell);
    EXPECT_EQ(3, d->rows);
    EXPECT_EQ(8, d->cols);
    const auto back = boards::DragDeltaAt(2 * c, 9 * c, 38, c);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(92, back->cell);
    EXPECT_EQ(6, back->rows);
    EXPECT_EQ(-6, back->cols);
}

TEST(Drag, WithinOneSquareNothingHappens)
{
    EXPECT_FALSE(boards::DragDeltaAt(3 * c + 1, 4 * c + 1, 43, c).has_value());
    EXPECT_FALSE(boards::DragDeltaAt(4 * c - 1, 5 * c - 1, 43, c).has_value());
}

TEST(Drag, LabelStripsAndNegativePointsDoNotCount)
{
    EXPECT_FALSE(boards::DragDeltaAt(10 * c, 5, 0, c).has_value());
    EXPECT_FALSE(boards::DragDeltaAt(5, 10 * c, 0, c).has_value());
    EXPECT_FALSE(boards::DragDeltaAt(-1, 5, 0, c).has_value());
    EXPECT_FALSE(boards::DragDeltaAt(5, -30000, 0, c).has_value());
}

TEST(Drag, FourSquaresFollowThePointerDownThenRightToTheEdge)
{
    int last = 0;
    std::vector<boards::ShipMove> moves;
    PixelRect ship = Ship(0, 0, 4, false);
    ship = Drag(ship, 8 * c + 5, 3 * c + 5, last, &moves);
    const std::vector<boards::ShipMove> want = {boards::kMoveDown,  boards::kMoveDown,  boards::kMoveDown,
                                                boards::kMoveRight, boards::kMoveRight, boards::kMoveRight,
                                                boards::kMoveRight, boards::kMoveRight, boards::kMoveRight};
    EXPECT_EQ(want, moves);
    EXPECT_TRUE(Is(Ship(6, 3, 4, false), ship));
    EXPECT_EQ(38, last);
    // One column back moves it one column left.
    moves.clear();
    ship = Drag(ship, 7 * c + 5, 3 * c + 5, last, &moves);
    EXPECT_EQ(std::vector<boards::ShipMove>{boards::kMoveLeft}, moves);
    EXPECT_TRUE(Is(Ship(5, 3, 4, false), ship));
    EXPECT_EQ(37, last);
}

TEST(Drag, NeverLeavesTheGridWhateverThePath)
{
    int last = 0;
    PixelRect ship = Ship(0, 0, 3, true);
    const int path[][2] = {{9, 9}, {0, 9}, {9, 0}, {0, 0}, {5, 9}, {9, 5}, {0, 4}, {9, 9}};
    for (const auto& p : path) {
        ship = Drag(ship, p[0] * c + 3, p[1] * c + 3, last);
        EXPECT_GE(ship.left, 0);
        EXPECT_GE(ship.top, 0);
        EXPECT_LE(ship.right, 10 * c);
        EXPECT_LE(ship.bottom, 10 * c);
    }
}

TEST(Drag, MayMoveTestsReadAsWholeSquares)
{
    EXPECT_FALSE(boards::DragMayMove(Ship(0, 0, 1, false), boards::kMoveUp, c));
    EXPECT_TRUE(boards::DragMayMove(Ship(0, 1, 1, false), boards::kMoveUp, c));
    EXPECT_FALSE(boards::DragMayMove(Ship(0, 9, 1, false), boards::kMoveDown, c));
    EXPECT_TRUE(boards::DragMayMove(Ship(0, 8, 1, false), boards::kMoveDown, c));
    EXPECT_FALSE(boards::DragMayMove(Ship(6, 0, 4, false), boards::kMoveRight, c));
    EXPECT_TRUE(boards::DragMayMove(Ship(5, 0, 4, false), boards::kMoveRight, c));
    EXPECT_FALSE(boards::DragMayMove(Ship(0, 0, 4, false), boards::kMoveLeft, c));
    EXPECT_FALSE(boards::DragMayMove(Ship(3, 3, 2, false), boards::kTurn, c));
}

// --- the pad --------------------------------------------------------------------

TEST(Pad, CommandsAreTheStepsAndDone)
{
    EXPECT_EQ(boards::kMoveUp, boards::MoveOfPadCommand(3));
    EXPECT_EQ(boards::kTurn, boards::MoveOfPadCommand(4));
    EXPECT_EQ(boards::kMoveRight, boards::MoveOfPadCommand(5));
    EXPECT_EQ(boards::kMoveLeft, boards::MoveOfPadCommand(6));
    EXPECT_EQ(boards::kMoveDown, boards::MoveOfPadCommand(7));
    EXPECT_FALSE(boards::MoveOfPadCommand(8).has_value());
    EXPECT_FALSE(boards::MoveOfPadCommand(2).has_value());
    EXPECT_FALSE(boards::MoveOfPadCommand(9).has_value());
    EXPECT_EQ(8, boards::kPadDone);
}

TEST(Pad, ButtonsFormACrossWithDoneBesideIt)
{
    struct Want {
        int command, x, y, size;
    };
    const Want want[6] = {{6, 0, 34, 34},   {5, 68, 34, 34}, {4, 34, 34, 34},
                          {8, 110, 17, 68}, {3, 34, 0, 34},  {7, 34, 68, 34}};
    const auto got = boards::PadButtons(c);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(want[i].command, got[i].command) << i;
        EXPECT_EQ(want[i].x, got[i].x) << i;
        EXPECT_EQ(want[i].y, got[i].y) << i;
        EXPECT_EQ(want[i].size, got[i].size) << i;
    }
}

// --- the picker -----------------------------------------------------------------

TEST(Picker, SilhouetteUnderTheClickWithShipsLeft)
{
    const boards::Silhouettes rects = layout::ShipPickerRects(c);
    const std::int32_t all[4] = {1, 2, 3, 4};
    // Lying three squares: (93, 25)-(144, 42).
    EXPECT_EQ(5, boards::SilhouetteAt(100, 30, rects, all));
    EXPECT_EQ(5, boards::SilhouetteAt(93, 25, rects, all));
    EXPECT_EQ(-1, boards::SilhouetteAt(144, 30, rects, all));
    EXPECT_EQ(6, boards::SilhouetteAt(100, 42, rects, all));  // bottom edge belongs to the next
    // Upright four squares: (8, 8)-(25, 76).
    EXPECT_EQ(0, boards::SilhouetteAt(10, 70, rects, all));
    EXPECT_EQ(-1, boards::SilhouetteAt(10, 76, rects, all));
    EXPECT_EQ(-1, boards::SilhouetteAt(-5, -5, rects, all));
}

TEST(Picker, LengthsWithNoShipsLeftIgnoreClicks)
{
    const boards::Silhouettes rects = layout::ShipPickerRects(c);
    const std::int32_t noThrees[4] = {1, 0, 3, 4};
    EXPECT_EQ(-1, boards::SilhouetteAt(100, 30, rects, noThrees));
    EXPECT_EQ(-1, boards::SilhouetteAt(30, 50, rects, noThrees));  // upright three
    EXPECT_EQ(6, boards::SilhouetteAt(100, 50, rects, noThrees));  // lying two still counts
}

TEST(Picker, SilhouettesMapToLengthSlotsAndOrientation)
{
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(i % 4, boards::LengthSlotOf(i));
        EXPECT_EQ(i < 4, boards::IsUpright(i));
    }
}

}  // namespace
