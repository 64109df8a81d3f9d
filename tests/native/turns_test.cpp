// Shots, turns and salvo, as exact sequences of effects.
#include "game_support.h"

#include <algorithm>

#include "game/random.h"

using namespace testing_game;

namespace {

using V = std::vector<std::string>;
using Square = std::pair<int, int>;

const std::string kStart = "status0:Подбивайте корабли противника, щелкая левой кнопкой по его полю.";

class TurnsTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        PlaceBothFleets();
        game::BattleOn = 1;
    }
    // Marks every square of the human's board as done except the given ones,
    // so that the computer's random shots are known.
    static void LeaveHumanFree(std::initializer_list<Square> free)
    {
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                game::BoardAt(game::ShotsAtHuman, x, y) =
                    std::find(free.begin(), free.end(), Square{x, y}) == free.end();
    }
    // The first square of the computer's random draw in a calendar second
    // that is among `free`.
    static Square FirstRandomSquare(std::uint32_t second, std::initializer_list<Square> free)
    {
        game::SeedRandom(second);
        game::RandomValue();
        for (;;) {
            const int x = (game::RandomValue() - 1) * 10 / 32767;
            const int y = (game::RandomValue() - 1) * 10 / 32767;
            if (std::find(free.begin(), free.end(), Square{x, y}) != free.end())
                return Square{x, y};
        }
    }
    std::size_t mark = 0;
    void Mark() { mark = fx.events.size(); }
    V Events() const { return Since(fx, mark); }
};

// A computer miss at Д8 (water in kFleetA) as the recorder sees it.
const V kComputerMissД8 = {"status2:Человек:10", "invalidate:human:erase", "repaint:human", "comment:Мой ход - Д8",
                           "pause:300"};

// --- Clicks that are no shots ----------------------------------------------------

TEST_F(TurnsTest, ClicksOutsideTheGridOrBeforeTheBattleDoNothing)
{
    const int c = game::CellSize;
    game::HumanShot(10 * c, 5);
    game::HumanShot(5, 10 * c);
    game::HumanShot(-1, 5);
    game::HumanShot(5, -3);
    EXPECT_TRUE(fx.events.empty());
    EXPECT_EQ(CountLayer(game::ShotsAtComputer), 0);
    game::BattleOn = 0;
    Click(0, 0);
    EXPECT_TRUE(fx.events.empty());
    game::BattleOn = 1;
    game::HumanShot(10 * c - 1, 10 * c - 1);  // the last pixel is square К10
    EXPECT_TRUE(game::IsSet(game::ShotsAtComputer, 9, 9));
}

// --- Single-shot mode ------------------------------------------------------------

TEST_F(TurnsTest, SingleShotHitKeepsTheTurn)
{
    Click(0, 0);
    EXPECT_EQ(fx.events, (V{"ccap:Человек - осталось ходов - 0", "status0:Попадание!", "status1:Компьютер:10",
                            "invalidate:computer:erase", "repaint:computer", "comment:Ваш ход - А1", "pause:300",
                            "comment:Ваш ход - А1 - попадание", "pause:300", "ccap:Человек - осталось ходов - 1"}));
    EXPECT_EQ(CountLayer(game::ShotsAtHuman), 0);
    EXPECT_STREQ(game::CommentLine, "Ваш ход - А1 - попадание");
}

TEST_F(TurnsTest, SinkingShotGivesThreeCommentLinesAndOneBeep)
{
    Click(9, 9);
    EXPECT_EQ(fx.events, (V{"ccap:Человек - осталось ходов - 0", "status0:Попадание!", "beep", "status1:Компьютер:9",
                            "invalidate:computer:erase", "repaint:computer", "comment:Ваш ход - К10", "pause:300",
                            "comment:Ваш ход - К10 - попадание", "pause:300", "comment:Ваш ход - К10 - потоплен Катер",
                            "ccap:Человек - осталось ходов - 1"}));
    EXPECT_EQ(CountLayer(game::ShotsAtComputer), 4);  // the square and its ring
}

TEST_F(TurnsTest, SingleShotMissHandsTheTurnToTheComputerUntilItMisses)
{
    LeaveHumanFree({{4, 7}});
    const std::uint32_t t0 = fx.ticks;
    Click(4, 4);
    V expected = {"ccap:Человек - осталось ходов - 0", "status0:Попадание!", "status1:Компьютер:10",
                  "invalidate:computer:erase", "repaint:computer", "comment:Ваш ход - Д5", "pause:300",
                  "status0:Промах...", "ccap:Человек - осталось ходов - 0", "pause:300"};
    expected.insert(expected.end(), kComputerMissД8.begin(), kComputerMissД8.end());
    expected.push_back("comment:Ваш ход");
    expected.push_back("ccap:Человек - осталось ходов - 1");
    EXPECT_EQ(fx.events, expected);
    EXPECT_EQ(game::ComputerTurnStartTick, t0 + 300);
    EXPECT_EQ(game::ComputerTurnEndTick, t0 + 900);
}

