// The computer opponent.
#include "game_support.h"

#include <algorithm>
#include <set>
#include <utility>

#include "game/random.h"

using namespace testing_game;

namespace {

// A human fleet with the four-square ship lying mid-board (Г5-Ж5).
//   . 0 1 2 3 4 5 6 7 8 9
//   0 B B B . C C C . D .
//   1 . . . . . . . . D .
//   2 E . . . . . . . . .
//   3 E . . . . . . . . .
//   4 . . . A A A A . . G
//   5 . . . . . . . . . .
//   6 F F . . . . . . . .
//   7 . . . H . . . . . .
//   8 . . . . . . I . . .
//   9 . . . . . . . . . J
constexpr ShipPlan kFleetB[game::kShipCount] = {
    {3, 4, 4, false}, {0, 0, 3, false}, {4, 0, 3, false}, {8, 0, 2, true}, {0, 2, 2, true},
    {0, 6, 2, false}, {9, 4, 1, false}, {3, 7, 1, false}, {6, 8, 1, false}, {9, 9, 1, false},
};

using Square = std::pair<int, int>;

class OpponentTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        PlaceFleet(game::kHumanBoard, kFleetB);
        PlaceFleet(game::kComputerBoard, kFleetA);
        game::BattleOn = 1;
    }
    // Marks every square of the human's board as done except the given ones.
    static void LeaveFree(std::initializer_list<Square> free)
    {
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                game::BoardAt(game::ShotsAtHuman, x, y) =
                    std::find(free.begin(), free.end(), Square{x, y}) == free.end();
    }
    // The memory after the computer's first hit at (x, y) on human ship `ship`.
    static void FirstHitAt(int x, int y, int ship)
    {
        PreHit(game::kHumanFleet, x, y);
        game::Hunting = 1;
        game::HitTrail[0] = game::CellPos{x, y};
        game::TrailEnd = 0;
        game::TargetShip = ship;
    }
    static Square Shoot()
    {
        const game::ComputerShotResult r = game::ComputerShot();
        EXPECT_TRUE(r.fired);
        return Square{r.x, r.y};
    }
};

TEST_F(OpponentTest, OutOfRangeLevelsPlayAsLevelZero)
{
    for (int level : {-1, 3, 5, 1000}) {
        game::Options.ProphyUser = level;
        EXPECT_EQ(game::OpponentLevel(), 0) << level;
    }
    for (int level : {0, 1, 2}) {
        game::Options.ProphyUser = level;
        EXPECT_EQ(game::OpponentLevel(), level);
    }
    // Level 2 would fire at the far end of the ship (Ж5); level 0 probes a
    // neighbour of the hit, and so does level 5.
    game::Options.ProphyUser = 5;
    FirstHitAt(3, 4, 0);
    const Square s = Shoot();
    const std::set<Square> neighbours = {{4, 4}, {2, 4}, {3, 5}, {3, 3}};
    EXPECT_TRUE(neighbours.count(s)) << s.first << "," << s.second;
}

TEST_F(OpponentTest, RandomShotComment)
{
    LeaveFree({{5, 6}});
    fx.Clear();
    EXPECT_EQ(Shoot(), Square(5, 6));
    EXPECT_EQ(fx.events, (std::vector<std::string>{"status2:Человек:10", "invalidate:human:erase", "repaint:human",
                                                   "comment:Мой ход - Е7", "pause:300"}));
    EXPECT_STREQ(game::CommentLine, "Мой ход - Е7");
    EXPECT_EQ(game::Hunting, 0);
    EXPECT_EQ(game::ShotHit[game::kHumanFleet], 0);
    EXPECT_EQ(game::SkipBackground, 0);  // the shown board painted the shot
}

