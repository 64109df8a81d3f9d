// Announcing sunk ships, rings, ships left and the end of the game.
#include "game_support.h"

using namespace testing_game;

namespace {

class SettleTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        PlaceBothFleets();
        game::BattleOn = 1;
    }
    // Hits every square of a ship of the computer's fleet, as shots would.
    void SinkComputerShip(int i)
    {
        for (const game::CellPos& p : SquaresOf(kFleetA[i]))
            PreHit(game::kComputerFleet, p.x, p.y);
    }
    void SinkHumanShip(int i)
    {
        for (const game::CellPos& p : SquaresOf(kFleetA[i]))
            PreHit(game::kHumanFleet, p.x, p.y);
    }
};

TEST_F(SettleTest, AnnounceNamesAndBeepsOncePerShip)
{
    SinkComputerShip(2);
    game::AnnounceSunkShips(game::kComputerFleet);
    EXPECT_STREQ(game::SunkShipName, "Эсминец");
    EXPECT_EQ(game::ShipSunk[0][2], 1);
    EXPECT_EQ(game::SunkAnnounced[0][2], 1);
    EXPECT_EQ(fx.events, (std::vector<std::string>{"beep"}));
    game::AnnounceSunkShips(game::kComputerFleet);
    EXPECT_EQ(fx.Count("beep"), 1);

    SinkComputerShip(4);
    game::AnnounceSunkShips(game::kComputerFleet);
    EXPECT_STREQ(game::SunkShipName, "Крейсер");
    EXPECT_EQ(fx.Count("beep"), 2);
    // The other fleet is untouched.
    EXPECT_EQ(game::ShipSunk[1][2], 0);
}

TEST_F(SettleTest, HitWithoutSinkingAnnouncesNothing)
{
    PreHit(game::kComputerFleet, 0, 0);
    game::AnnounceSunkShips(game::kComputerFleet);
    EXPECT_TRUE(fx.events.empty());
    EXPECT_EQ(game::ShipSunk[0][0], 0);
}

TEST_F(SettleTest, CornerOneSquareShipMarksItsSquareAndThreeNeighbours)
{
    SinkComputerShip(9);
    game::AnnounceSunkShips(game::kComputerFleet);
    fx.Clear();
    EXPECT_FALSE(game::SettleShot(game::BoardId::Computer));
    EXPECT_EQ(CountLayer(game::ShotsAtComputer), 4);
    EXPECT_TRUE(game::IsSet(game::ShotsAtComputer, 8, 8));
    EXPECT_TRUE(game::IsSet(game::ShotsAtComputer, 8, 9));
    EXPECT_TRUE(game::IsSet(game::ShotsAtComputer, 9, 8));
    EXPECT_EQ(game::ComputerShipsLeft, 9);
    EXPECT_EQ(fx.events,
              (std::vector<std::string>{"status1:Компьютер:9", "invalidate:computer:erase"}));
    EXPECT_EQ(game::SkipBackground, 1);
}

TEST_F(SettleTest, MidBoardHorizontalThreeSquareShipMarksFifteenSquares)
{
    SinkHumanShip(1);  // Е6-З6
    game::AnnounceSunkShips(game::kHumanFleet);
    fx.Clear();
    EXPECT_FALSE(game::SettleShot(game::BoardId::Human));
    EXPECT_EQ(CountLayer(game::ShotsAtHuman), 15);
    for (int x = 4; x <= 8; ++x)
        for (int y = 4; y <= 6; ++y)
            EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, x, y)) << x << "," << y;
    EXPECT_EQ(CountLayer(game::ShotsAtComputer), 0);
    EXPECT_EQ(game::HumanShipsLeft, 9);
    EXPECT_EQ(fx.events, (std::vector<std::string>{"status2:Человек:9", "invalidate:human:erase"}));
}

TEST_F(SettleTest, VerticalShipRingRunsDownItsColumn)
{
    SinkHumanShip(2);  // А3-А5
    game::AnnounceSunkShips(game::kHumanFleet);
    game::SettleShot(game::BoardId::Human);
    EXPECT_EQ(CountLayer(game::ShotsAtHuman), 10);  // 2 x 5, column off the edge
    EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, 1, 1));
    EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, 1, 5));
    EXPECT_FALSE(game::IsSet(game::ShotsAtHuman, 2, 5));
}

