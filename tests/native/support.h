// Shared by the game tests: an Effects recorder with a fixed clock, a fixture
// that puts all game state back to its program-start values, and a fleet.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "game/opponent.h"
#include "game/options.h"
#include "game/placement.h"
#include "game/random.h"
#include "game/score.h"
#include "game/turns.h"

namespace testing_game {

using Events = std::vector<std::string>;
using Square = std::pair<int, int>;

// Every effect as one short text, in order ("ccap:", "status<part>:",
// "repaint:<board>", "pause:<ms>", "ask:<won|lost>", ...). A shown board
// paints at once, lowering SkipBackground. Ticks advance with each pause.
class Recorder final : public game::Effects {
public:
    Events events;
    std::uint32_t ticks = 1000;
    std::int64_t seconds = 1000000;
    game::Answer answer = game::Answer::Stop;  // the result dialog's
    bool boardsShown = true;
    int totalsWhenAsked = -1;  // ManWon + CompWon while the result dialog is up

    static std::string Name(game::BoardId b) { return b == game::BoardId::Computer ? "computer" : "human"; }
    static std::string Name(game::Outcome o) { return o == game::Outcome::HumanWon ? "won" : "lost"; }
    void SetComputerCaption(const std::string& t) override { events.push_back("ccap:" + t); }
    void SetHumanCaption(const std::string& t) override { events.push_back("hcap:" + t); }
    void SetStatus(game::StatusPart p, const std::string& t) override
    {
        events.push_back("status" + std::to_string(int(p)) + ":" + t);
    }
    void SetComment(const std::string& t) override { events.push_back("comment:" + t); }
    void RepaintBoardNow(game::BoardId b) override
    {
        events.push_back("repaint:" + Name(b));
        game::SkipBackground = boardsShown ? 0 : game::SkipBackground;
    }
    void InvalidateBoard(game::BoardId b, bool erase) override
    {
        events.push_back("invalidate:" + Name(b) + (erase ? "" : " keeping the background"));
    }
    void Beep() override { events.push_back("beep"); }
    void Pause(int ms) override { events.push_back("pause:" + std::to_string(ms)); ticks += ms; }
    void PlayEndSound(game::Outcome o) override { events.push_back("sound:" + Name(o)); }
    game::Answer AskResult(game::Outcome o) override
    {
        events.push_back("ask:" + Name(o));
        totalsWhenAsked = game::ManWon + game::CompWon;
        return answer;
    }
    void QueueNewGame() override { events.push_back("newgame"); }
    void EndProgram() override { events.push_back("endprogram"); }
    std::uint32_t TickCount() override { return ticks; }
    std::int64_t CalendarSeconds() override { return seconds; }
    Events Take() { return std::exchange(events, {}); }
};

inline void ResetGameState()
{
    game::Options = game::GameOptions{};
    game::CellSize = 17;
    game::ClearModel();
    game::ResetPlacement();
    game::ShotHit[0] = game::ShotHit[1] = 0;
    game::SkipBackground = game::OpeningMoveDone = game::ShotsLeft = 0;
    game::ManWon = game::CompWon = game::RunWins = game::RunLosses = 0;
}

struct ShipPlan { int x, y, length; bool vertical; };
using Fleet = std::vector<ShipPlan>;

// Ships in index order, none touching: А1-Г1, Е6-З6, А3-А5, В3-Г3, Е3-Ж3,
// И3-И4, А7, В7, В9, К10 (x is the column, y the row, from 0).
const Fleet kFleetA = {{0, 0, 4, false}, {5, 5, 3, false}, {0, 2, 3, true}, {2, 2, 2, false}, {5, 2, 2, false},
                       {8, 2, 2, true},  {0, 6, 1, false}, {2, 6, 1, false}, {2, 8, 1, false}, {9, 9, 1, false}};

inline bool Same(const game::PixelRect& a, const game::PixelRect& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
inline game::PixelRect RectOf(const ShipPlan& s) { return game::ShipRectAt(s.x, s.y, s.length, s.vertical); }

inline std::vector<game::CellPos> SquaresOf(const ShipPlan& s)
{
    std::vector<game::CellPos> v;
    for (int k = 0; k < s.length; ++k)
        v.push_back(s.vertical ? game::CellPos{s.x, s.y + k} : game::CellPos{s.x + k, s.y});
    return v;
}

// Places the ships through PlaceShip in the given order, keeping their
// rectangles in ShipRects as the arrangement does.
inline void PlaceFleet(int boardSide, const Fleet& fleet = kFleetA)
{
    game::ResetRecording();
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        ASSERT_FALSE(game::PositionBlocked(RectOf(fleet[i]), boardSide)) << "ship " << i;
        game::ShipRects[1 - boardSide][i] = RectOf(fleet[i]);
        game::PlaceShip(RectOf(fleet[i]), boardSide);
    }
}

class GameTest : public ::testing::Test {
protected:
    Recorder fx;
    void SetUp() override { ResetGameState(); game::SetEffects(&fx); }
    void TearDown() override { game::SetEffects(nullptr); }
    // A new game in battle, with kFleetA on the chosen boards.
    void NewGame(bool humanFleet, bool computerFleet)
    {
        ResetGameState();
        if (humanFleet)
            PlaceFleet(game::kHumanBoard);
        if (computerFleet)
            PlaceFleet(game::kComputerBoard);
        game::BattleOn = 1;
        fx.events.clear();
    }
};

inline int ShotsLayer(int side) { return side == game::kHumanFleet ? game::ShotsAtHuman : game::ShotsAtComputer; }

// A square shot and hit without a turn around it (setting up a position).
inline void PreHit(int fleetSide, int x, int y)
{
    game::BoardAt(ShotsLayer(fleetSide), x, y) = 1;
    game::RegisterHit(x, y, fleetSide);
}

// Hits every square of kFleetA in that fleet but one and announces the nine
// ships sunk: a shot at `last` ends the game.
inline void HitAllBut(int fleetSide, Square last)
{
    for (const ShipPlan& s : kFleetA)
        for (const game::CellPos& p : SquaresOf(s))
            if (Square{p.x, p.y} != last)
                PreHit(fleetSide, p.x, p.y);
    game::AnnounceSunkShips(fleetSide);
}

// Every square of the human's board done but the given ones, so that the
// computer's random shot is known.
inline void LeaveHumanFree(const std::vector<Square>& free)
{
    for (int i = 0; i < 100; ++i)
        game::Board[game::ShotsAtHuman * 100 + i] = !std::count(free.begin(), free.end(), Square{i / 10, i % 10});
}

// A left click in the middle of square (x, y) of the computer's board.
inline void Click(int x, int y) { game::HumanShot(x * 17 + 8, y * 17 + 8); }

inline int CountLayer(int l) { return int(std::count(game::Board + 100 * l, game::Board + 100 * (l + 1), 1)); }

// The first calendar second in which the draws after the discarded one
// satisfy `match` (which draws them).
inline std::uint32_t SecondWhere(const std::function<bool()>& match)
{
    for (std::uint32_t s = 0;; ++s) {
        game::SeedRandom(s);
        game::RandomValue();
        if (match())
            return s;
    }
}

}  // namespace testing_game