TEST_F(OpponentTest, RowTenShotUsesTheThreeCharacterNameAndSinks)
{
    LeaveFree({{9, 9}});
    fx.Clear();
    EXPECT_EQ(Shoot(), Square(9, 9));
    EXPECT_EQ(fx.events,
              (std::vector<std::string>{"beep", "status2:Человек:9", "invalidate:human:erase", "repaint:human",
                                        "comment:Мой ход - К10", "pause:300", "comment:Мой ход - К10 - попал",
                                        "pause:300", "comment:Мой ход - К10 - убил Катер", "pause:300"}));
    EXPECT_EQ(game::Hunting, 0);
    EXPECT_EQ(game::TargetShip, 9);
    EXPECT_EQ(game::TrailEnd, 0);
}

TEST_F(OpponentTest, LevelZeroProbesEveryNeighbourOfAnInteriorHit)
{
    std::set<Square> seen;
    for (int seed = 0; seed < 200; ++seed) {
        ResetGameState();
        PlaceFleet(game::kHumanBoard, kFleetB);
        FirstHitAt(4, 4, 0);  // Д5, inside Г5-Ж5
        fx.seconds = seed;
        const Square s = Shoot();
        seen.insert(s);
        EXPECT_EQ(std::abs(s.first - 4) + std::abs(s.second - 4), 1) << "seed " << seed;
    }
    // Including the squares above and below the ship.
    EXPECT_EQ(seen, (std::set<Square>{{5, 4}, {3, 4}, {4, 5}, {4, 3}}));
}

TEST_F(OpponentTest, LevelZeroProbesFromTheLatestHitAndRestartsAtTheFirst)
{
    // A vertical trail of misses around: after two hits in a row, level 0
    // probes around the latest hit in any open direction, not only the line.
    std::set<Square> seen;
    for (int seed = 0; seed < 200; ++seed) {
        ResetGameState();
        PlaceFleet(game::kHumanBoard, kFleetB);
        FirstHitAt(4, 4, 0);
        PreHit(game::kHumanFleet, 5, 4);
        game::HitTrail[1] = game::CellPos{5, 4};
        game::TrailEnd = 1;
        fx.seconds = seed;
        seen.insert(Shoot());
    }
    EXPECT_EQ(seen, (std::set<Square>{{6, 4}, {5, 5}, {5, 3}}));

    // All four neighbours of the latest hit done: the hunt restarts at the
    // first hit of the trail, and this shot is a random one.
    ResetGameState();
    PlaceFleet(game::kHumanBoard, kFleetB);
    FirstHitAt(4, 4, 0);
    PreHit(game::kHumanFleet, 5, 4);
    game::HitTrail[1] = game::CellPos{5, 4};
    game::TrailEnd = 1;
    PreHit(game::kHumanFleet, 6, 4);
    LeaveFree({{9, 6}});  // the neighbours of Е5 done, only К7 free
    EXPECT_EQ(Shoot(), Square(9, 6));
    EXPECT_EQ(game::Hunting, 1);
    EXPECT_EQ(game::TrailEnd, 0);
}

TEST_F(OpponentTest, LevelOneTurnsBackAndRulesOutTwoSquares)
{
    game::Options.ProphyUser = 1;
    // Two hits side by side in row 5: Е5 then Ж5 of Г5-Ж5.
    FirstHitAt(5, 4, 0);
    PreHit(game::kHumanFleet, 6, 4);
    game::HitTrail[1] = game::CellPos{6, 4};
    game::TrailEnd = 1;
    game::PreviousTargetShip = 0;

    // The line stays open only along the row: beyond Ж5 is З5, a miss.
    EXPECT_EQ(Shoot(), Square(7, 4));
    EXPECT_EQ(game::Hunting, 1);

    // Now both ends of the latest hit are done: turn back beyond the first
    // hit, to Д5, ruling out Д4 and Д6 (diagonal to the first hit).
    fx.Clear();
    EXPECT_EQ(Shoot(), Square(4, 4));
    EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, 4, 3));
    EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, 4, 5));
    EXPECT_EQ(CountLayer(game::ShotsAtHuman), 6);  // Е5 Ж5 З5 Д5 Д4 Д6
    EXPECT_EQ(fx.events,
              (std::vector<std::string>{"status2:Человек:10", "invalidate:human:erase", "repaint:human",
                                        "comment:Мой ход - Д5", "pause:300", "comment:Мой ход - Д5 - попал",
                                        "pause:300"}));
    EXPECT_EQ(game::Hunting, 1);
    EXPECT_EQ(game::TrailEnd, 2);

    // The line continues from Д5 to Г5 and sinks the ship.
    EXPECT_EQ(Shoot(), Square(3, 4));
    EXPECT_EQ(game::ShipSunk[1][0], 1);
    EXPECT_EQ(game::Hunting, 0);
    EXPECT_EQ(game::TrailEnd, 0);
}

