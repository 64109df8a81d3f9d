// Shots, turns and salvo, as the sequences of effects they make.
#include "support.h"

using namespace testing_game;

namespace {

const std::string kStart = "status0:Подбивайте корабли противника, щелкая левой кнопкой по его полю.";
const std::string kHumanLeft = "ccap:Человек - осталось ходов - ";
const std::string kComputerAll = "hcap:Компьютер - всего ходов - ";
// The human's miss at Д5 and a computer miss at Д8, both water in kFleetA.
const Events kHumanMissД5 = {"status1:Компьютер:10", "invalidate:computer", "repaint:computer",
                              "comment:Ваш ход - Д5", "pause:300"};
const Events kComputerMissД8 = {"status2:Человек:10", "invalidate:human", "repaint:human", "comment:Мой ход - Д8",
                                 "pause:300"};

Events Join(std::initializer_list<Events> parts)
{
    Events all;
    for (const Events& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

class Turns : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        NewGame(false, true);
    }
    // A second in which the computer's random draw takes Е6 (a ship square)
    // before Д6 (water), the only free squares.
    void ComputerHitsЕ6ThenMissesД6()
    {
        PlaceFleet(game::kHumanBoard);
        fx.seconds = SecondWhere([] {
            for (;;) {
                const int x = (game::RandomValue() - 1) * 10 / 32767, y = (game::RandomValue() - 1) * 10 / 32767;
                if (y == 5 && (x == 4 || x == 5))
                    return x == 5;
            }
        });
        LeaveHumanFree({{5, 5}, {4, 5}});
    }
};

TEST_F(Turns, ClicksOffTheGridOrOutsideABattleAreNoShots)
{
    const int c = game::CellSize;
    for (const Square& p : {Square{10 * c, 5}, Square{5, 10 * c}, Square{-1, 5}, Square{5, -3}})
        game::HumanShot(p.first, p.second);
    game::BattleOn = 0;
    Click(0, 0);
    EXPECT_TRUE(fx.events.empty());
    game::BattleOn = 1;
    game::HumanShot(0, 0);
    game::HumanShot(10 * c - 1, 10 * c - 1);
    EXPECT_EQ(CountLayer(game::ShotsAtComputer), 5);  // А1, and К10 with its ring
}

TEST_F(Turns, SingleShotHitsKeepTheTurn)
{
    const struct { Square square; Events events; } cases[] = {
        {{0, 0}, {"status1:Компьютер:10", "invalidate:computer", "repaint:computer", "comment:Ваш ход - А1",
                  "pause:300", "comment:Ваш ход - А1 - попадание", "pause:300"}},
        {{9, 9}, {"beep", "status1:Компьютер:9", "invalidate:computer", "repaint:computer", "comment:Ваш ход - К10",
                  "pause:300", "comment:Ваш ход - К10 - попадание", "pause:300",
                  "comment:Ваш ход - К10 - потоплен Катер"}},
    };
    for (const auto& c : cases) {
        Click(c.square.first, c.square.second);
        EXPECT_EQ(fx.Take(), Join({{kHumanLeft + "0", "status0:Попадание!"}, c.events, {kHumanLeft + "1"}}));
    }
    EXPECT_STREQ(game::CommentLine, "Ваш ход - К10 - потоплен Катер");
}

TEST_F(Turns, AMissHandsTheTurnOverAndTheComputerShootsUntilItMisses)
{
    ComputerHitsЕ6ThenMissesД6();
    const std::uint32_t t0 = fx.ticks;
    Click(4, 4);
    const Events computerTurn = {kHumanLeft + "0", "pause:300", "status2:Человек:10", "invalidate:human",
                                 "repaint:human", "comment:Мой ход - Е6", "pause:300", "comment:Мой ход - Е6 - попал",
                                 "pause:300", kHumanLeft + "0", "pause:300", "status2:Человек:10",
                                 "invalidate:human", "repaint:human", "comment:Мой ход - Д6", "pause:300"};
    EXPECT_EQ(fx.Take(), Join({{kHumanLeft + "0", "status0:Попадание!"}, kHumanMissД5, {"status0:Промах..."},
                               computerTurn, {"comment:Ваш ход", kHumanLeft + "1"}}));
    // Each shot of the turn is stamped anew: only the last one's interval stays.
    EXPECT_EQ(game::ComputerTurnStartTick, t0 + 4 * 300);
    EXPECT_EQ(game::ComputerTurnEndTick, t0 + 6 * 300);
    EXPECT_EQ(game::Hunting, 1);
}

// Reshot checked refuses a click on a square already shot; unchecked takes
// it as a new shot there.
TEST_F(Turns, RepeatedClicksFollowReshot)
{
    const struct { bool salvo, reshot; Square square; Events events; int shotsUsed; } cases[] = {
        {false, true, {0, 0}, {kHumanLeft + "1"}, 0},
        {false, true, {4, 4}, {kHumanLeft + "1"}, 0},
        {false, false, {0, 0}, {kHumanLeft + "0", "status0:Попадание!", "status1:Компьютер:10", "invalidate:computer",
                                "repaint:computer", "comment:Ваш ход - А1", "pause:300", kHumanLeft + "1"}, 0},
        {false, false, {4, 4}, Join({{kHumanLeft + "0", "status0:Попадание!"}, kHumanMissД5,
                                     {"status0:Промах...", kHumanLeft + "0", "pause:300"}, kComputerMissД8,
                                     {"comment:Ваш ход", kHumanLeft + "1"}}), 0},
        {true, true, {0, 0}, {}, 0},
        {true, false, {0, 0}, {kHumanLeft + "3", kComputerAll + "5", "status1:Компьютер:10", "invalidate:computer",
                               "repaint:computer", "comment:Ваш ход - А1", "pause:300"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.salvo ? "salvo" : "single") + (c.reshot ? " reshot" : "") + " " +
                     game::CellName(c.square.first, c.square.second));
        NewGame(false, true);
        game::Options.Salvo = c.salvo;
        game::Options.Reshot = c.reshot;
        LeaveHumanFree({{4, 7}});
        Click(c.square.first, c.square.second);
        LeaveHumanFree({{4, 7}});
        fx.Take();
        const int shotsLeft = game::ShotsLeft;
        Click(c.square.first, c.square.second);
        EXPECT_EQ(fx.Take(), c.events);
        EXPECT_EQ(shotsLeft - game::ShotsLeft, c.shotsUsed);
    }
}

TEST_F(Turns, SalvoCountsDownAndTheLastShotHandsTheTurnOver)
{
    game::Options.Salvo = true;
    LeaveHumanFree({{4, 7}, {6, 7}, {8, 7}, {4, 9}, {6, 9}});  // the computer's five shots all miss
    const Square clicks[] = {{4, 4}, {9, 0}, {6, 7}, {8, 7}, {4, 7}};
    for (int i = 0; i < 4; ++i) {
        Click(clicks[i].first, clicks[i].second);
        EXPECT_EQ(fx.Take().front(), kHumanLeft + std::to_string(4 - i));
    }
    const std::uint32_t t0 = fx.ticks;
    Click(4, 7);
    const Events e = fx.Take();
    EXPECT_EQ(Events(e.begin(), e.begin() + 10),
              (Events{kHumanLeft + "0", kComputerAll + "5", "status1:Компьютер:10", "invalidate:computer",
                      "repaint:computer", "comment:Ваш ход - Д8", "pause:300", "pause:300", "comment:Мой ход",
                      "pause:300"}));
    EXPECT_EQ(std::count(e.begin(), e.end(), "repaint:human"), 5);
    EXPECT_EQ(Events(e.end() - 2, e.end()), (Events{kHumanLeft + "5", "comment:Ваш ход"}));
    // Stamped once around the whole turn, from before its first pause.
    EXPECT_EQ(game::ComputerTurnStartTick, t0 + 300);
    EXPECT_EQ(game::ComputerTurnEndTick, fx.ticks);
    Click(2, 9);  // a new turn with a fresh allowance
    EXPECT_EQ(fx.Take().front(), kHumanLeft + "4");
}

// A side has one salvo shot per four of its own un-hit squares, rounded up.
TEST_F(Turns, SalvoAllowancesFollowTheShootersOwnSquares)
{
    const struct { int humanHits, computerHits; int humanShots, computerShots; } cases[] = {
        {0, 0, 5, 5}, {13, 4, 2, 4}, {16, 8, 1, 3}};
    for (const auto& c : cases) {
        NewGame(true, true);
        game::Options.Salvo = true;
        int n[2] = {c.computerHits, c.humanHits};
        for (const ShipPlan& s : kFleetA)
            for (const game::CellPos& p : SquaresOf(s))
                for (int side : {game::kComputerFleet, game::kHumanFleet})
                    if (n[side] > 0 && p.x < 9 && n[side]--)
                        PreHit(side, p.x, p.y);
        Click(9, 9);  // a hit: the computer keeps 19 - computerHits squares
        const Events e = fx.Take();
        EXPECT_EQ(e[0], kHumanLeft + std::to_string(c.humanShots - 1)) << c.humanHits;
        EXPECT_EQ(e[1], kComputerAll + std::to_string(c.computerShots)) << c.computerHits;
        EXPECT_EQ(fx.Exactly("comment:Мой ход"), c.humanShots == 1 ? 1 : 0);
    }
    // Switched to salvo mid-turn, the count goes on from where it stands.
    NewGame(false, true);
    game::NewHumanTurn = 0;
    game::ShotsLeft = 3;
    game::Options.Salvo = true;
    Click(4, 4);
    EXPECT_EQ(fx.Take().front(), kHumanLeft + "2");
}

TEST_F(Turns, TheShotThatEndsTheGameIsTheLastOne)
{
    for (bool salvo : {false, true})
        for (int loser : {game::kComputerFleet, game::kHumanFleet}) {
            SCOPED_TRACE(std::string(salvo ? "salvo, " : "single, ") + (loser ? "human" : "computer") + " sunk");
            NewGame(true, true);
            game::Options.Salvo = salvo;
            game::NewHumanTurn = 0;
            game::ShotsLeft = 1;
            HitAllBut(loser, {9, 9});
            LeaveHumanFree({{9, 9}, {4, 7}});
            game::Options.ProphyUser = 2;  // the computer finishes К10 at once
            game::Hunting = 1;
            game::TargetShip = 9;
            fx.Take();
            Click(loser == game::kComputerFleet ? 9 : 4, 4 + 5 * (loser == game::kComputerFleet));
            EXPECT_EQ(fx.Count("ask:"), 1);
            EXPECT_EQ(fx.Count("repaint:human"), loser == game::kHumanFleet ? 1 : 0);
            EXPECT_EQ(fx.Exactly("comment:Мой ход"), salvo && loser == game::kHumanFleet ? 1 : 0);
            EXPECT_EQ(game::ManWon + game::RunWins, loser == game::kComputerFleet ? 2 : 0);
            EXPECT_EQ(game::CompWon + game::RunLosses, loser == game::kHumanFleet ? 2 : 0);
            fx.Take();
            Click(0, 9);
            EXPECT_TRUE(fx.Take().empty());
        }
}

TEST_F(Turns, TheComputerOpensOnlyTheFirstGameOfARun)
{
    EXPECT_TRUE(game::StartBattle());
    EXPECT_EQ(fx.Take(), Events{kStart});

    game::Options.FirstShoot = false;
    LeaveHumanFree({{4, 7}});
    const std::uint32_t t0 = fx.ticks;
    EXPECT_TRUE(game::StartBattle());
    EXPECT_EQ(fx.Take(), Join({kComputerMissД8, {"comment:Ваш ход", kStart}}));
    EXPECT_EQ(game::ComputerTurnStartTick, t0);
    EXPECT_EQ(game::ComputerTurnEndTick, t0 + 300);
    EXPECT_TRUE(game::StartBattle());  // the next game of the run: the human opens
    EXPECT_EQ(fx.Take(), Events{kStart});

    // In single-shot mode the opening goes on while it hits, without the
    // captions and pauses of a turn.
    NewGame(false, true);
    game::Options.FirstShoot = false;
    ComputerHitsЕ6ThenMissesД6();
    game::StartBattle();
    EXPECT_EQ(fx.Count("repaint:human"), 2);
    EXPECT_EQ(fx.Count("ccap:") + fx.Count("pause:"), 3);

    // In salvo mode it is five shots.
    NewGame(false, true);
    game::Options.FirstShoot = false;
    game::Options.Salvo = true;
    LeaveHumanFree({{4, 7}, {6, 7}, {8, 7}, {4, 9}, {6, 9}, {8, 9}});
    EXPECT_TRUE(game::StartBattle());
    const Events e = fx.Take();
    EXPECT_EQ(std::count(e.begin(), e.end(), "repaint:human"), 5);
    EXPECT_EQ(Events(e.end() - 5, e.end()),
              (Events{kComputerAll + "5", kHumanLeft + "5", kStart, "pause:300", "comment:Ваш ход"}));
    EXPECT_EQ(game::ComputerTurnEndTick - game::ComputerTurnStartTick, 6 * 300u);
}

}  // namespace
