// Placement rules and automatic arrangement; the hand-placement
// state.
#include "game_support.h"

#include <cstring>

#include "game/random.h"

using namespace testing_game;

namespace {

class PlacementTest : public GameTest {
protected:
    static game::PixelRect Rect(int x, int y, int length, bool vertical)
    {
        return game::ShipRectAt(x, y, length, vertical);
    }
};

TEST_F(PlacementTest, RectangleGeometryFollowsCellSize)
{
    game::CellSize = 20;
    const game::PixelRect h = Rect(3, 4, 4, false);
    EXPECT_EQ(h.left, 60);
    EXPECT_EQ(h.top, 80);
    EXPECT_EQ(h.right, 140);
    EXPECT_EQ(h.bottom, 100);
    const game::ShipGeometry gh = game::GeometryOf(h);
    EXPECT_TRUE(gh.horizontal);
    EXPECT_EQ(gh.length, 4);
    const game::ShipGeometry gv = game::GeometryOf(Rect(3, 4, 2, true));
    EXPECT_FALSE(gv.horizontal);
    EXPECT_EQ(gv.length, 2);
    EXPECT_EQ(gv.x, 3);
    EXPECT_EQ(gv.y, 4);
    const game::ShipGeometry g1 = game::GeometryOf(Rect(9, 9, 1, true));
    EXPECT_TRUE(g1.horizontal);  // a one-square ship counts as horizontal
    EXPECT_EQ(g1.length, 1);
}

TEST_F(PlacementTest, OneSquareShipInACornerMarksFourZoneSquares)
{
    game::PlaceShip(Rect(9, 9, 1, false), game::kHumanBoard);
    EXPECT_EQ(CountLayer(game::HumanZone), 4);
    EXPECT_EQ(CountLayer(game::HumanShips), 1);
    EXPECT_TRUE(game::IsSet(game::HumanZone, 8, 8));
    EXPECT_TRUE(game::IsSet(game::HumanZone, 8, 9));
    EXPECT_TRUE(game::IsSet(game::HumanZone, 9, 8));
    EXPECT_EQ(CountLayer(game::ComputerZone), 0);
    // Board side 0 records into fleet side 1.
    EXPECT_EQ(game::ShipAt(9, 9, game::kHumanFleet), 6);
    EXPECT_EQ(game::ShipAt(9, 9, game::kComputerFleet), game::NoShip);
}

TEST_F(PlacementTest, FourSquareShipAlongTheTopEdge)
{
    game::PlaceShip(Rect(0, 0, 4, false), game::kComputerBoard);
    EXPECT_EQ(CountLayer(game::ComputerZone), 10);  // 2 x 6 minus the column off the left edge
    game::ClearModel();
    game::PlaceShip(Rect(3, 0, 4, false), game::kComputerBoard);
    EXPECT_EQ(CountLayer(game::ComputerZone), 12);
    for (int x = 2; x <= 7; ++x) {
        EXPECT_TRUE(game::IsSet(game::ComputerZone, x, 0)) << x;
        EXPECT_TRUE(game::IsSet(game::ComputerZone, x, 1)) << x;
    }
    EXPECT_EQ(CountLayer(game::ComputerShips), 4);
}

TEST_F(PlacementTest, VerticalMidBoardShipMarksItsBlock)
{
    game::PlaceShip(Rect(4, 3, 3, true), game::kHumanBoard);
    EXPECT_EQ(CountLayer(game::HumanZone), 15);  // 3 x 5
    EXPECT_TRUE(game::IsSet(game::HumanZone, 3, 2));
    EXPECT_TRUE(game::IsSet(game::HumanZone, 5, 6));
    EXPECT_FALSE(game::IsSet(game::HumanZone, 4, 7));
    // Recorded from the top square down.
    EXPECT_EQ(game::FleetLayout[1][1][0].y, 3);
    EXPECT_EQ(game::FleetLayout[1][1][2].y, 5);
    EXPECT_EQ(game::FleetLive[1][1][3].x, game::SunkMarker);
    EXPECT_EQ(game::FleetLayout[1][1][3].x, 0);  // layout padding left as it was
}

TEST_F(PlacementTest, TouchingRuleBlocksCornersButNotAOneSquareGap)
{
    game::PlaceShip(Rect(4, 4, 2, false), game::kHumanBoard);  // Д5-Е5
    EXPECT_TRUE(game::PositionBlocked(Rect(6, 5, 1, false), game::kHumanBoard));   // corner
    EXPECT_TRUE(game::PositionBlocked(Rect(3, 3, 1, false), game::kHumanBoard));   // other corner
    EXPECT_TRUE(game::PositionBlocked(Rect(6, 4, 1, false), game::kHumanBoard));   // side
    EXPECT_TRUE(game::PositionBlocked(Rect(4, 4, 1, false), game::kHumanBoard));   // overlap
    EXPECT_FALSE(game::PositionBlocked(Rect(7, 4, 1, false), game::kHumanBoard));  // gap of one
    EXPECT_FALSE(game::PositionBlocked(Rect(4, 6, 3, false), game::kHumanBoard));  // row gap
    // Across the ring without touching the ship's squares: still blocked.
    EXPECT_TRUE(game::PositionBlocked(Rect(3, 1, 3, true), game::kHumanBoard));
    EXPECT_TRUE(game::PositionBlocked(Rect(2, 3, 4, false), game::kHumanBoard));
    // The other board side is unaffected.
    EXPECT_FALSE(game::PositionBlocked(Rect(4, 4, 2, false), game::kComputerBoard));
}

TEST_F(PlacementTest, ShipsReachingBeyondTheBoardAreBlocked)
{
    EXPECT_FALSE(game::PositionBlocked(Rect(6, 9, 4, false), game::kHumanBoard));
    EXPECT_TRUE(game::PositionBlocked(Rect(7, 9, 4, false), game::kHumanBoard));
    EXPECT_TRUE(game::PositionBlocked(Rect(9, 8, 3, true), game::kHumanBoard));
    EXPECT_TRUE(game::PositionBlocked(Rect(10, 0, 1, false), game::kHumanBoard));
    EXPECT_TRUE(game::PositionBlocked(Rect(0, 0, 5, false), game::kHumanBoard));
    EXPECT_TRUE(game::PositionBlocked(game::PixelRect{0, 0, 0, 0}, game::kHumanBoard));
    EXPECT_TRUE(game::PositionBlocked(Rect(-1, 0, 1, false), game::kHumanBoard));
    EXPECT_TRUE(game::PositionBlocked(Rect(0, 0, 1, false), 2));
}

TEST_F(PlacementTest, FleetIndexesFollowTheLengthCounters)
{
    // Recorded out of index order: each length counts its own ships. (А1 is
    // avoided: the slots of ships not yet recorded still hold (0, 0).)
    game::PlaceShip(Rect(9, 9, 1, false), game::kComputerBoard);
    game::PlaceShip(Rect(2, 0, 2, false), game::kComputerBoard);
    game::PlaceShip(Rect(6, 0, 1, false), game::kComputerBoard);
    game::PlaceShip(Rect(0, 2, 3, false), game::kComputerBoard);
    game::PlaceShip(Rect(5, 2, 4, false), game::kComputerBoard);
    game::PlaceShip(Rect(0, 4, 3, false), game::kComputerBoard);
    EXPECT_EQ(game::ShipAt(9, 9, game::kComputerFleet), 6);
    EXPECT_EQ(game::ShipAt(3, 0, game::kComputerFleet), 3);
    EXPECT_EQ(game::ShipAt(6, 0, game::kComputerFleet), 7);
    EXPECT_EQ(game::ShipAt(1, 2, game::kComputerFleet), 1);
    EXPECT_EQ(game::ShipAt(8, 2, game::kComputerFleet), 0);
    EXPECT_EQ(game::ShipAt(2, 4, game::kComputerFleet), 2);
}

TEST_F(PlacementTest, HandPlacementRecordsUnderShipBeingPlaced)
{
    game::Options.AutoArrange = false;
    game::ShipBeingPlaced = 2;
    game::PlaceShip(Rect(4, 4, 3, false), game::kHumanBoard);
    EXPECT_EQ(game::ShipAt(5, 4, game::kHumanFleet), 2);
    EXPECT_EQ(game::FleetLayout[1][1][0].x, 0);  // index 1 untouched
    EXPECT_EQ(game::FleetLive[1][1][3].x, 0);
    EXPECT_EQ(game::FleetLive[1][2][3].x, game::SunkMarker);

    // The computer's fleet ignores ShipBeingPlaced; the recording counters
    // are shared, and the hand-placed ship advanced the length-3 one.
    game::PlaceShip(Rect(4, 4, 3, false), game::kComputerBoard);
    EXPECT_EQ(game::ShipAt(5, 4, game::kComputerFleet), 2);

    // The per-length counter advances all the same: after one hand-placed
    // three-square ship, the next one recorded by the counters is index 2.
    game::ResetRecording();
    game::ShipBeingPlaced = 1;
    game::PlaceShip(Rect(1, 0, 3, false), game::kHumanBoard);
    game::Options.AutoArrange = true;
    game::PlaceShip(Rect(0, 8, 3, false), game::kHumanBoard);
    EXPECT_EQ(game::ShipAt(2, 0, game::kHumanFleet), 1);
    EXPECT_EQ(game::ShipAt(2, 8, game::kHumanFleet), 2);
}

TEST_F(PlacementTest, ArrangeFleetIsReproducibleAndValid)
{
    fx.seconds = 1700000000;
    game::ArrangeFleet(game::kHumanFleet);
    game::ArrangeFleet(game::kComputerFleet);
    EXPECT_EQ(CountLayer(game::HumanShips), 20);
    EXPECT_EQ(CountLayer(game::ComputerShips), 20);
    std::uint8_t board[600];
    std::memcpy(board, game::Board, sizeof board);
    game::CellPos layout[2][10][4];
    std::memcpy(layout, game::FleetLayout, sizeof layout);

    game::ClearModel();
    game::ArrangeFleet(game::kHumanFleet);
    game::ArrangeFleet(game::kComputerFleet);
    EXPECT_EQ(std::memcmp(board, game::Board, sizeof board), 0);
    EXPECT_EQ(std::memcmp(layout, game::FleetLayout, sizeof layout), 0);

    // The computer's 20 extra discarded draws give it another fleet.
    EXPECT_NE(std::memcmp(layout[0], layout[1], sizeof layout[0]), 0);
}

TEST_F(PlacementTest, ArrangeHumanFleetMarksShipsPlacedAndRepaints)
{
    game::ArrangeFleet(game::kHumanFleet);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(game::ShipPlaced[i], 1) << i;
    EXPECT_EQ(fx.events, (std::vector<std::string>{"invalidate:human:erase"}));
    fx.Clear();
    game::ArrangeFleet(game::kComputerFleet);
    EXPECT_TRUE(fx.events.empty());
    EXPECT_GE(game::ArrangeCandidates, 10);
}

TEST_F(PlacementTest, ArrangeFleetOnAnOccupiedSideStartsAfresh)
{
    // Arranging twice without ClearModel must not pile two fleets up (nor hang).
    game::ArrangeFleet(game::kComputerFleet);
    fx.seconds += 7;
    game::ArrangeFleet(game::kComputerFleet);
    EXPECT_EQ(CountLayer(game::ComputerShips), 20);
    for (int i = 0; i < 10; ++i)
        for (int k = 0; k < game::ShipLength(i); ++k) {
            const game::CellPos p = game::FleetLayout[0][i][k];
            EXPECT_TRUE(game::IsSet(game::ComputerShips, p.x, p.y));
        }
}

TEST_F(PlacementTest, ArrangeFleetUsesAutoArrangeRecordingForTheHuman)
{
    // With AutoArrange on (the only way the human's fleet is arranged), every
    // ship goes to its own index.
    game::ShipBeingPlaced = 5;
    game::ArrangeFleet(game::kHumanFleet);
    for (int i = 0; i < 10; ++i)
        EXPECT_NE(game::FleetLive[1][i][game::ShipLength(i) - 1].x, game::SunkMarker) << i;
}

TEST_F(PlacementTest, ResetPlacementSetsStartValues)
{
    game::PlacingShip = 1;
    game::ShipBeingPlaced = 7;
    game::ShipPlaced[3] = 1;
    game::PlacedCount = 4;
    game::PickerOpen = 1;
    game::ShipsLeftToPlace[2] = 0;
    game::ChosenOfLength[1] = 3;
    game::ResetPlacement();
    EXPECT_EQ(game::PlacingShip, 0);
    EXPECT_EQ(game::ShipBeingPlaced, 0);
    EXPECT_EQ(game::ShipPlaced[3], 0);
    EXPECT_EQ(game::PlacedCount, 0);
    EXPECT_EQ(game::PickerOpen, 0);
    EXPECT_EQ(game::ShipsLeftToPlace[0], 1);
    EXPECT_EQ(game::ShipsLeftToPlace[1], 2);
    EXPECT_EQ(game::ShipsLeftToPlace[2], 3);
    EXPECT_EQ(game::ShipsLeftToPlace[3], 4);
    EXPECT_EQ(game::ChosenOfLength[1], 0);
}

TEST_F(PlacementTest, ChosenShipIndexesByLength)
{
    EXPECT_EQ(game::NextChosenShipIndex(1), 1);
    EXPECT_EQ(game::NextChosenShipIndex(1), 2);
    EXPECT_EQ(game::NextChosenShipIndex(1), -1);
    EXPECT_EQ(game::ChosenOfLength[0], 2);
    EXPECT_EQ(game::NextChosenShipIndex(0), 0);
    EXPECT_EQ(game::NextChosenShipIndex(2), 3);
    EXPECT_EQ(game::NextChosenShipIndex(2), 4);
    EXPECT_EQ(game::NextChosenShipIndex(2), 5);
    EXPECT_EQ(game::NextChosenShipIndex(2), -1);
    for (int k = 6; k <= 9; ++k)
        EXPECT_EQ(game::NextChosenShipIndex(3), k);
    EXPECT_EQ(game::NextChosenShipIndex(3), -1);
    EXPECT_EQ(game::NextChosenShipIndex(4), -1);
    EXPECT_EQ(game::NextChosenShipIndex(-1), -1);
}

TEST_F(PlacementTest, HandPlacedFleetInAnyOrderIsComplete)
{
    // All four one-square ships first, then the rest, as the picker allows.
    game::Options.AutoArrange = false;
    const int order[10] = {6, 7, 8, 9, 5, 4, 3, 2, 1, 0};
    for (int i : order) {
        const ShipPlan& s = kFleetA[i];
        game::ShipBeingPlaced = i;
        const game::PixelRect r = Rect(s.x, s.y, s.length, s.vertical);
        game::ShipRects[1][i] = r;
        ASSERT_FALSE(game::PositionBlocked(r, game::kHumanBoard)) << i;
        game::PlaceShip(r, game::kHumanBoard);
    }
    for (int i = 0; i < 10; ++i) {
        const std::vector<game::CellPos> squares = SquaresOf(kFleetA[i]);
        for (std::size_t k = 0; k < squares.size(); ++k) {
            EXPECT_EQ(game::FleetLayout[1][i][k].x, squares[k].x) << i;
            EXPECT_EQ(game::FleetLayout[1][i][k].y, squares[k].y) << i;
        }
    }
    EXPECT_EQ(CountLayer(game::HumanShips), 20);
}

}  // namespace