TEST_F(TurnsTest, SingleShotComputerHitShootsAgainAndStampsEachShot)
{
    // Find a second whose random draw takes Е6 (a ship square) before Д6.
    std::uint32_t second = 1;
    while (FirstRandomSquare(second, {{5, 5}, {4, 5}}) != Square{5, 5})
        ++second;
    fx.seconds = second;
    LeaveHumanFree({{5, 5}, {4, 5}});
    Click(4, 4);
    const auto it = std::find(fx.events.begin(), fx.events.end(), "status0:Промах...");
    ASSERT_NE(it, fx.events.end());
    const V turn(it + 1, fx.events.end());
    EXPECT_EQ(turn, (V{"ccap:Человек - осталось ходов - 0", "pause:300", "status2:Человек:10",
                       "invalidate:human:erase", "repaint:human", "comment:Мой ход - Е6", "pause:300",
                       "comment:Мой ход - Е6 - попал", "pause:300", "ccap:Человек - осталось ходов - 0",
                       "pause:300", "status2:Человек:10", "invalidate:human:erase", "repaint:human",
                       "comment:Мой ход - Д6", "pause:300", "comment:Ваш ход",
                       "ccap:Человек - осталось ходов - 1"}));
    // Only the interval of the last shot remains stamped.
    EXPECT_EQ(game::ComputerTurnEndTick - game::ComputerTurnStartTick, 600u);
    EXPECT_EQ(game::Hunting, 1);  // a miss does not end the hunt for Е6's ship
}

TEST_F(TurnsTest, HumanSinkingTheLastShipInSingleShotModeEndsTheGame)
{
    for (int i = 0; i < 10; ++i)
        for (const game::CellPos& p : SquaresOf(kFleetA[i]))
            if (!(p.x == 9 && p.y == 9))
                PreHit(game::kComputerFleet, p.x, p.y);
    game::AnnounceSunkShips(game::kComputerFleet);
    fx.Clear();
    fx.answer = game::Answer::PlayAgain;
    Click(9, 9);
    EXPECT_EQ(fx.events, (V{"ccap:Человек - осталось ходов - 0", "status0:Попадание!", "beep", "status1:Компьютер:0",
                            "sound:won", "ask:won", "newgame", "invalidate:computer:erase", "repaint:computer",
                            "comment:Ваш ход - К10", "pause:300", "comment:Ваш ход - К10 - попадание", "pause:300",
                            "comment:Ваш ход - К10 - потоплен Катер", "ccap:Человек - осталось ходов - 1"}));
    EXPECT_EQ(game::BattleOn, 0);
    EXPECT_EQ(game::ManWon, 1);
    EXPECT_EQ(game::RunWins, 1);
    // A click after the end of the game fires nothing.
    fx.Clear();
    Click(4, 4);
    EXPECT_TRUE(fx.events.empty());
}

TEST_F(TurnsTest, ComputerSinkingTheLastShipStopsItsTurn)
{
    for (int i = 0; i < 10; ++i)
        for (const game::CellPos& p : SquaresOf(kFleetA[i]))
            if (!(p.x == 9 && p.y == 9))
                PreHit(game::kHumanFleet, p.x, p.y);
    game::AnnounceSunkShips(game::kHumanFleet);
    LeaveHumanFree({{9, 9}, {4, 7}});
    game::Options.ProphyUser = 2;
    game::Hunting = 1;
    game::TargetShip = 9;
    fx.Clear();
    Click(4, 4);
    EXPECT_EQ(fx.Count("ask:lost"), 1);
    EXPECT_EQ(fx.Count("sound:lost"), 1);
    EXPECT_EQ(fx.Count("repaint:human"), 1);
    EXPECT_FALSE(game::IsSet(game::ShotsAtHuman, 4, 7));  // no shot after the end
    EXPECT_EQ(fx.events.back(), "ccap:Человек - осталось ходов - 1");
    EXPECT_EQ(game::CompWon, 1);
    EXPECT_EQ(game::RunLosses, 1);
    EXPECT_EQ(game::ManWon + game::RunWins, 0);
}

// --- Reshot, as mended (issue 3): on = refuse, off = a new shot ---------------------