TEST_F(OpponentTest, LevelOneTurnsBackTheOtherWay)
{
    game::Options.ProphyUser = 1;
    // Hits Е5 then Д5 going left, with Г5 done: the turn back goes to Ж5,
    // beyond the first hit on the right, ruling out Ж4 and Ж6.
    FirstHitAt(5, 4, 0);
    PreHit(game::kHumanFleet, 4, 4);
    game::HitTrail[1] = game::CellPos{4, 4};
    game::TrailEnd = 1;
    game::PreviousTargetShip = 0;
    game::BoardAt(game::ShotsAtHuman, 3, 4) = 1;
    EXPECT_EQ(Shoot(), Square(6, 4));
    EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, 6, 3));
    EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, 6, 5));
    EXPECT_EQ(game::Hunting, 1);  // the turn-back shot hit
}

TEST_F(OpponentTest, LevelOneVerticalTrailTurnsBackDown)
{
    game::Options.ProphyUser = 1;
    // Hits А4 then А3 going up, А2 done: the turn back goes below the first
    // hit, to А5, ruling out Б5 (the other diagonal is off the board). The
    // rule alone is tested: the memory is set as if the ship were longer.
    FirstHitAt(0, 3, 4);
    game::HitTrail[1] = game::CellPos{0, 2};
    game::BoardAt(game::ShotsAtHuman, 0, 2) = 1;
    game::TrailEnd = 1;
    game::BoardAt(game::ShotsAtHuman, 0, 1) = 1;
    EXPECT_EQ(Shoot(), Square(0, 4));
    EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, 1, 4));
    EXPECT_FALSE(game::IsSet(game::ShotsAtHuman, 1, 2));
}

TEST_F(OpponentTest, LevelOneWithOnlyOneHitFallsBackToRandom)
{
    game::Options.ProphyUser = 1;
    FirstHitAt(3, 4, 0);
    LeaveFree({{2, 9}});  // every neighbour of Г5 done; TrailEnd is 0
    EXPECT_EQ(Shoot(), Square(2, 9));
    EXPECT_EQ(game::Hunting, 0);
}

TEST_F(OpponentTest, LevelTwoFinishesTheShipFromItsLastSquare)
{
    game::Options.ProphyUser = 2;
    for (int seed = 0; seed < 20; ++seed) {
        ResetGameState();
        game::Options.ProphyUser = 2;
        PlaceFleet(game::kHumanBoard, kFleetB);
        fx.seconds = 5000 + seed;
        LeaveFree({{3, 4}, {4, 4}, {5, 4}, {6, 4}});
        const Square first = Shoot();  // a random hit on Г5-Ж5
        ASSERT_EQ(first.second, 4);
        std::vector<Square> expected;
        for (int x = 6; x >= 3; --x)
            if (x != first.first)
                expected.push_back(Square{x, 4});
        std::vector<Square> next;
        for (std::size_t i = 0; i < expected.size(); ++i)
            next.push_back(Shoot());
        EXPECT_EQ(next, expected) << "seed " << seed;
        EXPECT_EQ(game::ShipSunk[1][0], 1);
        EXPECT_EQ(game::Hunting, 0);
    }
}

