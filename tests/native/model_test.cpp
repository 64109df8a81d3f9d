// Board and fleet model.
#include "game_support.h"

#include "game/describe.h"
#include "game/random.h"

#include <algorithm>
#include <iterator>

using namespace testing_game;

namespace {

class ModelTest : public GameTest {};

TEST_F(ModelTest, CellNamesUseTheLettersAndTheTwoRowForms)
{
    EXPECT_EQ(game::CellName(0, 0), "А1");
    EXPECT_EQ(game::CellName(9, 9), "К10");
    EXPECT_EQ(game::CellName(3, 9), "Г10");
    EXPECT_EQ(game::CellName(9, 8), "К9");
    EXPECT_EQ(game::CellName(8, 0), "И1");  // Й is skipped: И then К
    EXPECT_EQ(game::CellName(5, 4), "Е5");
    EXPECT_EQ(game::CellName(10, 0), "");
    EXPECT_EQ(game::CellName(0, -1), "");
}

TEST_F(ModelTest, BoardIndexIsLayerThenColumnThenRow)
{
    EXPECT_EQ(game::BoardIndex(game::HumanZone, 0, 0), 0);
    EXPECT_EQ(game::BoardIndex(game::ComputerShips, 2, 7), 327);
    EXPECT_EQ(game::BoardIndex(game::ShotsAtHuman, 9, 9), 599);
    EXPECT_EQ(sizeof game::Board, 600u);
}

TEST_F(ModelTest, ShipTableGivesLengthsAndTypeNames)
{
    const int lengths[10] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(game::ShipLength(i), lengths[i]) << "ship " << i;
    EXPECT_STREQ(game::ShipTypeName(0), "Линкор");
    EXPECT_STREQ(game::ShipTypeName(2), "Эсминец");
    EXPECT_STREQ(game::ShipTypeName(3), "Крейсер");
    EXPECT_STREQ(game::ShipTypeName(5), "Крейсер");
    EXPECT_STREQ(game::ShipTypeName(9), "Катер");
    EXPECT_EQ(game::ShipLength(10), 0);
}

TEST_F(ModelTest, ShipAtFindsShipsByIndexAndIgnoresUnusedSlots)
{
    PlaceFleet(game::kComputerBoard, kFleetA);
    EXPECT_EQ(game::ShipAt(2, 0, game::kComputerFleet), 0);
    EXPECT_EQ(game::ShipAt(7, 5, game::kComputerFleet), 1);
    EXPECT_EQ(game::ShipAt(0, 4, game::kComputerFleet), 2);
    EXPECT_EQ(game::ShipAt(9, 9, game::kComputerFleet), 9);
    EXPECT_EQ(game::ShipAt(4, 4, game::kComputerFleet), game::NoShip);
    EXPECT_EQ(game::ShipAt(4, 4, game::kHumanFleet), game::NoShip);  // that fleet is empty
}

TEST_F(ModelTest, ShipAtSquareZeroIsNoShipWhileShortShipsKeepZeroSlots)
{
    // A complete fleet with no ship on А1: the slots beyond the length of the
    // shorter ships still hold (0, 0) in FleetLayout, yet А1 is no ship's.
    ShipPlan fleet[10];
    std::copy(std::begin(kFleetA), std::end(kFleetA), std::begin(fleet));
    fleet[0] = ShipPlan{6, 0, 4, false};
    PlaceFleet(game::kComputerBoard, fleet);
    EXPECT_EQ(game::FleetLayout[0][6][1].x, 0);
    EXPECT_EQ(game::FleetLayout[0][6][1].y, 0);
    EXPECT_EQ(game::FleetLayout[0][3][3].x, 0);
    EXPECT_EQ(game::ShipAt(0, 0, game::kComputerFleet), game::NoShip);
    EXPECT_EQ(game::ShipAt(9, 0, game::kComputerFleet), 0);
    EXPECT_EQ(game::ShipAt(0, 6, game::kComputerFleet), 6);
}

TEST_F(ModelTest, ShipIsSunkOnlyWhenEveryRealSquareIsHit)
{
    PlaceFleet(game::kComputerBoard, kFleetA);
    EXPECT_FALSE(game::IsSunk(1, game::kComputerFleet));
    game::RegisterHit(5, 5, game::kComputerFleet);
    game::RegisterHit(6, 5, game::kComputerFleet);
    EXPECT_FALSE(game::IsSunk(1, game::kComputerFleet));
    game::RegisterHit(7, 5, game::kComputerFleet);
    EXPECT_TRUE(game::IsSunk(1, game::kComputerFleet));

    // A one-square ship sinks with its single hit: its other slots hold 666.
    EXPECT_FALSE(game::IsSunk(9, game::kComputerFleet));
    game::RegisterHit(9, 9, game::kComputerFleet);
    EXPECT_TRUE(game::IsSunk(9, game::kComputerFleet));
    EXPECT_FALSE(game::IsSunk(8, game::kComputerFleet));
    EXPECT_FALSE(game::IsSunk(game::NoShip, game::kComputerFleet));
}

TEST_F(ModelTest, RegisterHitTwiceThenMiss)
{
    PlaceFleet(game::kComputerBoard, kFleetA);
    game::RegisterHit(0, 3, game::kComputerFleet);
    EXPECT_EQ(game::ShotHit[game::kComputerFleet], 1);
    EXPECT_EQ(game::FleetLive[0][2][1].x, game::SunkMarker);
    EXPECT_EQ(game::FleetLive[0][2][1].y, game::SunkMarker);
    EXPECT_EQ(game::FleetLayout[0][2][1].y, 3);  // the layout never changes
    game::RegisterHit(0, 3, game::kComputerFleet);
    EXPECT_EQ(game::ShotHit[game::kComputerFleet], 0);
    game::RegisterHit(0, 3, game::kComputerFleet);  // still nothing
    game::RegisterHit(0, 2, game::kComputerFleet);
    EXPECT_EQ(game::ShotHit[game::kComputerFleet], 1);
    game::RegisterHit(4, 4, game::kComputerFleet);
    EXPECT_EQ(game::ShotHit[game::kComputerFleet], 0);
    EXPECT_EQ(game::ShotHit[game::kHumanFleet], 0);
}

TEST_F(ModelTest, CountSquaresLeftCountsHitsOnShipLayers)
{
    PlaceBothFleets();
    game::CountSquaresLeft();
    EXPECT_EQ(game::SquaresLeft[0], 20);
    EXPECT_EQ(game::SquaresLeft[1], 20);
    game::BoardAt(game::ShotsAtComputer, 0, 0) = 1;  // hit
    game::BoardAt(game::ShotsAtComputer, 4, 4) = 1;  // miss
    game::BoardAt(game::ShotsAtHuman, 9, 9) = 1;     // hit
    game::BoardAt(game::ShotsAtHuman, 5, 5) = 1;     // hit
    game::BoardAt(game::ShotsAtHuman, 9, 0) = 1;     // miss
    game::CountSquaresLeft();
    EXPECT_EQ(game::SquaresLeft[game::kComputerFleet], 19);
    EXPECT_EQ(game::SquaresLeft[game::kHumanFleet], 18);
}

TEST_F(ModelTest, ClearModelResetsTheGameButNotTheRunState)
{
    PlaceBothFleets();
    PreHit(game::kComputerFleet, 9, 9);
    game::ShipSunk[0][9] = game::SunkAnnounced[0][9] = 1;
    game::SquaresLeft[0] = 3;
    game::ComputerShipsLeft = 2;
    game::HumanShipsLeft = 4;
    game::BattleOn = 1;
    game::Hunting = 1;
    game::TrailEnd = 2;
    game::HitTrail[1] = game::CellPos{4, 4};
    game::TargetShip = 3;
    game::PreviousTargetShip = 2;
    game::NewHumanTurn = 0;
    game::OpeningMoveDone = 1;

    game::ClearModel();
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(game::Board[i], 0) << i;
    for (int f = 0; f < 2; ++f)
        for (int s = 0; s < 10; ++s) {
            for (int k = 0; k < 4; ++k) {
                EXPECT_EQ(game::FleetLayout[f][s][k].x, 0);
                EXPECT_EQ(game::FleetLive[f][s][k].y, 0);
            }
            EXPECT_EQ(game::ShipRects[f][s].right, 0);
            EXPECT_EQ(game::ShipSunk[f][s], 0);
            EXPECT_EQ(game::SunkAnnounced[f][s], 0);
        }
    EXPECT_EQ(game::SquaresLeft[0], 20);
    EXPECT_EQ(game::SquaresLeft[1], 20);
    EXPECT_EQ(game::ComputerShipsLeft, 10);
    EXPECT_EQ(game::HumanShipsLeft, 10);
    EXPECT_EQ(game::BattleOn, 0);
    EXPECT_EQ(game::Hunting, 0);
    EXPECT_EQ(game::TrailEnd, 0);
    EXPECT_EQ(game::HitTrail[1].x, 0);
    EXPECT_EQ(game::TargetShip, 33);
    EXPECT_EQ(game::PreviousTargetShip, 33);
    EXPECT_EQ(game::NewHumanTurn, 1);
    EXPECT_EQ(game::OpeningMoveDone, 1);  // never cleared
    game::CountSquaresLeft();
    EXPECT_EQ(game::SquaresLeft[0], 20);
    EXPECT_EQ(game::SquaresLeft[1], 20);

    // The recording state is back at its start: the next three-square ship
    // recorded is index 1 again.
    game::PlaceShip(game::ShipRectAt(4, 4, 3, false), game::kComputerBoard);
    EXPECT_EQ(game::ShipAt(5, 4, game::kComputerFleet), 1);
}

TEST_F(ModelTest, RandomValueIsTheClassicFifteenBitGenerator)
{
    game::SeedRandom(1);
    // The first values of the classic generator seeded with 1.
    EXPECT_EQ(game::RandomValue(), 41);
    EXPECT_EQ(game::RandomValue(), 18467);
    EXPECT_EQ(game::RandomValue(), 6334);
    EXPECT_EQ(game::RandomValue(), 26500);
    game::SeedRandom(0xFFFFFFFFu);
    const std::uint32_t state = 0xFFFFFFFFu * 214013u + 2531011u;
    EXPECT_EQ(game::RandomValue(), static_cast<int>((state >> 16) & 32767u));
    fx.seconds = 1234;
    game::SeedRandomFromClock();
    EXPECT_EQ(game::RandomState, 1234u);
}

TEST_F(ModelTest, DescribeModelNamesFleetsShotsAndCounters)
{
    PlaceBothFleets();
    PreHit(game::kComputerFleet, 9, 9);
    game::ShipSunk[0][9] = 1;
    game::BattleOn = 1;
    const std::string d = game::DescribeModel();
    EXPECT_NE(d.find("BattleOn=1\n"), std::string::npos) << d;
    EXPECT_NE(d.find("SquaresLeft=20,20\n"), std::string::npos) << d;
    EXPECT_NE(d.find("ShipsLeft=10,10\n"), std::string::npos) << d;
    EXPECT_NE(d.find("ComputerFleet=00,10,20,30;55,65,75;02,03,04;22,32;52,62;82,83;06;26;28;99\n"),
              std::string::npos)
        << d;
    const std::string shots = "ShotsAtComputer=" + std::string(99, '0') + "1\n";
    EXPECT_NE(d.find(shots), std::string::npos) << d;
    EXPECT_NE(d.find("ShipSunk=0000000001,0000000000\n"), std::string::npos) << d;
    EXPECT_NE(d.find("Opponent=0,33,0\n"), std::string::npos) << d;
    EXPECT_NE(d.find("Placement=0,0,0000000000\n"), std::string::npos) << d;
}

}  // namespace