TEST_F(TurnsTest, SingleShotReshotOnRefusesARepeatedHit)
{
    ASSERT_TRUE(game::Options.Reshot);
    Click(0, 0);
    Mark();
    Click(0, 0);
    EXPECT_EQ(Events(), (V{"ccap:Человек - осталось ходов - 1"}));
}

TEST_F(TurnsTest, SingleShotReshotOnRefusesARepeatedMissWithoutLosingTheTurn)
{
    LeaveHumanFree({{4, 7}, {6, 7}});
    Click(4, 4);
    ASSERT_EQ(fx.Count("repaint:human"), 1);
    Mark();
    Click(4, 4);
    EXPECT_EQ(Events(), (V{"ccap:Человек - осталось ходов - 1"}));
    EXPECT_EQ(fx.Count("repaint:human"), 1);  // the computer did not shoot
}

TEST_F(TurnsTest, SingleShotReshotOffTakesARepeatedHitAsANewShot)
{
    game::Options.Reshot = false;
    Click(0, 0);
    Mark();
    Click(0, 0);
    // The square is named only: RegisterHit finds nothing there any more.
    EXPECT_EQ(Events(), (V{"ccap:Человек - осталось ходов - 0", "status0:Попадание!", "status1:Компьютер:10",
                           "invalidate:computer:erase", "repaint:computer", "comment:Ваш ход - А1", "pause:300",
                           "ccap:Человек - осталось ходов - 1"}));
}

TEST_F(TurnsTest, SingleShotReshotOffTakesARepeatedMissAndPassesTheTurn)
{
    game::Options.Reshot = false;
    LeaveHumanFree({{4, 7}, {6, 7}});
    Click(4, 4);
    Mark();
    Click(4, 4);
    const V e = Events();
    EXPECT_EQ(e.front(), "ccap:Человек - осталось ходов - 0");
    EXPECT_NE(std::find(e.begin(), e.end(), "status0:Промах..."), e.end());
    EXPECT_EQ(fx.Count("repaint:human"), 2);
}

TEST_F(TurnsTest, SalvoReshotOnRefusesAndKeepsTheShot)
{
    game::Options.Salvo = true;
    Click(4, 4);
    EXPECT_EQ(game::ShotsLeft, 4);
    Mark();
    Click(4, 4);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(game::ShotsLeft, 4);
    Click(0, 0);
    Click(0, 0);
    EXPECT_EQ(game::ShotsLeft, 3);
    Mark();
    Click(9, 0);
    ASSERT_FALSE(Events().empty());
    EXPECT_EQ(Events().front(), "ccap:Человек - осталось ходов - 2");
}

TEST_F(TurnsTest, SalvoReshotOffUsesUpAShot)
{
    game::Options.Salvo = true;
    game::Options.Reshot = false;
    Click(0, 0);
    Mark();
    Click(0, 0);
    EXPECT_EQ(Events(), (V{"ccap:Человек - осталось ходов - 3", "hcap:Компьютер - всего ходов - 5",
                           "status1:Компьютер:10", "invalidate:computer:erase", "repaint:computer",
                           "comment:Ваш ход - А1", "pause:300"}));
    EXPECT_EQ(game::ShotsLeft, 3);
}

// --- Salvo mode ------------------------------------------------------------------

// The human's salvo allowance as the turn controller computes it.
int HumanAllowance()
{
    int hits = 0;
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            hits += game::IsSet(game::ShotsAtHuman, x, y) && game::IsSet(game::HumanShips, x, y);
    return (20 - hits + 3) / 4;
}

int Pauses(const V& events)
{
    return static_cast<int>(std::count(events.begin(), events.end(), "pause:300"));
}