TEST_F(SettleTest, SeventhSunkShipLeavesThree)
{
    for (int i = 0; i < 7; ++i)
        SinkComputerShip(i);
    game::AnnounceSunkShips(game::kComputerFleet);
    fx.Clear();
    game::SettleShot(game::BoardId::Computer);
    EXPECT_EQ(fx.events.front(), "status1:Компьютер:3");
    EXPECT_EQ(game::ComputerShipsLeft, 3);
    EXPECT_EQ(game::BattleOn, 1);
}

TEST_F(SettleTest, HumanSinksTheTenthShipAndWins)
{
    for (int i = 0; i < 10; ++i)
        SinkComputerShip(i);
    game::AnnounceSunkShips(game::kComputerFleet);
    fx.Clear();
    fx.answer = game::Answer::Stop;
    EXPECT_TRUE(game::SettleShot(game::BoardId::Computer));
    EXPECT_EQ(fx.events, (std::vector<std::string>{"status1:Компьютер:0", "sound:won", "ask:won", "endprogram",
                                                   "invalidate:computer:erase"}));
    EXPECT_EQ(game::BattleOn, 0);
    EXPECT_EQ(game::ManWon, 1);
    EXPECT_EQ(fx.totalsWhenAsked, 1);  // counted before the question: a session end keeps it
    EXPECT_EQ(game::RunWins, 1);
    EXPECT_EQ(game::CompWon, 0);
    EXPECT_EQ(game::RunLosses, 0);
}

TEST_F(SettleTest, ComputerSinksTheTenthShipAndTheHumanPlaysAgain)
{
    game::ManWon = 4;
    game::CompWon = 7;
    for (int i = 0; i < 10; ++i)
        SinkHumanShip(i);
    game::AnnounceSunkShips(game::kHumanFleet);
    fx.Clear();
    fx.answer = game::Answer::PlayAgain;
    EXPECT_TRUE(game::SettleShot(game::BoardId::Human));
    EXPECT_EQ(fx.events, (std::vector<std::string>{"status2:Человек:0", "sound:lost", "ask:lost", "newgame",
                                                   "invalidate:human:erase"}));
    EXPECT_EQ(game::ManWon, 4);
    EXPECT_EQ(game::CompWon, 8);
    EXPECT_EQ(game::RunWins, 0);
    EXPECT_EQ(game::RunLosses, 1);
    // Every square of the human's board is done now: ships and their rings.
    EXPECT_GE(CountLayer(game::ShotsAtHuman), 60);
}

TEST_F(SettleTest, NineSunkShipsDoNotEndTheGame)
{
    for (int i = 1; i < 10; ++i)
        SinkComputerShip(i);
    PreHit(game::kComputerFleet, 0, 0);
    PreHit(game::kComputerFleet, 1, 0);
    PreHit(game::kComputerFleet, 2, 0);
    game::AnnounceSunkShips(game::kComputerFleet);
    EXPECT_FALSE(game::SettleShot(game::BoardId::Computer));
    EXPECT_EQ(fx.asked, 0);
    EXPECT_EQ(game::ComputerShipsLeft, 1);
    EXPECT_EQ(game::BattleOn, 1);
}

TEST_F(SettleTest, ShipsLeftTexts)
{
    game::ComputerShipsLeft = 7;
    game::HumanShipsLeft = 10;
    EXPECT_EQ(game::ShipsLeftText(game::StatusPart::ComputerShips), "Компьютер:7");
    EXPECT_EQ(game::ShipsLeftText(game::StatusPart::HumanShips), "Человек:10");
    EXPECT_EQ(game::ShipsLeftText(game::StatusPart::Text), "");
}

}  // namespace

// A hidden board gets no paint for a shot: the flag must not stay raised for
// the next paint of either board, and the board is painted whole when shown.
TEST_F(SettleTest, ShotAtAHiddenBoardLeavesItForAWholePaint)
{
    fx.boardsShown = false;
    for (game::BoardId board : {game::BoardId::Human, game::BoardId::Computer}) {
        fx.Clear();
        game::ShowShot(board);
        const std::string name = BoardName(board);
        EXPECT_EQ(fx.events, (std::vector<std::string>{"repaint:" + name, "invalidate:" + name + ":erase"}));
        EXPECT_EQ(game::SkipBackground, 0);
    }
    fx.boardsShown = true;
    fx.Clear();
    game::ShowShot(game::BoardId::Computer);
    EXPECT_EQ(fx.events, (std::vector<std::string>{"repaint:computer"}));
}
