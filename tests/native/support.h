// Shared by the game tests: an Effects recorder with a fixed clock, a fixture
// that puts all game state back to its program-start values, and a fleet.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "game/effects.h"
#include "game/model.h"
#include "game/opponent.h"
#include "game/options.h"
#include "game/placement.h"
#include "game/random.h"
#include "game/score.h"
#include "game/settle.h"
#include "game/turns.h"

namespace testing_game {

using Events = std::vector<std::string>;
using Square = std::pair<int, int>;

// Every effect as one short text, in order: "ccap:", "hcap:", "status<part>:",
// "comment:", "repaint:<board>", "invalidate:<board>", "beep", "pause:<ms>",
// "sound:<id>", "ask:<id>", "newgame", "endprogram". Ticks advance with each
// pause; the calendar seconds stay put unless advanceSeconds follows the ticks.
class Recorder final : public game::Effects {
public:
    Events events;
    std::uint32_t ticks = 1000;
    std::int64_t seconds = 1000000;
    bool advanceSeconds = false;
    int answer = 2;  // the result dialog's answer
    std::function<void()> onRepaint;

    static std::string Name(game::BoardId b) { return b == game::BoardId::Computer ? "computer" : "human"; }
    void SetComputerCaption(const std::string& t) override { events.push_back("ccap:" + t); }
    void SetHumanCaption(const std::string& t) override { events.push_back("hcap:" + t); }
    void SetStatus(game::StatusPart p, const std::string& t) override
    {
        events.push_back("status" + std::to_string(static_cast<int>(p)) + ":" + t);
    }
    void SetComment(const std::string& t) override { events.push_back("comment:" + t); }
    void RepaintBoardNow(game::BoardId b) override
    {
        events.push_back("repaint:" + Name(b));
        if (onRepaint)
            onRepaint();
    }
    void InvalidateBoard(game::BoardId b, bool erase) override
    {
        events.push_back("invalidate:" + Name(b) + (erase ? "" : ":keep"));
    }
    void Beep() override { events.push_back("beep"); }
    void Pause(int ms) override
    {
        events.push_back("pause:" + std::to_string(ms));
        ticks += static_cast<std::uint32_t>(ms);
    }
    void PlayEndSound(int id) override { events.push_back("sound:" + std::to_string(id)); }
    int AskResult(int id) override
    {
        events.push_back("ask:" + std::to_string(id));
        return answer;
    }
    void QueueNewGame() override { events.push_back("newgame"); }
    void EndProgram() override { events.push_back("endprogram"); }
    std::uint32_t TickCount() override { return ticks; }
    std::int64_t CalendarSeconds() override { return advanceSeconds ? seconds + ticks / 1000 : seconds; }

    int Count(const std::string& prefix) const
    {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const std::string& e) {
            return e.compare(0, prefix.size(), prefix) == 0;
        }));
    }
    int Exactly(const std::string& event) const
    {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    void Clear()
    {
        events.clear();
        taken = 0;
    }
    // The events recorded since the last call.
    Events Take()
    {
        Events e(events.begin() + static_cast<std::ptrdiff_t>(taken), events.end());
        taken = events.size();
        return e;
    }
    std::size_t taken = 0;
};

inline void ResetGameState()
{
    game::Options = game::GameOptions{};
    game::CellSize = 17;
    game::ClearModel();
    game::ResetPlacement();
    game::ShotHit[0] = game::ShotHit[1] = 0;
    game::SunkShipName[0] = '\0';
    game::SkipBackground = 0;
    game::ShotsLeft = 0;
    game::OpeningMoveDone = 0;
    game::ComputerTurnStartTick = game::ComputerTurnEndTick = 0;
    game::ManWon = game::CompWon = game::RunWins = game::RunLosses = 0;
}

struct ShipPlan {
    int x, y, length;
    bool vertical;
};
using Fleet = std::vector<ShipPlan>;

// Ships in index order, none touching. Ship 1 lies mid-board, ship 9 in К10.
//   x 0 1 2 3 4 5 6 7 8 9
//   0 A A A A . . . . . .
//   2 C . D D . E E . F .     (rows 1, 7 and 9 but К10 are empty)
//   3 C . . . . . . . F .
//   4 C . . . . . . . . .
//   5 . . . . . B B B . .
//   6 G . H . . . . . . .
//   8 . . I . . . . . . .
//   9 . . . . . . . . . J
const Fleet kFleetA = {{0, 0, 4, false}, {5, 5, 3, false}, {0, 2, 3, true}, {2, 2, 2, false}, {5, 2, 2, false},
                       {8, 2, 2, true},  {0, 6, 1, false}, {2, 6, 1, false}, {2, 8, 1, false}, {9, 9, 1, false}};

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
        const ShipPlan& s = fleet[i];
        const game::PixelRect r = game::ShipRectAt(s.x, s.y, s.length, s.vertical);
        ASSERT_FALSE(game::PositionBlocked(r, boardSide)) << "ship " << i;
        game::ShipRects[1 - boardSide][i] = r;
        game::PlaceShip(r, boardSide);
    }
}

class GameTest : public ::testing::Test {
protected:
    Recorder fx;
    void SetUp() override
    {
        ResetGameState();
        game::SetEffects(&fx);
    }
    void TearDown() override { game::SetEffects(nullptr); }
    // A new game in battle with kFleetA on the chosen boards.
    void NewGame(bool humanFleet, bool computerFleet)
    {
        ResetGameState();
        if (humanFleet)
            PlaceFleet(game::kHumanBoard);
        if (computerFleet)
            PlaceFleet(game::kComputerBoard);
        game::BattleOn = 1;
        fx.Clear();
    }
};

inline int ShotsLayer(int fleetSide) { return fleetSide == game::kComputerFleet ? game::ShotsAtComputer : game::ShotsAtHuman; }

// A square shot and hit without a turn around it (setting up a position).
inline void PreHit(int fleetSide, int x, int y)
{
    game::BoardAt(ShotsLayer(fleetSide), x, y) = 1;
    game::RegisterHit(x, y, fleetSide);
}

// Hits every square of kFleetA in that fleet but the given one, announcing
// the nine ships sunk: the next shot at `last` ends the game.
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
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            game::BoardAt(game::ShotsAtHuman, x, y) = std::find(free.begin(), free.end(), Square{x, y}) == free.end();
}

// A left click in the middle of square (x, y) of the computer's board.
inline void Click(int x, int y)
{
    game::HumanShot(x * game::CellSize + game::CellSize / 2, y * game::CellSize + game::CellSize / 2);
}

inline int CountLayer(int layer)
{
    return static_cast<int>(std::count_if(game::Board + layer * 100, game::Board + layer * 100 + 100,
                                           [](std::uint8_t b) { return b != 0; }));
}

// The first calendar second after which, past the one discarded draw, the
// draws satisfy `match` (which draws them).
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
