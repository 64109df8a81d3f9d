// Placement arithmetic: steps and their limits, the turn, the drag, the pad
// and the picker's layout.
#include <gtest/gtest.h>

#include <vector>

#include "boards/placement_steps.h"
#include "game/placement.h"

namespace {

using boards::MoveRefusal;
using game::PixelRect;

constexpr int c = 17;
// The human board's client area as Wine makes it at cell size 17, and 11 c.
constexpr PixelRect kWineClient{0, 0, 184, 185};
constexpr PixelRect kClient{0, 0, 187, 187};

PixelRect Ship(int x, int y, int length, bool vertical) { return game::ShipRectAt(x, y, length, vertical); }

::testing::AssertionResult Is(const PixelRect& want, const PixelRect& got)
{
    if (want.left == got.left && want.top == got.top && want.right == got.right && want.bottom == got.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "want (" << want.left << ", " << want.top << ", " << want.right << ", "
                                         << want.bottom << ") got (" << got.left << ", " << got.top << ", "
                                         << got.right << ", " << got.bottom << ")";
}

// Steps until refused; returns the last rectangle and the refusal.
boards::MoveOutcome Walk(PixelRect r, boards::ShipMove m, const PixelRect& client)
{
    for (;;) {
        const boards::MoveOutcome out = boards::MoveShipRect(r, m, client, c);
        if (out.refusal != MoveRefusal::None)
            return out;
        r = out.ship;
    }
}

TEST(MoveShip, ShipsReachColumnKAndRowTenButNotTheStrips)
{
    for (const PixelRect& client : {kClient, kWineClient}) {
        boards::MoveOutcome out = Walk(Ship(0, 0, 1, false), boards::kMoveRight, client);
        EXPECT_EQ(MoveRefusal::PastEdge, out.refusal);
        EXPECT_TRUE(Is(Ship(9, 0, 1, false), out.ship));
        out = Walk(out.ship, boards::kMoveDown, client);
        EXPECT_EQ(MoveRefusal::PastEdge, out.refusal);
        EXPECT_TRUE(Is(Ship(9, 9, 1, false), out.ship));
        out = Walk(out.ship, boards::kMoveUp, client);
        EXPECT_EQ(MoveRefusal::PastEdge, out.refusal);
        EXPECT_TRUE(Is(Ship(9, 0, 1, false), out.ship));
        out = Walk(out.ship, boards::kMoveLeft, client);
        EXPECT_EQ(MoveRefusal::PastLeft, out.refusal);  // its own message
        EXPECT_TRUE(Is(Ship(0, 0, 1, false), out.ship));
    }
    // Four squares at Ж-К cannot go right.
    EXPECT_EQ(MoveRefusal::PastEdge,
              boards::MoveShipRect(Ship(6, 2, 4, false), boards::kMoveRight, kWineClient, c).refusal);
}

TEST(MoveShip, LimitsAreHalfACellInsideTheClientEdge)
{
    const PixelRect wide{0, 0, 200, 200};  // limits at 192
    const boards::MoveOutcome out = Walk(Ship(0, 0, 1, false), boards::kMoveRight, wide);
    EXPECT_EQ(187, out.ship.right);
}

TEST(MoveShip, TurnPivotsOnTheTopLeftCorner)
{
    const PixelRect upright{0, 0, c, 4 * c};
    const boards::MoveOutcome lying = boards::MoveShipRect(upright, boards::kTurn, kWineClient, c);
    EXPECT_EQ(MoveRefusal::None, lying.refusal);
    EXPECT_TRUE(Is({0, 0, 4 * c, c}, lying.ship));
    EXPECT_TRUE(Is(upright, boards::MoveShipRect(lying.ship, boards::kTurn, kWineClient, c).ship));
    EXPECT_TRUE(Is(Ship(2, 6, 4, true), boards::MoveShipRect(Ship(2, 6, 4, false), boards::kTurn, kWineClient, c).ship));
}

TEST(MoveShip, TurnsAcrossTheLimitsAreRefused)
{
    const PixelRect atZ = Ship(7, 1, 4, true);
    const boards::MoveOutcome out = boards::MoveShipRect(atZ, boards::kTurn, kWineClient, c);
    EXPECT_EQ(MoveRefusal::TurnPast, out.refusal);
    EXPECT_TRUE(Is(atZ, out.ship));
    EXPECT_EQ(MoveRefusal::None, boards::MoveShipRect(Ship(6, 1, 4, true), boards::kTurn, kWineClient, c).refusal);
    EXPECT_EQ(MoveRefusal::TurnPast,
              boards::MoveShipRect(Ship(2, 7, 4, false), boards::kTurn, kWineClient, c).refusal);
}

TEST(MoveShip, TurningOneSquareChangesNothingAnywhere)
{
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y) {
            const boards::MoveOutcome out = boards::MoveShipRect(Ship(x, y, 1, false), boards::kTurn, kWineClient, c);
            EXPECT_EQ(MoveRefusal::None, out.refusal) << x << ", " << y;
            EXPECT_TRUE(Is(Ship(x, y, 1, false), out.ship));
        }
}

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

TEST(Drag, SquaresAreRowTimesTenPlusColumnAndOnlyChangesCount)
{
    const auto d = boards::DragDeltaAt(8 * c + 1, 3 * c + 16, 0, c);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(38, d->cell);
    EXPECT_EQ(3, d->rows);
    EXPECT_EQ(8, d->cols);
    EXPECT_FALSE(boards::DragDeltaAt(8 * c + 16, 3 * c, 38, c).has_value());  // same square
    EXPECT_FALSE(boards::DragDeltaAt(10 * c, 5, 0, c).has_value());           // label strips
    EXPECT_FALSE(boards::DragDeltaAt(5, 10 * c, 0, c).has_value());
    EXPECT_FALSE(boards::DragDeltaAt(-1, 5, 0, c).has_value());
}

TEST(Drag, FourSquaresGoDownThenRightUntilTheEdge)
{
    int last = 0;
    std::vector<boards::ShipMove> moves;
    PixelRect ship = Drag(Ship(0, 0, 4, false), 8 * c + 5, 3 * c + 5, last, &moves);
    const std::vector<boards::ShipMove> want = {boards::kMoveDown,  boards::kMoveDown,  boards::kMoveDown,
                                                boards::kMoveRight, boards::kMoveRight, boards::kMoveRight,
                                                boards::kMoveRight, boards::kMoveRight, boards::kMoveRight};
    EXPECT_EQ(want, moves);
    EXPECT_TRUE(Is(Ship(6, 3, 4, false), ship));
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

TEST(Pad, ButtonsFormACrossWithDoneBesideIt)
{
    const int want[6][4] = {{6, 0, 34, 34}, {5, 68, 34, 34}, {4, 34, 34, 34},
                            {8, 110, 17, 68}, {3, 34, 0, 34}, {7, 34, 68, 34}};
    const auto got = boards::PadButtons(c);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(want[i][0], got[i].command) << i;
        EXPECT_EQ(want[i][1], got[i].x) << i;
        EXPECT_EQ(want[i][2], got[i].y) << i;
        EXPECT_EQ(want[i][3], got[i].size) << i;
    }
}

TEST(Picker, HitTestSkipsLengthsWithNoShipsLeft)
{
    const boards::Silhouettes rects = layout::ShipPickerRects(c);
    const std::int32_t all[4] = {1, 2, 3, 4};
    const std::int32_t noThrees[4] = {1, 0, 3, 4};
    EXPECT_EQ(5, boards::SilhouetteAt(93, 25, rects, all));    // lying three: (93, 25)-(144, 42)
    EXPECT_EQ(-1, boards::SilhouetteAt(144, 30, rects, all));
    EXPECT_EQ(6, boards::SilhouetteAt(100, 42, rects, all));   // the bottom edge is the next one's
    EXPECT_EQ(0, boards::SilhouetteAt(10, 70, rects, all));    // upright four: (8, 8)-(25, 76)
    EXPECT_EQ(-1, boards::SilhouetteAt(10, 76, rects, all));
    EXPECT_EQ(-1, boards::SilhouetteAt(100, 30, rects, noThrees));
    EXPECT_EQ(-1, boards::SilhouetteAt(30, 50, rects, noThrees));
}

TEST(Picker, CountsStandInTheLowestOrFirstSquare)
{
    const boards::Silhouettes rects = layout::ShipPickerRects(c);
    const boards::CountOrigin upright = boards::CountOriginOf(rects, 0, c);
    EXPECT_EQ(12, upright.x);  // 8 + trunc(4.25)
    EXPECT_EQ(61, upright.y);  // 76 - trunc(15.3)
    const boards::CountOrigin lying = boards::CountOriginOf(rects, 4, c);
    EXPECT_EQ(97, lying.x);
    EXPECT_EQ(9, lying.y);  // 8 + trunc(1.7)
    EXPECT_EQ(10, boards::DigitFontSize(c).height);
    EXPECT_EQ(3, boards::DigitFontSize(c).width);
}

}  // namespace
