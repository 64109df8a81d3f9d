// Test support for game/: an Effects recorder with a fixed clock, a fixture
// that puts every piece of game state back to its program-start values, and
// a hand-made fleet.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/effects.h"
#include "game/model.h"
#include "game/opponent.h"
#include "game/options.h"
#include "game/placement.h"
#include "game/score.h"
#include "game/settle.h"
#include "game/turns.h"

namespace testing_game {

inline const char* OutcomeName(game::Outcome o) { return o == game::Outcome::HumanWon ? "won" : "lost"; }
inline const char* BoardName(game::BoardId b) { return b == game::BoardId::Computer ? "computer" : "human"; }

// Records every effect in order as one short text:
//   ccap:<text> hcap:<text> status0:<text> status1:<text> status2:<text>
//   comment:<text> repaint:<board> invalidate:<board>[:erase] beep pause:<ms>
//   sound:<id> ask:<id> newgame endprogram
// The clock: ticks advance by each pause; the calendar seconds stay fixed at
// `seconds` unless `advanceSeconds` is set, then they follow the ticks.
class Recorder final : public game::Effects {
public:
    std::vector<std::string> events;
    std::uint32_t ticks = 1000;
    std::int64_t seconds = 1000000;
    bool advanceSeconds = false;
    game::Answer answer = game::Answer::Stop;  // the result dialog's answer
    int asked = 0;
    int totalsWhenAsked = -1;  // ManWon + CompWon while the result dialog is up
    std::function<void(game::BoardId)> onRepaint;  // runs after each repaint
    bool boardsShown = true;  // a shown board paints at once, lowering SkipBackground

    void SetComputerCaption(const std::string& t) override { events.push_back("ccap:" + t); }
    void SetHumanCaption(const std::string& t) override { events.push_back("hcap:" + t); }
    void SetStatus(game::StatusPart p, const std::string& t) override
    {
        events.push_back("status" + std::to_string(static_cast<int>(p)) + ":" + t);
    }
    void SetComment(const std::string& t) override { events.push_back("comment:" + t); }
    void RepaintBoardNow(game::BoardId b) override
    {
        events.push_back(std::string("repaint:") + BoardName(b));
        if (boardsShown)
            game::SkipBackground = 0;
        if (onRepaint)
            onRepaint(b);
    }
    void InvalidateBoard(game::BoardId b, bool erase) override
    {
        events.push_back(std::string("invalidate:") + BoardName(b) + (erase ? ":erase" : ""));
    }
    void Beep() override { events.push_back("beep"); }
    void Pause(int ms) override
    {
        events.push_back("pause:" + std::to_string(ms));
        ticks += static_cast<std::uint32_t>(ms);
    }
    void PlayEndSound(game::Outcome o) override { events.push_back(std::string("sound:") + OutcomeName(o)); }
    game::Answer AskResult(game::Outcome o) override
    {
        events.push_back(std::string("ask:") + OutcomeName(o));
        ++asked;
        totalsWhenAsked = game::ManWon + game::CompWon;
        return answer;
    }
    void QueueNewGame() override { events.push_back("newgame"); }
    void EndProgram() override { events.push_back("endprogram"); }
    std::uint32_t TickCount() override { return ticks; }
    std::int64_t CalendarSeconds() override { return advanceSeconds ? seconds + ticks / 1000 : seconds; }

    int Count(const std::string& e) const
    {
        int n = 0;
        for (const std::string& s : events)
            n += s == e;
        return n;
    }
    int CountPrefix(const std::string& p) const
    {
        int n = 0;
        for (const std::string& s : events)
            n += s.compare(0, p.size(), p) == 0;
        return n;
    }
    void Clear() { events.clear(); }
};

// Puts every piece of game state back to its program-start value.
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
    game::CommentLine[0] = '\0';
    game::ComputerTurnStartTick = game::ComputerTurnEndTick = 0;
    game::ManWon = game::CompWon = game::RunWins = game::RunLosses = 0;
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
};

struct ShipPlan {
    int x;
    int y;
    int length;
    bool vertical;
};

// A fleet in index order (lengths 4, 3, 3, 2, 2, 2, 1, 1, 1, 1), no two
// ships touching. Ship 1 lies mid-board, ship 9 in the corner К10.
//   . 0 1 2 3 4 5 6 7 8 9   (x)
//   0 A A A A . . . . . .
//   1 . . . . . . . . . .
//   2 C . D D . E E . F .
//   3 C . . . . . . . F .
//   4 C . . . . . . . . .
//   5 . . . . . B B B . .
//   6 G . H . . . . . . .
//   7 . . . . . . . . . .
//   8 . . I . . . . . . .
//   9 . . . . . . . . . J
constexpr ShipPlan kFleetA[game::kShipCount] = {
    {0, 0, 4, false}, {5, 5, 3, false}, {0, 2, 3, true}, {2, 2, 2, false}, {5, 2, 2, false},
    {8, 2, 2, true},  {0, 6, 1, false}, {2, 6, 1, false}, {2, 8, 1, false}, {9, 9, 1, false},
};

// Places a fleet on a board side through PlaceShip, in index order, storing
// each rectangle in ShipRects as the arrangement does.
inline void PlaceFleet(int boardSide, const ShipPlan (&fleet)[game::kShipCount])
{
    game::ResetRecording();
    const int fleetSide = 1 - boardSide;
    for (int i = 0; i < game::kShipCount; ++i) {
        const ShipPlan& s = fleet[i];
        const game::PixelRect r = game::ShipRectAt(s.x, s.y, s.length, s.vertical);
        ASSERT_FALSE(game::PositionBlocked(r, boardSide)) << "ship " << i;
        game::ShipRects[fleetSide][i] = r;
        game::PlaceShip(r, boardSide);
    }
}

// Both fleets as kFleetA.
inline void PlaceBothFleets()
{
    PlaceFleet(game::kHumanBoard, kFleetA);
    PlaceFleet(game::kComputerBoard, kFleetA);
}

// The squares of ship i of a ShipPlan fleet.
inline std::vector<game::CellPos> SquaresOf(const ShipPlan& s)
{
    std::vector<game::CellPos> v;
    for (int k = 0; k < s.length; ++k)
        v.push_back(s.vertical ? game::CellPos{s.x, s.y + k} : game::CellPos{s.x + k, s.y});
    return v;
}

// A left click on square (x, y) of the computer's board.
inline void Click(int x, int y)
{
    game::HumanShot(x * game::CellSize + game::CellSize / 2, y * game::CellSize + game::CellSize / 2);
}

inline int CountLayer(int layer)
{
    int n = 0;
    for (int i = 0; i < 100; ++i)
        n += game::Board[layer * 100 + i] != 0;
    return n;
}

// The events from index `from` on.
inline std::vector<std::string> Since(const Recorder& r, std::size_t from)
{
    return std::vector<std::string>(r.events.begin() + static_cast<std::ptrdiff_t>(from), r.events.end());
}

// Marks a square of a fleet as shot and hit, as a shot would, without effects
// on the turn (setting up a position).
inline void PreHit(int fleetSide, int x, int y)
{
    const int layer = fleetSide == game::kComputerFleet ? game::ShotsAtComputer : game::ShotsAtHuman;
    game::BoardAt(layer, x, y) = 1;
    game::RegisterHit(x, y, fleetSide);
}

}  // namespace testing_game