TEST_F(TurnsTest, SalvoCaptionCountsDownAndTheFifthClickPassesTheTurn)
{
    game::Options.Salvo = true;
    Click(4, 4);
    EXPECT_EQ(fx.events, (V{"ccap:Человек - осталось ходов - 4", "hcap:Компьютер - всего ходов - 5",
                            "status1:Компьютер:10", "invalidate:computer:erase", "repaint:computer",
                            "comment:Ваш ход - Д5", "pause:300"}));
    const Square rest[3] = {{9, 0}, {4, 7}, {6, 7}};
    for (int i = 0; i < 3; ++i) {
        Mark();
        Click(rest[i].first, rest[i].second);
        EXPECT_EQ(Events().front(), "ccap:Человек - осталось ходов - " + std::to_string(3 - i));
        EXPECT_EQ(fx.Count("repaint:human"), 0);
    }
    Mark();
    const std::uint32_t t0 = fx.ticks;
    Click(8, 7);
    const V e = Events();
    ASSERT_GE(e.size(), 12u);
    EXPECT_EQ(V(e.begin(), e.begin() + 10),
              (V{"ccap:Человек - осталось ходов - 0", "hcap:Компьютер - всего ходов - 5", "status1:Компьютер:10",
                 "invalidate:computer:erase", "repaint:computer", "comment:Ваш ход - И8", "pause:300", "pause:300",
                 "comment:Мой ход", "pause:300"}));
    EXPECT_EQ(fx.Count("repaint:human"), 5);  // the computer's five shots
    EXPECT_EQ(V(e.end() - 2, e.end()),
              (V{"ccap:Человек - осталось ходов - " + std::to_string(HumanAllowance()), "comment:Ваш ход"}));
    EXPECT_EQ(game::NewHumanTurn, 1);
    // Stamped around the whole turn: from before its first pause to the end.
    EXPECT_EQ(game::ComputerTurnStartTick, t0 + 300);
    EXPECT_EQ(game::ComputerTurnEndTick, t0 + 300 * static_cast<std::uint32_t>(Pauses(e)));

    // The next click opens a new turn, its allowance from the human's squares.
    const int allowance = HumanAllowance();
    Mark();
    Click(2, 9);
    EXPECT_EQ(Events().front(), "ccap:Человек - осталось ходов - " + std::to_string(allowance - 1));
}

TEST_F(TurnsTest, SalvoAllowanceFollowsTheShootersOwnSquares)
{
    game::Options.Salvo = true;
    // Thirteen of the human's squares hit: 7 left give two shots.
    int hit = 0;
    for (int i = 0; i < 10 && hit < 13; ++i)
        for (const game::CellPos& p : SquaresOf(kFleetA[i]))
            if (hit < 13) {
                PreHit(game::kHumanFleet, p.x, p.y);
                ++hit;
            }
    Click(4, 4);
    EXPECT_EQ(fx.events.front(), "ccap:Человек - осталось ходов - 1");
    EXPECT_EQ(game::SquaresLeft[game::kHumanFleet], 7);

    // Sixteen hit: 4 left give one shot, and the click passes the turn.
    ResetGameState();
    PlaceBothFleets();
    game::BattleOn = 1;
    game::Options.Salvo = true;
    hit = 0;
    for (int i = 0; i < 10 && hit < 16; ++i)
        for (const game::CellPos& p : SquaresOf(kFleetA[i]))
            if (hit < 16) {
                PreHit(game::kHumanFleet, p.x, p.y);
                ++hit;
            }
    fx.Clear();
    Click(4, 4);
    EXPECT_EQ(fx.events.front(), "ccap:Человек - осталось ходов - 0");
    EXPECT_EQ(fx.Count("comment:Мой ход"), 1);
}

TEST_F(TurnsTest, SalvoHumanCaptionShowsTheComputersNextAllowance)
{
    game::Options.Salvo = true;
    // Five of the computer's squares hit by earlier shots: 15 left, 4 shots.
    for (int x = 0; x < 4; ++x)
        PreHit(game::kComputerFleet, x, 0);
    PreHit(game::kComputerFleet, 5, 5);
    Click(6, 5);  // a sixth hit: 14 left, still 4
    EXPECT_EQ(fx.events[1], "hcap:Компьютер - всего ходов - 4");
    Click(7, 5);  // 13 left: 4
    Click(0, 2);  // 12 left: 3
    EXPECT_EQ(fx.CountPrefix("hcap:Компьютер - всего ходов - 3"), 1);
}

TEST_F(TurnsTest, LastSalvoShotThatEndsTheGameHandsNoTurnOver)
{
    game::Options.Salvo = true;
    for (int i = 0; i < 10; ++i)
        for (const game::CellPos& p : SquaresOf(kFleetA[i]))
            if (!(p.x == 9 && p.y == 9))
                PreHit(game::kComputerFleet, p.x, p.y);
    game::AnnounceSunkShips(game::kComputerFleet);
    game::NewHumanTurn = 0;
    game::ShotsLeft = 1;
    fx.Clear();
    Click(9, 9);
    EXPECT_EQ(fx.events, (V{"ccap:Человек - осталось ходов - 0", "hcap:Компьютер - всего ходов - 0", "beep",
                            "status1:Компьютер:0", "sound:won", "ask:won", "endprogram", "invalidate:computer:erase",
                            "repaint:computer", "comment:Ваш ход - К10", "pause:300",
                            "comment:Ваш ход - К10 - попадание", "pause:300",
                            "comment:Ваш ход - К10 - потоплен Катер"}));
    EXPECT_EQ(game::ManWon, 1);
    EXPECT_EQ(game::RunWins, 1);
    EXPECT_EQ(game::CompWon + game::RunLosses, 0);
}

