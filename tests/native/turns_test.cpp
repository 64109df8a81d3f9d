// Shots, turns and salvo, as the sequences of effects they make.
#include "support.h"

using namespace testing_game;

namespace {

const std::string kStart = "status0:Подбивайте корабли противника, щелкая левой кнопкой по его полю.";
const std::string kHumanLeft = "ccap:Человек - осталось ходов - ";
const std::string kComputerAll = "hcap:Компьютер - всего ходов - ";
const std::string kPause = "pause:300";
// The human's shot at Д5, and the computer's miss at Д8: both water in kFleetA.
const Events kHumanShotД5 = {"status1:Компьютер:10", "invalidate:computer", "repaint:computer", "comment:Ваш ход - Д5",
                              kPause};
const Events kComputerMissД8 = {"status2:Человек:10", "invalidate:human", "repaint:human", "comment:Мой ход - Д8",
                                 kPause};

Events Join(std::initializer_list<Events> parts)
{
    Events all;
    for (const Events& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The computer's fleet is kFleetA; the human's is placed where a test needs it.
class Turns : public GameTest {
protected:
    void SetUp() override { GameTest::SetUp(); NewGame(false, true); }
};

TEST_F(Turns, OnlyGridClicksInABattleAreShotsAHitKeepsTheTurnAndAMissHandsItOver)
{
    game::BattleOn = 0;
    game::HumanShot(0, 0);
    game::BattleOn = 1;
    for (const Square& p : {Square{170, 5}, Square{5, 170}, Square{-1, 5}, Square{5, -3}})
        game::HumanShot(p.first, p.second);
    EXPECT_TRUE(fx.events.empty());

    // A second in which the computer's random draw takes Е6 (a ship square)
    // before Д6, the only free squares.
    PlaceFleet(game::kHumanBoard);
    LeaveHumanFree({{5, 5}, {4, 5}});
    fx.seconds = SecondWhere([] {
        for (;;) {
            const int x = (game::RandomValue() - 1) * 10 / 32767, y = (game::RandomValue() - 1) * 10 / 32767;
            if (!game::IsSet(game::ShotsAtHuman, x, y))
                return x == 5;
        }
    });
    const std::uint32_t t0 = fx.ticks;
    Click(4, 4);
    const Events hitЕ6 = {"status2:Человек:10", "invalidate:human", "repaint:human", "comment:Мой ход - Е6", kPause,
                          "comment:Мой ход - Е6 - попал", kPause};
    const Events missД6 = {"status2:Человек:10", "invalidate:human", "repaint:human", "comment:Мой ход - Д6", kPause};
    EXPECT_EQ(fx.Take(), Join({{kHumanLeft + "0", "status0:Попадание!"}, kHumanShotД5, {"status0:Промах..."},
                               {kHumanLeft + "0", kPause}, hitЕ6, {kHumanLeft + "0", kPause}, missД6,
                               {"comment:Ваш ход", kHumanLeft + "1"}}));
    // Each shot of the turn is stamped anew: only the last one's interval stays.
    EXPECT_TRUE(game::ComputerTurnStartTick == t0 + 4 * 300 && game::ComputerTurnEndTick == t0 + 6 * 300);

    game::HumanShot(0, 0);
    game::HumanShot(169, 169);
    const Events hitА1 = {"status1:Компьютер:10", "invalidate:computer", "repaint:computer", "comment:Ваш ход - А1",
                          kPause, "comment:Ваш ход - А1 - попадание", kPause};
    const Events sinkК10 = {"beep", "status1:Компьютер:9", "invalidate:computer", "repaint:computer",
                            "comment:Ваш ход - К10", kPause, "comment:Ваш ход - К10 - попадание", kPause,
                            "comment:Ваш ход - К10 - потоплен Катер"};
    EXPECT_EQ(fx.Take(), Join({{kHumanLeft + "0", "status0:Попадание!"}, hitА1, {kHumanLeft + "1"},
                               {kHumanLeft + "0", "status0:Попадание!"}, sinkК10, {kHumanLeft + "1"}}));
    EXPECT_STREQ(game::CommentLine, "Ваш ход - К10 - потоплен Катер");
    EXPECT_EQ(CountLayer(game::ShotsAtComputer), 6);  // Д5, А1, and К10 with its ring
}

// Reshot checked refuses a click on a square already shot; unchecked takes
// it as a new shot there.
TEST_F(Turns, RepeatedClicksFollowReshot)
{
    const struct { bool salvo, reshot; Square square; Events events; int shotsUsed; } cases[] = {
        {false, true, {4, 4}, {kHumanLeft + "1"}, 0},
        {false, false, {0, 0}, {kHumanLeft + "0", "status0:Попадание!", "status1:Компьютер:10", "invalidate:computer",
                                "repaint:computer", "comment:Ваш ход - А1", kPause, kHumanLeft + "1"}, 0},
        {true, true, {0, 0}, {}, 0},
        {true, false, {0, 0}, {kHumanLeft + "3", kComputerAll + "5", "status1:Компьютер:10", "invalidate:computer",
                               "repaint:computer", "comment:Ваш ход - А1", kPause}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.salvo ? "salvo" : "single") + (c.reshot ? " reshot " : " ") +
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

// A side has one salvo shot per four of its own un-hit squares, rounded up;
// the human's last shot hands the turn over.
TEST_F(Turns, SalvoCountsDownFromTheShootersOwnSquares)
{
    game::Options.Salvo = true;
    LeaveHumanFree({{4, 7}, {6, 7}, {8, 7}, {4, 9}, {6, 9}, {8, 9}});  // no human ships: the computer's shots miss
    const Square clicks[] = {{4, 4}, {9, 0}, {6, 7}, {8, 7}};
    for (int i = 0; i < 4; ++i) {
        Click(clicks[i].first, clicks[i].second);
        EXPECT_EQ(fx.Take().front(), kHumanLeft + std::to_string(4 - i));
    }
    const std::uint32_t t0 = fx.ticks;
    Click(4, 7);
    const Events e = fx.Take();
    EXPECT_EQ(Events(e.begin(), e.begin() + 10),
              (Events{kHumanLeft + "0", kComputerAll + "5", "status1:Компьютер:10", "invalidate:computer",
                      "repaint:computer", "comment:Ваш ход - Д8", kPause, kPause, "comment:Мой ход", kPause}));
    EXPECT_EQ(std::count(e.begin(), e.end(), "repaint:human"), 5);
    EXPECT_EQ(Events(e.end() - 2, e.end()), (Events{kHumanLeft + "5", "comment:Ваш ход"}));
    // Stamped once around the whole turn, from before its first pause.
    EXPECT_TRUE(game::ComputerTurnStartTick == t0 + 300 && game::ComputerTurnEndTick == fx.ticks);

    const struct { int humanHits, computerHits; int humanShots, computerShots; } cases[] = {
        {13, 4, 2, 4}, {16, 8, 1, 3}};
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
        EXPECT_EQ(std::count(e.begin(), e.end(), "comment:Мой ход"), c.humanShots == 1 ? 1 : 0);
    }
}

TEST_F(Turns, TheComputerOpensOnlyTheFirstGameOfARun)
{
    EXPECT_TRUE(game::StartBattle());
    EXPECT_EQ(fx.Take(), Events{kStart});
    game::Options.FirstShoot = false;
    LeaveHumanFree({{4, 7}});
    const std::uint32_t t0 = fx.ticks;
    EXPECT_TRUE(game::StartBattle());  // without the captions and pauses of a turn
    EXPECT_EQ(fx.Take(), Join({kComputerMissД8, {"comment:Ваш ход", kStart}}));
    EXPECT_TRUE(game::ComputerTurnStartTick == t0 && game::ComputerTurnEndTick == t0 + 300);
    EXPECT_TRUE(game::StartBattle());  // the next game of the run: the human opens
    EXPECT_EQ(fx.Take(), Events{kStart});

    NewGame(false, true);  // in salvo mode, five shots
    game::Options.FirstShoot = false;
    game::Options.Salvo = true;
    LeaveHumanFree({{4, 7}, {6, 7}, {8, 7}, {4, 9}, {6, 9}, {8, 9}});
    EXPECT_TRUE(game::StartBattle());
    const Events e = fx.Take();
    EXPECT_EQ(std::count(e.begin(), e.end(), "repaint:human"), 5);
    EXPECT_EQ(Events(e.end() - 5, e.end()),
              (Events{kComputerAll + "5", kHumanLeft + "5", kStart, kPause, "comment:Ваш ход"}));
    EXPECT_EQ(game::ComputerTurnEndTick - game::ComputerTurnStartTick, 6 * 300u);
}

}  // namespace
