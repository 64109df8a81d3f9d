// The computer opponent at its three levels, against kFleetA.
#include "support.h"

#include <set>

using namespace testing_game;

namespace {

class Opponent : public GameTest {
protected:
    void SetUp() override { GameTest::SetUp(); Fresh(0); }
    void Fresh(int level, std::int64_t second = 1000000)
    {
        NewGame(true, false);
        game::Options.ProphyUser = level;
        fx.seconds = second;
    }
    // The memory after hits on human ship `ship` at the squares of `trail`.
    static void Trail(int ship, const std::vector<Square>& trail)
    {
        for (std::size_t i = 0; i < trail.size(); ++i) {
            PreHit(game::kHumanFleet, trail[i].first, trail[i].second);
            game::HitTrail[i] = game::CellPos{trail[i].first, trail[i].second};
        }
        game::Hunting = 1;
        game::TrailEnd = static_cast<int>(trail.size()) - 1;
        game::TargetShip = game::PreviousTargetShip = ship;
    }
    static Square Shoot()
    {
        const game::ComputerShotResult r = game::ComputerShot();
        EXPECT_TRUE(r.fired);
        return Square{r.x, r.y};
    }
    // The squares the next shot takes over 200 calendar seconds.
    std::set<Square> NextShots(int level, const std::vector<Square>& trail)
    {
        std::set<Square> seen;
        for (int s = 0; s < 200; ++s) {
            Fresh(level, s);
            Trail(1, trail);
            seen.insert(Shoot());
        }
        return seen;
    }
};

TEST_F(Opponent, LevelZeroProbesTheOpenNeighboursOfTheLatestHit)
{
    // Ж6 is the middle of Е6-З6: above and below are tried as well.
    EXPECT_EQ(NextShots(0, {{6, 5}}), (std::set<Square>{{7, 5}, {5, 5}, {6, 6}, {6, 4}}));
    EXPECT_EQ(NextShots(0, {{5, 5}, {6, 5}}), (std::set<Square>{{7, 5}, {6, 6}, {6, 4}}));
    // With the latest hit closed in, the hunt restarts at the first hit, and
    // this shot is a random one.
    Fresh(0);
    Trail(1, {{5, 5}, {6, 5}});
    LeaveHumanFree({{0, 0}});
    EXPECT_EQ(Shoot(), Square(0, 0));
    EXPECT_TRUE(game::Hunting == 1 && game::TrailEnd == 0);
    // A random hit on another ship makes it the target: И3-И4 from Ж6.
    Fresh(0);
    Trail(1, {{6, 5}});
    LeaveHumanFree({{8, 2}, {8, 3}});
    const Square s = Shoot();
    EXPECT_TRUE(game::TargetShip == 5 && game::PreviousTargetShip == 1 && game::TrailEnd == 0);
    EXPECT_TRUE(game::HitTrail[0].x == s.first && game::HitTrail[0].y == s.second);
    Shoot();
    EXPECT_TRUE(game::ShipSunk[game::kHumanFleet][5] && !game::ShipSunk[game::kHumanFleet][1] && !game::Hunting);
    // A level outside 0..2 plays as level 0.
    const std::pair<int, int> levels[] = {{-1, 0}, {1, 1}, {2, 2}, {3, 0}, {1000, 0}};
    for (const auto& [stored, level] : levels) {
        game::Options.ProphyUser = stored;
        EXPECT_EQ(game::OpponentLevel(), level) << stored;
    }
}

TEST_F(Opponent, LevelOneFollowsTheLineAndTurnsBackBeyondTheFirstHit)
{
    const struct { std::vector<Square> trail, done, free; Square target; std::vector<Square> ruledOut; } cases[] = {
        {{{6, 5}, {7, 5}}, {}, {}, {8, 5}, {}},                      // the line goes on
        {{{1, 7}, {2, 7}}, {{3, 7}}, {}, {0, 7}, {{0, 6}, {0, 8}}},  // right, back to column А
        {{{5, 7}, {4, 7}}, {{3, 7}}, {}, {6, 7}, {{6, 6}, {6, 8}}},  // left, back to the right
        {{{6, 1}, {6, 2}}, {{6, 3}}, {}, {6, 0}, {{5, 0}, {7, 0}}},  // down, back up to row 1
        {{{0, 8}, {0, 7}}, {{0, 6}}, {}, {0, 9}, {{1, 9}}},          // up, back down at the edge
        {{{4, 9}, {4, 8}}, {{4, 7}}, {{7, 8}}, {7, 8}, {}},          // nothing beyond row 10: random
        {{{3, 3}}, {}, {{7, 8}}, {7, 8}, {}},                        // one hit closed in: random
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(game::CellName(c.target.first, c.target.second));
        Fresh(1);
        for (const Square& s : c.done)
            game::BoardAt(game::ShotsAtHuman, s.first, s.second) = 1;
        if (!c.free.empty())
            LeaveHumanFree(c.free);
        Trail(game::NoShip, c.trail);
        EXPECT_EQ(Shoot(), c.target);
        for (const Square& s : c.ruledOut)
            EXPECT_TRUE(game::IsSet(game::ShotsAtHuman, s.first, s.second));
        const std::size_t shot = c.trail.size() + c.done.size() + 1 + c.ruledOut.size();
        EXPECT_TRUE(c.free.empty() ? CountLayer(game::ShotsAtHuman) == int(shot) : game::Hunting == 0);
    }
}

TEST_F(Opponent, LevelTwoFinishesAShipFromItsLastSquareBackwards)
{
    // Level 0 found Ж6 in the middle of Е6-З6; the level is read at every
    // shot, and level 2 takes З6, then Е6.
    Trail(1, {{6, 5}});
    game::Options.ProphyUser = 2;
    EXPECT_EQ(Shoot(), Square(7, 5));
    EXPECT_EQ(Shoot(), Square(5, 5));
    EXPECT_STREQ(game::CommentLine, "Мой ход - Е6 - убил Эсминец");
    EXPECT_EQ(std::count(fx.events.begin(), fx.events.end(), "pause:300"), 5);  // after every comment
    EXPECT_EQ(game::Hunting + game::TrailEnd, 0);  // a sinking hit ends the hunt
    Fresh(2);
    LeaveHumanFree({{0, 0}, {1, 0}, {2, 0}, {3, 0}});  // a random hit on А1-Г1, then the rest from Г1 on
    const int first = Shoot().first;
    for (int x = 3; x >= 0; --x) {
        if (x != first) {
            EXPECT_EQ(Shoot(), Square(x, 0));
        }
    }
}

// The draws are used as d = trunc((4 r - 4) / 32767), s = trunc((2 r - 2) /
// 32767), x = trunc((r - 1) 10 / 32767): values at the edges of each step.
TEST_F(Opponent, DrawsBecomeSquaresByTheExactArithmetic)
{
    using Draws = std::vector<std::pair<int, int>>;  // each draw within [first, second]
    const struct { Draws draws; std::vector<Square> trail, done; Square shot; } cases[] = {
        {{{8192, 8192}}, {{5, 5}}, {}, {6, 5}},                     // d = 0, right (not 1)
        {{{32767, 32767}}, {{5, 5}}, {}, {5, 4}},                   // d = 3, up
        {{{0, 8192}, {16384, 16384}}, {{5, 5}}, {{6, 5}}, {4, 5}},  // right done, s = 0: on to the left
        {{{0, 8192}, {16385, 16385}}, {{5, 5}}, {{6, 5}}, {5, 4}},  // s = 1: back to up
        {{{3277, 3277}}, {}, {}, {0, -1}},                          // x = 0
        {{{3278, 3278}}, {}, {}, {1, -1}},                          // x = 1
        {{{0, 0}}, {}, {}, {0, -1}},
        {{{32767, 32767}}, {}, {}, {9, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.draws.back().first);
        Fresh(0, SecondWhere([&] {
            return std::all_of(c.draws.begin(), c.draws.end(), [](const std::pair<int, int>& d) {
                const int v = game::RandomValue();
                return d.first <= v && v <= d.second;
            });
        }));
        if (!c.trail.empty())
            Trail(game::NoShip, c.trail);
        for (const Square& s : c.done)
            game::BoardAt(game::ShotsAtHuman, s.first, s.second) = 1;
        const Square shot = Shoot();
        EXPECT_TRUE(shot.first == c.shot.first && (c.shot.second < 0 || shot.second == c.shot.second));
    }
    LeaveHumanFree({});  // only a broken model has no square left: nothing is fired
    fx.Take();
    const game::ComputerShotResult none = game::ComputerShot();
    EXPECT_FALSE(none.fired || none.gameEnded);
    EXPECT_TRUE(fx.events.empty());
}

}  // namespace
