// The model, the placement rules and the settling of shots.
#include "support.h"

#include "game/describe.h"

using namespace testing_game;

namespace {

class Rules : public GameTest {};

TEST_F(Rules, SquareNamesAndTheShipTable)
{
    const struct { int x, y; const char* name; } names[] = {
        {0, 0, "А1"}, {9, 9, "К10"}, {3, 9, "Г10"}, {9, 8, "К9"}, {8, 0, "И1"}, {10, 0, ""}, {0, -1, ""}};
    for (const auto& n : names)
        EXPECT_EQ(game::CellName(n.x, n.y), n.name) << n.x << "," << n.y;
    const char* types[] = {"Линкор", "Эсминец", "Эсминец", "Крейсер", "Крейсер", "Крейсер",
                           "Катер",  "Катер",   "Катер",   "Катер"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(game::ShipTypeName(i), types[i]);
        EXPECT_EQ(game::ShipLength(i), static_cast<int>(SquaresOf(kFleetA[i]).size()));
    }
    EXPECT_EQ(game::ShipLength(game::NoShip), 0);
    EXPECT_STREQ(game::ShipTypeName(game::NoShip), "");
}

TEST_F(Rules, RandomValueIsTheClassicFifteenBitGenerator)
{
    fx.seconds = 1;
    game::SeedRandomFromClock();
    for (int v : {41, 18467, 6334, 26500})
        EXPECT_EQ(game::RandomValue(), v);
}

TEST_F(Rules, ShipLookupHitsAndSinking)
{
    PlaceFleet(game::kComputerBoard);
    const struct { int x, y, ship; } at[] = {{2, 0, 0}, {7, 5, 1}, {0, 4, 2}, {9, 9, 9}, {4, 4, game::NoShip}};
    for (const auto& a : at)
        EXPECT_EQ(game::ShipAt(a.x, a.y, game::kComputerFleet), a.ship) << a.x << "," << a.y;
    EXPECT_EQ(game::ShipAt(2, 0, game::kHumanFleet), game::NoShip);

    game::RegisterHit(5, 5, game::kComputerFleet);
    EXPECT_EQ(game::ShotHit[game::kComputerFleet], 1);
    game::RegisterHit(5, 5, game::kComputerFleet);  // a square already hit no longer matches
    EXPECT_EQ(game::ShotHit[game::kComputerFleet], 0);
    game::RegisterHit(6, 5, game::kComputerFleet);
    EXPECT_FALSE(game::IsSunk(1, game::kComputerFleet));
    game::RegisterHit(7, 5, game::kComputerFleet);
    EXPECT_TRUE(game::IsSunk(1, game::kComputerFleet));
    game::RegisterHit(9, 9, game::kComputerFleet);  // one hit sinks a one-square ship
    EXPECT_TRUE(game::IsSunk(9, game::kComputerFleet));
    EXPECT_FALSE(game::IsSunk(8, game::kComputerFleet));
    EXPECT_FALSE(game::IsSunk(game::NoShip, game::kComputerFleet));

    // With no ship on А1 the unused slots of the short ships still hold
    // (0, 0); А1 is no ship's all the same.
    game::ClearModel();
    Fleet moved = kFleetA;
    moved[0].x = 6;
    PlaceFleet(game::kComputerBoard, moved);
    EXPECT_EQ(game::ShipAt(0, 0, game::kComputerFleet), game::NoShip);
}

TEST_F(Rules, CountSquaresLeftAndClearModel)
{
    PlaceFleet(game::kHumanBoard);
    PlaceFleet(game::kComputerBoard);
    for (const Square& s : {Square{0, 0}, Square{4, 4}})  // a hit and a miss
        game::BoardAt(game::ShotsAtComputer, s.first, s.second) = 1;
    for (const Square& s : {Square{9, 9}, Square{5, 5}, Square{9, 0}})  // two hits
        game::BoardAt(game::ShotsAtHuman, s.first, s.second) = 1;
    game::CountSquaresLeft();
    EXPECT_EQ(game::SquaresLeft[game::kComputerFleet], 19);
    EXPECT_EQ(game::SquaresLeft[game::kHumanFleet], 18);

    HitAllBut(game::kComputerFleet, {9, 9});
    game::SettleShot(game::BoardId::Computer);
    game::Hunting = 1;
    game::TargetShip = game::PreviousTargetShip = 3;
    game::TrailEnd = 2;
    game::NewHumanTurn = 0;
    game::OpeningMoveDone = 1;
    game::BattleOn = 1;
    game::ClearModel();
    EXPECT_TRUE(std::all_of(game::Board, game::Board + 600, [](std::uint8_t b) { return b == 0; }));
    std::string fleet;
    for (int i = 0; i < 10; ++i)
        fleet += std::string(i ? ";" : "") + (i == 0 ? "00,00,00,00" : i < 3 ? "00,00,00" : i < 6 ? "00,00" : "00");
    const std::string none(100, '0');
    EXPECT_EQ(game::DescribeModel(), "BattleOn=0\nSquaresLeft=20,20\nShipsLeft=10,10\nComputerFleet=" + fleet +
                                         "\nHumanFleet=" + fleet + "\nShotsAtComputer=" + none +
                                         "\nShotsAtHuman=" + none +
                                         "\nShipSunk=0000000000,0000000000\nPlacement=0,0,0000000000\n"
                                         "Opponent=0,33,0\n");
    EXPECT_EQ(game::PreviousTargetShip, game::kNoTargetShip);
    EXPECT_EQ(game::NewHumanTurn, 1);
    EXPECT_EQ(game::OpeningMoveDone, 1);  // kept for the whole run
    EXPECT_FALSE(game::IsSunk(0, game::kComputerFleet));
}

// --- Placement ---------------------------------------------------------------

TEST_F(Rules, ZoneIsTheShipWithItsRingClippedAtTheEdges)
{
    const struct { ShipPlan ship; int zone; } cases[] = {
        {{9, 9, 1, false}, 4},   // a corner: the square and three neighbours
        {{0, 0, 4, false}, 10},  // along the top edge at the left: 2 x 5
        {{3, 0, 4, false}, 12},  // along the top edge: 2 x 6
        {{4, 3, 3, true}, 15},   // mid-board: 3 x 5
    };
    for (const auto& c : cases) {
        game::ClearModel();
        SCOPED_TRACE(c.ship.x * 10 + c.ship.y);
        game::PlaceShip(game::ShipRectAt(c.ship.x, c.ship.y, c.ship.length, c.ship.vertical), game::kHumanBoard);
        EXPECT_EQ(CountLayer(game::HumanZone), c.zone);
        EXPECT_EQ(CountLayer(game::HumanShips), c.ship.length);
        EXPECT_EQ(CountLayer(game::ComputerZone) + CountLayer(game::ComputerShips), 0);
        // Recorded in the human's fleet from the top-left square on; the
        // slots beyond the length count as hit.
        const int index = c.ship.length == 4 ? 0 : c.ship.length == 3 ? 1 : 6;
        const std::vector<game::CellPos> squares = SquaresOf(c.ship);
        for (int k = 0; k < 4; ++k) {
            const game::CellPos live = game::FleetLive[game::kHumanFleet][index][k];
            const game::CellPos want = k < c.ship.length ? squares[k] : game::CellPos{666, 666};
            EXPECT_TRUE(live.x == want.x && live.y == want.y) << "slot " << k;
        }
    }
}

TEST_F(Rules, TouchingRule)
{
    game::PlaceShip(game::ShipRectAt(4, 4, 2, false), game::kHumanBoard);  // Д5-Е5
    const struct { ShipPlan ship; bool blocked; const char* why; } cases[] = {
        {{6, 5, 1, false}, true, "touches a corner"},
        {{3, 3, 1, false}, true, "touches the other corner"},
        {{6, 4, 1, false}, true, "touches a side"},
        {{4, 4, 1, false}, true, "overlaps"},
        {{3, 1, 3, true}, true, "crosses the ring only"},
        {{7, 4, 1, false}, false, "one square apart"},
        {{4, 6, 3, false}, false, "one row apart"},
        {{6, 9, 4, false}, false, "reaches К10"},
        {{7, 9, 4, false}, true, "beyond the right edge"},
        {{9, 8, 3, true}, true, "beyond the bottom edge"},
        {{10, 0, 1, false}, true, "off the board"},
        {{0, 0, 5, false}, true, "no ship is five long"},
    };
    for (const auto& c : cases) {
        const auto r = game::ShipRectAt(c.ship.x, c.ship.y, c.ship.length, c.ship.vertical);
        EXPECT_EQ(game::PositionBlocked(r, game::kHumanBoard), c.blocked) << c.why;
    }
    EXPECT_FALSE(game::PositionBlocked(game::ShipRectAt(4, 4, 2, false), game::kComputerBoard));
}

TEST_F(Rules, FleetIndexesByLengthOrByTheShipBeingPlaced)
{
    // Out of index order, each length counts its own ships.
    const Fleet order = {{9, 9, 1, false}, {2, 0, 2, false}, {6, 0, 1, false}, {0, 2, 3, false}, {5, 2, 4, false},
                         {0, 4, 3, false}, {5, 4, 2, false}, {8, 4, 2, false}};
    for (const ShipPlan& s : order)
        game::PlaceShip(game::ShipRectAt(s.x, s.y, s.length, s.vertical), game::kComputerBoard);
    const int want[] = {6, 3, 7, 1, 0, 2, 4, 5};
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(game::ShipAt(order[i].x, order[i].y, game::kComputerFleet), want[i]) << i;

    // By hand, the human's ship goes under the index chosen in the picker,
    // while the length counter advances all the same.
    game::ResetRecording();
    game::Options.AutoArrange = false;
    game::ShipBeingPlaced = 2;
    game::PlaceShip(game::ShipRectAt(4, 4, 3, false), game::kHumanBoard);
    EXPECT_EQ(game::ShipAt(4, 4, game::kHumanFleet), 2);
    game::Options.AutoArrange = true;
    game::PlaceShip(game::ShipRectAt(0, 8, 3, false), game::kHumanBoard);
    EXPECT_EQ(game::ShipAt(0, 8, game::kHumanFleet), 2);  // the second length-3 index
}

TEST_F(Rules, PickerIndexesAndTheNewGameReset)
{
    const struct { int slot; std::vector<int> indexes; } lengths[] = {
        {0, {0, 0}}, {1, {1, 2, -1}}, {2, {3, 4, 5, -1}}, {3, {6, 7, 8, 9, -1}}, {4, {-1}}, {-1, {-1}}};
    for (const auto& l : lengths)
        for (int want : l.indexes)
            EXPECT_EQ(game::NextChosenShipIndex(l.slot), want) << "slot " << l.slot;

    game::PlacingShip = game::PickerOpen = game::ShipPlaced[3] = 1;
    game::ShipBeingPlaced = 7;
    game::PlacedCount = 4;
    game::ShipsLeftToPlace[2] = 0;
    game::LastMouseCell = 42;
    game::ResetPlacement();
    EXPECT_NE(game::DescribeModel().find("Placement=0,0,0000000000\n"), std::string::npos);
    EXPECT_EQ(game::PickerOpen + game::ShipBeingPlaced, 0);
    EXPECT_EQ(std::vector<int>(game::ShipsLeftToPlace, game::ShipsLeftToPlace + 4), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(std::vector<int>(game::ChosenOfLength, game::ChosenOfLength + 3), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(game::LastMouseCell, 42);
}

// --- Settling a shot ---------------------------------------------------------

class Settle : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        NewGame(true, true);
    }
    static void Sink(int fleetSide, int ship)
    {
        for (const game::CellPos& p : SquaresOf(kFleetA[ship]))
            PreHit(fleetSide, p.x, p.y);
        game::AnnounceSunkShips(fleetSide);
    }
};

TEST_F(Settle, TheRingOfASunkShipIsMarkedAsDone)
{
    const struct { int side, ship, marked; Square corner; } cases[] = {
        {game::kComputerFleet, 9, 4, {8, 8}},   // one square in the corner
        {game::kHumanFleet, 1, 15, {8, 6}},     // three lying mid-board: 5 x 3
        {game::kHumanFleet, 2, 10, {1, 5}},     // three upright at the left edge: 2 x 5
    };
    for (const auto& c : cases) {
        NewGame(true, true);
        Sink(c.side, c.ship);
        const game::BoardId board = c.side == game::kComputerFleet ? game::BoardId::Computer : game::BoardId::Human;
        fx.Take();
        EXPECT_FALSE(game::SettleShot(board));
        EXPECT_EQ(CountLayer(ShotsLayer(c.side)), c.marked) << "ship " << c.ship;
        EXPECT_TRUE(game::IsSet(ShotsLayer(c.side), c.corner.first, c.corner.second));
        EXPECT_EQ(CountLayer(ShotsLayer(1 - c.side)), 0);
        const std::string left = c.side == game::kComputerFleet ? "status1:Компьютер:9" : "status2:Человек:9";
        EXPECT_EQ(fx.Take(), (Events{left, "invalidate:" + Recorder::Name(board)}));
        EXPECT_EQ(game::SkipBackground, 1);
    }
}

TEST_F(Settle, EachSunkShipIsAnnouncedOnceByItsTypeName)
{
    PreHit(game::kComputerFleet, 0, 0);
    game::AnnounceSunkShips(game::kComputerFleet);
    EXPECT_TRUE(fx.events.empty());
    Sink(game::kComputerFleet, 2);
    EXPECT_STREQ(game::SunkShipName, "Эсминец");
    Sink(game::kComputerFleet, 4);
    game::AnnounceSunkShips(game::kComputerFleet);
    EXPECT_STREQ(game::SunkShipName, "Крейсер");
    EXPECT_EQ(fx.events, (Events{"beep", "beep"}));
    EXPECT_EQ(game::ShipSunk[game::kHumanFleet][2], 0);

    for (int i : {0, 1, 3, 5, 6})
        Sink(game::kComputerFleet, i);
    game::SettleShot(game::BoardId::Computer);
    EXPECT_EQ(game::ComputerShipsLeft, 3);
    EXPECT_EQ(game::BattleOn, 1);
}

TEST_F(Settle, TheTenthSunkShipEndsTheGameAndCountsItOnce)
{
    const struct { int side, answer; Events events; int manWon, compWon; } cases[] = {
        {game::kComputerFleet, 2, {"status1:Компьютер:0", "sound:118", "ask:131", "endprogram", "invalidate:computer"}, 5, 7},
        {game::kHumanFleet, 6, {"status2:Человек:0", "sound:116", "ask:126", "newgame", "invalidate:human"}, 4, 8},
    };
    for (const auto& c : cases) {
        NewGame(true, true);
        game::ManWon = 4;
        game::CompWon = 7;
        fx.answer = c.answer;
        HitAllBut(c.side, {9, 9});
        EXPECT_FALSE(game::SettleShot(c.side ? game::BoardId::Human : game::BoardId::Computer));
        Sink(c.side, 9);
        fx.Take();
        EXPECT_TRUE(game::SettleShot(c.side ? game::BoardId::Human : game::BoardId::Computer));
        EXPECT_EQ(fx.Take(), c.events);
        EXPECT_EQ(game::BattleOn, 0);
        EXPECT_EQ(game::ManWon, c.manWon);
        EXPECT_EQ(game::CompWon, c.compWon);
        EXPECT_EQ(game::RunWins, c.manWon - 4);
        EXPECT_EQ(game::RunLosses, c.compWon - 7);
    }
}

}  // namespace
