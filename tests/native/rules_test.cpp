// The model, the placement rules and the settling of shots.
#include "support.h"

#include "game/describe.h"
#include "game/play.h"

using namespace testing_game;

namespace {

template <class T>
bool AllZero(const T& t)
{
    const auto* p = reinterpret_cast<const char*>(&t);
    return std::all_of(p, p + sizeof t, [](char b) { return b == 0; });
}

class Rules : public GameTest {};

TEST_F(Rules, SquareNamesShipsAndTheirSquares)
{
    const struct { int x, y; const char* name; } names[] = {{3, 9, "Г10"}, {8, 0, "И1"}, {10, 0, ""}, {0, -1, ""}};
    for (const auto& n : names)
        EXPECT_EQ(game::CellName(n.x, n.y), n.name) << n.x << "," << n.y;
    const char* types[] = {"Линкор", "Эсминец", "Эсминец", "Крейсер", "Крейсер", "Крейсер", "Катер", "Катер", "Катер",
                           "Катер", ""};
    const int lengths[] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1, 0};
    for (int i = 0; i <= 10; ++i)
        EXPECT_TRUE(game::ShipTypeName(i) == std::string(types[i]) && game::ShipLength(i) == lengths[i]) << i;

    PlaceFleet(game::kComputerBoard);
    const struct { int x, y, ship; } at[] = {{2, 0, 0}, {7, 5, 1}, {0, 4, 2}, {9, 9, 9}, {4, 4, game::NoShip}};
    for (const auto& a : at)
        EXPECT_EQ(game::ShipAt(a.x, a.y, game::kComputerFleet), a.ship) << a.x << "," << a.y;
    EXPECT_EQ(game::ShipAt(2, 0, game::kHumanFleet), game::NoShip);
    // The unused slots of the short ships hold (0, 0); with no ship on А1 it
    // is no ship's all the same.
    game::ClearModel();
    Fleet moved = kFleetA;
    moved[0].x = 6;
    PlaceFleet(game::kComputerBoard, moved);
    EXPECT_EQ(game::ShipAt(0, 0, game::kComputerFleet), game::NoShip);
}

TEST_F(Rules, ANewGameClearsTheModelButNotTheRun)
{
    NewGame(true, true);
    HitAllBut(game::kComputerFleet, {9, 9});
    game::SettleShot(game::BoardId::Computer);
    game::Hunting = game::OpeningMoveDone = 1;
    game::TargetShip = game::PreviousTargetShip = game::TrailEnd = 2;
    game::NewHumanTurn = 0;
    game::ClearModel();
    EXPECT_TRUE(AllZero(game::Board) && AllZero(game::FleetLayout) && AllZero(game::FleetLive) &&
                AllZero(game::ShipRects) && AllZero(game::ShipSunk) && AllZero(game::SunkAnnounced));
    const std::string d = game::DescribeModel();
    EXPECT_EQ(d.rfind("BattleOn=0\nSquaresLeft=20,20\nShipsLeft=10,10\n", 0), 0u) << d;
    EXPECT_NE(d.find("\nOpponent=0,33,0\n"), std::string::npos) << d;
    EXPECT_NE(d.find("\nHumanFleet=00,00,00,00;00,00,00;00,00,00;00,00;00,00;00,00;00;00;00;00\nShotsAtComputer=" +
                     std::string(100, '0') + "\n"), std::string::npos) << d;
    EXPECT_TRUE(game::PreviousTargetShip == 33 && game::NewHumanTurn == 1 && game::OpeningMoveDone == 1);
    game::PlaceShip(game::ShipRectAt(4, 4, 3, false), game::kComputerBoard);
    EXPECT_EQ(game::ShipAt(4, 4, game::kComputerFleet), 1);  // recording starts afresh

}

// A paint lowers SkipBackground; a board that cannot paint now (hidden)
// must not leave it raised for the next paint of either board, and is
// painted whole when it shows again.
TEST_F(Rules, AShotAtAHiddenBoardLeavesItForAWholePaint)
{
    fx.boardsShown = false;
    for (game::BoardId board : {game::BoardId::Human, game::BoardId::Computer}) {
        game::ShowShot(board);
        EXPECT_EQ(fx.Take(), (Events{"repaint:" + Recorder::Name(board), "invalidate:" + Recorder::Name(board)}));
        EXPECT_EQ(game::SkipBackground, 0);
    }
    fx.boardsShown = true;
    game::ShowShot(game::BoardId::Computer);
    EXPECT_EQ(fx.Take(), (Events{"repaint:computer"}));
}