TEST_F(OpponentTest, LevelTwoSkipsSquaresAlreadyHit)
{
    game::Options.ProphyUser = 2;
    PreHit(game::kHumanFleet, 6, 4);  // Ж5 hit earlier
    LeaveFree({{3, 4}, {4, 4}, {5, 4}});
    const Square first = Shoot();
    std::vector<Square> expected;
    for (int x = 5; x >= 3; --x)
        if (x != first.first)
            expected.push_back(Square{x, 4});
    for (const Square& e : expected)
        EXPECT_EQ(Shoot(), e);
    EXPECT_EQ(game::ShipSunk[1][0], 1);
}

TEST_F(OpponentTest, AfterASinkTheNextShotIsRandomAndOutsideTheRing)
{
    for (int level = 0; level <= 2; ++level) {
        for (int seed = 0; seed < 30; ++seed) {
            ResetGameState();
            game::Options.ProphyUser = level;
            PlaceFleet(game::kHumanBoard, kFleetB);
            fx.seconds = 100 + seed;
            FirstHitAt(8, 0, 3);  // И1 of И1-И2
            int guard = 0;
            while (!game::ShipSunk[1][3] && ++guard < 10) {
                const Square s = Shoot();
                EXPECT_EQ(std::abs(s.first - 8) <= 1 && s.second <= 2, true) << level << " " << seed;
            }
            ASSERT_EQ(game::ShipSunk[1][3], 1) << level << " " << seed;
            EXPECT_EQ(game::Hunting, 0);
            for (int x = 7; x <= 9; ++x)
                for (int y = 0; y <= 2; ++y)
                    EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, x, y));
            const Square next = Shoot();
            EXPECT_FALSE(next.first >= 7 && next.second <= 2) << level << " " << seed;
        }
    }
}

TEST_F(OpponentTest, ARandomHitOnAnotherShipBecomesTheTarget)
{
    // Level 0 is finishing off Г5-Ж5 from Д5, whose neighbours are all done.
    FirstHitAt(4, 4, 0);
    PreHit(game::kHumanFleet, 3, 4);
    PreHit(game::kHumanFleet, 5, 4);
    game::BoardAt(game::ShotsAtHuman, 4, 3) = 1;
    game::BoardAt(game::ShotsAtHuman, 4, 5) = 1;
    // Only the two squares of А3-А4 are left: the random shot hits that ship.
    LeaveFree({{0, 2}, {0, 3}});
    const Square s = Shoot();
    EXPECT_EQ(s.first, 0);
    EXPECT_EQ(game::TargetShip, 4);
    EXPECT_EQ(game::PreviousTargetShip, 0);
    EXPECT_EQ(game::HitTrail[0].x, s.first);
    EXPECT_EQ(game::HitTrail[0].y, s.second);
    EXPECT_EQ(game::TrailEnd, 0);
    EXPECT_EQ(game::Hunting, 1);
    // The new target is finished; the first ship is forgotten.
    Shoot();
    EXPECT_EQ(game::ShipSunk[1][4], 1);
    EXPECT_EQ(game::Hunting, 0);
    EXPECT_EQ(game::ShipSunk[1][0], 0);
}

TEST_F(OpponentTest, TwoCallsInOneSecondTakeConsecutiveFreeSquares)
{
    // The reference sequence for a calendar second: the squares of the random
    // draw after the one discarded value.
    auto squares = [](std::uint32_t seed) {
        std::vector<Square> v;
        game::SeedRandom(seed);
        game::RandomValue();
        for (int i = 0; i < 50; ++i) {
            const int x = (game::RandomValue() - 1) * 10 / 32767;
            const int y = (game::RandomValue() - 1) * 10 / 32767;
            v.push_back(Square{x, y});
        }
        return v;
    };
    int checked = 0;
    for (std::uint32_t seed = 1; seed < 400 && checked < 20; ++seed) {
        const std::vector<Square> seq = squares(seed);
        const Square first = seq[0];
        const Square second = *std::find_if(seq.begin(), seq.end(), [&](const Square& s) { return s != first; });
        if (game::IsSet(game::HumanShips, first.first, first.second))
            continue;  // a hit would make the second shot a probe
        ResetGameState();
        PlaceFleet(game::kHumanBoard, kFleetB);
        fx.seconds = seed;
        EXPECT_EQ(Shoot(), first) << seed;
        EXPECT_EQ(Shoot(), second) << seed;
        ++checked;
    }
    EXPECT_EQ(checked, 20);
}