TEST_F(TurnsTest, SalvoComputerTurnStopsAtTheShotThatEndsTheGame)
{
    game::Options.Salvo = true;
    game::Options.ProphyUser = 2;
    for (int i = 0; i < 10; ++i)
        for (const game::CellPos& p : SquaresOf(kFleetA[i]))
            if (!(p.x == 9 && p.y == 9))
                PreHit(game::kHumanFleet, p.x, p.y);
    game::AnnounceSunkShips(game::kHumanFleet);
    game::Hunting = 1;
    game::TargetShip = 9;
    game::NewHumanTurn = 0;
    game::ShotsLeft = 1;
    fx.Clear();
    Click(4, 4);
    EXPECT_EQ(fx.Count("repaint:human"), 1);
    EXPECT_EQ(fx.Count("ask:lost"), 1);
    // The turn still ends as usual, with the human's (now empty) allowance.
    EXPECT_EQ(V(fx.events.end() - 2, fx.events.end()),
              (V{"ccap:Человек - осталось ходов - 0", "comment:Ваш ход"}));
}

TEST_F(TurnsTest, SwitchingToSalvoMidGameContinuesTheCurrentCount)
{
    game::NewHumanTurn = 0;
    game::ShotsLeft = 3;
    game::Options.Salvo = true;
    Click(4, 4);
    EXPECT_EQ(fx.events.front(), "ccap:Человек - осталось ходов - 2");
}

// --- The opening move --------------------------------------------------------------

TEST_F(TurnsTest, HumanOpensByDefault)
{
    EXPECT_TRUE(game::StartBattle());
    EXPECT_EQ(fx.events, (V{kStart}));
}

TEST_F(TurnsTest, ComputerOpensOnlyTheFirstGameOfARunInSingleShotMode)
{
    game::Options.FirstShoot = false;
    LeaveHumanFree({{4, 7}});
    const std::uint32_t t0 = fx.ticks;
    EXPECT_TRUE(game::StartBattle());
    V expected = kComputerMissД8;
    expected.push_back("comment:Ваш ход");
    expected.push_back(kStart);
    EXPECT_EQ(fx.events, expected);
    EXPECT_EQ(game::OpeningMoveDone, 1);
    EXPECT_EQ(game::ComputerTurnStartTick, t0);
    EXPECT_EQ(game::ComputerTurnEndTick, t0 + 300);

    // The next game of the run: the human opens whatever FirstShoot says.
    game::ClearModel();
    PlaceBothFleets();
    fx.Clear();
    EXPECT_TRUE(game::StartBattle());
    EXPECT_EQ(fx.events, (V{kStart}));
}

TEST_F(TurnsTest, ComputerOpensWithFiveShotsInSalvoMode)
{
    game::Options.FirstShoot = false;
    game::Options.Salvo = true;
    EXPECT_TRUE(game::StartBattle());
    EXPECT_EQ(fx.Count("repaint:human"), 5);
    EXPECT_EQ(V(fx.events.end() - 5, fx.events.end()),
              (V{"hcap:Компьютер - всего ходов - 5",
                 "ccap:Человек - осталось ходов - " + std::to_string(HumanAllowance()), kStart, "pause:300",
                 "comment:Ваш ход"}));
    EXPECT_EQ(game::OpeningMoveDone, 1);
    EXPECT_EQ(game::SquaresLeft[game::kComputerFleet], 20);
    EXPECT_EQ(game::ComputerTurnEndTick - game::ComputerTurnStartTick,
              300u * static_cast<std::uint32_t>(Pauses(fx.events)));
}

TEST_F(TurnsTest, SingleShotOpeningGoesOnWhileTheComputerHits)
{
    game::Options.FirstShoot = false;
    std::uint32_t second = 1;
    while (FirstRandomSquare(second, {{5, 5}, {4, 5}}) != Square{5, 5})
        ++second;
    fx.seconds = second;
    LeaveHumanFree({{5, 5}, {4, 5}});
    game::StartBattle();
    EXPECT_EQ(fx.Count("repaint:human"), 2);
    EXPECT_EQ(fx.Count("ccap:Человек - осталось ходов - 0"), 0);  // no captions, no pauses between shots
    EXPECT_EQ(fx.Count("pause:300"), 3);
}

}  // namespace