TEST_F(Rules, TouchingRule)
{
    game::PlaceShip(game::ShipRectAt(4, 4, 2, false), game::kHumanBoard);  // Д5-Е5
    const struct { ShipPlan ship; bool blocked; const char* why; } cases[] = {
        {{6, 5, 1, false}, true, "touches a corner"}, {{3, 3, 1, false}, true, "touches the other corner"},
        {{6, 4, 1, false}, true, "touches a side"},   {{4, 4, 1, false}, true, "overlaps"},
        {{3, 1, 3, true}, true, "crosses the ring"},  {{7, 4, 1, false}, false, "one square apart"},
        {{4, 6, 3, false}, false, "one row apart"},   {{6, 9, 4, false}, false, "reaches К10"},
        {{7, 9, 4, false}, true, "beyond the right"}, {{9, 8, 3, true}, true, "beyond the bottom"},
        {{10, 0, 1, false}, true, "off the board"},   {{0, 0, 5, false}, true, "five long"}};
    for (const auto& c : cases)
        EXPECT_EQ(game::PositionBlocked(RectOf(c.ship), game::kHumanBoard), c.blocked) << c.why;
    EXPECT_FALSE(game::PositionBlocked(game::ShipRectAt(4, 4, 2, false), game::kComputerBoard));
}

game::BoardId BoardOf(int side) { return side == game::kHumanFleet ? game::BoardId::Human : game::BoardId::Computer; }

TEST_F(Rules, TheRingOfASunkShipIsMarkedAsDone)
{
    const struct { int side, ship, marked; Square corner; } cases[] = {
        {game::kComputerFleet, 9, 4, {8, 8}},  // one square in the corner
        {game::kHumanFleet, 1, 15, {8, 6}},    // three lying mid-board: 5 x 3
        {game::kHumanFleet, 2, 10, {1, 5}},    // three upright at the left edge: 2 x 5
    };
    for (const auto& c : cases) {
        NewGame(true, true);
        for (const game::CellPos& p : SquaresOf(kFleetA[c.ship]))
            PreHit(c.side, p.x, p.y);
        game::AnnounceSunkShips(c.side);
        EXPECT_STREQ(game::SunkShipName, game::ShipTypeName(c.ship));
        EXPECT_FALSE(game::SettleShot(BoardOf(c.side)));
        EXPECT_EQ(CountLayer(ShotsLayer(c.side)), c.marked) << "ship " << c.ship;
        EXPECT_TRUE(game::IsSet(ShotsLayer(c.side), c.corner.first, c.corner.second));
        EXPECT_EQ(CountLayer(ShotsLayer(1 - c.side)), 0);
        const std::string left = c.side == game::kHumanFleet ? "status2:Человек:9" : "status1:Компьютер:9";
        EXPECT_EQ(fx.Take(), (Events{"beep", left, "invalidate:" + Recorder::Name(BoardOf(c.side))}));
        game::AnnounceSunkShips(c.side);  // announced once
        EXPECT_TRUE(fx.events.empty() && game::SkipBackground == 1);
    }
}

TEST_F(Rules, TheTenthSunkShipEndsTheGameAndCountsItOnce)
{
    const struct { int side; game::Answer answer; Events events; int manWon, compWon; } cases[] = {
        {game::kComputerFleet, game::Answer::Stop,
         {"status1:Компьютер:0", "sound:won", "ask:won", "endprogram", "invalidate:computer"}, 5, 7},
        {game::kHumanFleet, game::Answer::PlayAgain,
         {"status2:Человек:0", "sound:lost", "ask:lost", "newgame", "invalidate:human"}, 4, 8},
    };
    for (const auto& c : cases) {
        NewGame(true, true);
        game::ManWon = 4;
        game::CompWon = 7;
        fx.answer = c.answer;
        HitAllBut(c.side, {9, 9});
        EXPECT_FALSE(game::SettleShot(BoardOf(c.side)));
        EXPECT_EQ(c.side ? game::HumanShipsLeft : game::ComputerShipsLeft, 1);
        PreHit(c.side, 9, 9);
        game::AnnounceSunkShips(c.side);
        fx.Take();
        EXPECT_TRUE(game::SettleShot(BoardOf(c.side)));
        EXPECT_EQ(fx.Take(), c.events);
        EXPECT_EQ(fx.totalsWhenAsked, c.manWon + c.compWon) << "counted before the question";
        EXPECT_EQ(game::BattleOn, 0);
        EXPECT_TRUE(game::ManWon == c.manWon && game::RunWins == c.manWon - 4);
        EXPECT_TRUE(game::CompWon == c.compWon && game::RunLosses == c.compWon - 7);
    }
}

}  // namespace