// The first calendar second whose draws, after the discarded one, begin
// with `value`.
std::uint32_t SecondStartingWith(int value)
{
    for (std::uint32_t s = 0;; ++s) {
        game::SeedRandom(s);
        game::RandomValue();
        if (game::RandomValue() == value)
            return s;
    }
}

TEST_F(OpponentTest, ProbeDirectionUsesTheExactArithmetic)
{
    // d = trunc((4 r - 4) / 32767): r = 8192 gives 0 (right), where 4 r / 32767
    // would give 1. With every direction open the probe goes right.
    fx.seconds = SecondStartingWith(8192);
    FirstHitAt(4, 4, 0);
    EXPECT_EQ(Shoot(), Square(5, 4));
    // r = 32767 gives 3 (up), never a fifth direction.
    ResetGameState();
    PlaceFleet(game::kHumanBoard, kFleetB);
    fx.seconds = SecondStartingWith(32767);
    FirstHitAt(4, 4, 0);
    EXPECT_EQ(Shoot(), Square(4, 3));
}

TEST_F(OpponentTest, BlockedDirectionTurnsByTheExactArithmetic)
{
    // s = trunc((2 r - 2) / 32767): r = 16384 gives 0 (turn to the next
    // direction), where 2 r / 32767 would give 1. Take d = 0 (right) blocked:
    // s = 0 moves on to direction 1 (left).
    std::uint32_t second = 0;
    for (;; ++second) {
        game::SeedRandom(second);
        game::RandomValue();
        const int r1 = game::RandomValue();
        if ((4 * r1 - 4) / 32767 == 0 && game::RandomValue() == 16384)
            break;
    }
    fx.seconds = second;
    FirstHitAt(4, 4, 0);
    game::BoardAt(game::ShotsAtHuman, 5, 4) = 1;
    EXPECT_EQ(Shoot(), Square(3, 4));
}

TEST_F(OpponentTest, RandomShotUsesTheExactArithmetic)
{
    // x = trunc((r - 1) * 10 / 32767): r = 3277 gives 0, where r * 10 / 32768
    // would give 1; r = 0 gives 0 too (truncated toward zero).
    for (int value : {3277, 0, 32767}) {
        ResetGameState();
        PlaceFleet(game::kHumanBoard, kFleetB);
        const std::uint32_t second = SecondStartingWith(value);
        game::SeedRandom(second);
        game::RandomValue();
        game::RandomValue();
        const int y = (game::RandomValue() - 1) * 10 / 32767;
        fx.seconds = second;
        EXPECT_EQ(Shoot(), Square((value - 1) * 10 / 32767, y)) << value;
    }
}

TEST_F(OpponentTest, NoFreeSquareFiresNothing)
{
    LeaveFree({});
    fx.Clear();
    const game::ComputerShotResult r = game::ComputerShot();
    EXPECT_FALSE(r.fired);
    EXPECT_FALSE(r.gameEnded);
    EXPECT_TRUE(fx.events.empty());
}

TEST_F(OpponentTest, LevelCanChangeInTheMiddleOfAHunt)
{
    // Level 0 found Д5; switched to level 2, the next shot reads the fleet.
    FirstHitAt(4, 4, 0);
    game::Options.ProphyUser = 2;
    EXPECT_EQ(Shoot(), Square(6, 4));
    EXPECT_EQ(Shoot(), Square(5, 4));
    EXPECT_EQ(Shoot(), Square(3, 4));
    EXPECT_EQ(game::ShipSunk[1][0], 1);
}

}  // namespace
