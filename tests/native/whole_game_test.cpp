// Whole games through game/, every level x mode x first shooter, with the
// model checked after every shot and the end checked to come exactly with
// the tenth sunk ship of one fleet.
#include "game_support.h"

#include <random>
#include <sstream>

using namespace testing_game;

namespace {

struct GameSetup {
    int level;
    bool salvo;
    bool humanFirst;
};

std::string Describe(const GameSetup& s)
{
    std::ostringstream o;
    o << "level " << s.level << (s.salvo ? " salvo" : " single") << (s.humanFirst ? " human-first" : " computer-first");
    return o.str();
}

class WholeGame : public GameTest {
protected:
    bool opening = false;  // BattleOn is still 0 during StartBattle
    std::string fault;     // the first inconsistency seen
    int shotsChecked = 0;

    // The invariants of the model that must hold after every shot.
    std::string CheckModel() const
    {
        for (int f = 0; f < 2; ++f) {
            const int shipLayer = f == game::kComputerFleet ? game::ComputerShips : game::HumanShips;
            const int shotLayer = f == game::kComputerFleet ? game::ShotsAtComputer : game::ShotsAtHuman;
            const std::string side = f == game::kComputerFleet ? "computer" : "human";
            int sunk = 0, hits = 0;
            for (int i = 0; i < 10; ++i) {
                const int L = game::ShipLength(i);
                for (int k = 0; k < 4; ++k) {
                    const game::CellPos live = game::FleetLive[f][i][k];
                    if (k >= L) {
                        if (live.x != game::SunkMarker || live.y != game::SunkMarker)
                            return side + ": FleetLive padding lost";
                        continue;
                    }
                    const game::CellPos p = game::FleetLayout[f][i][k];
                    if (!game::IsSet(shipLayer, p.x, p.y))
                        return side + ": a fleet square is not in the ship layer";
                    const bool hit = live.x == game::SunkMarker;
                    if (!hit && (live.x != p.x || live.y != p.y))
                        return side + ": FleetLive disagrees with FleetLayout";
                    if (hit != game::IsSet(shotLayer, p.x, p.y))
                        return side + ": a hit is not a shot square or the reverse, at " + game::CellName(p.x, p.y);
                    hits += hit;
                }
                const bool isSunk = game::IsSunk(i, f);
                if (isSunk != (game::ShipSunk[f][i] != 0))
                    return side + ": ShipSunk disagrees with FleetLive for ship " + std::to_string(i);
                if (game::SunkAnnounced[f][i] != game::ShipSunk[f][i])
                    return side + ": a sunk ship was not announced";
                if (isSunk) {
                    ++sunk;
                    const game::ShipGeometry g = game::GeometryOf(game::ShipRects[f][i]);
                    const int w = g.horizontal ? g.length : 1, h = g.horizontal ? 1 : g.length;
                    for (int x = g.x - 1; x <= g.x + w; ++x)
                        for (int y = g.y - 1; y <= g.y + h; ++y)
                            if (game::OnBoard(x, y) && !game::IsSet(shotLayer, x, y))
                                return side + ": the ring of a sunk ship is not marked";
                }
            }
            const int left = f == game::kComputerFleet ? game::ComputerShipsLeft : game::HumanShipsLeft;
            if (left != 10 - sunk)
                return side + ": ships-left counter " + std::to_string(left) + " with " + std::to_string(sunk) +
                       " sunk";
            // SquaresLeft is recounted only where the salvo rule needs it; a
            // recount must agree with the hits in the fleet.
            const std::int32_t saved[2] = {game::SquaresLeft[0], game::SquaresLeft[1]};
            game::CountSquaresLeft();
            const int recount = game::SquaresLeft[f];
            game::SquaresLeft[0] = saved[0];
            game::SquaresLeft[1] = saved[1];
            if (recount != 20 - hits)
                return side + ": CountSquaresLeft disagrees with the fleet";
            if (saved[f] < recount)
                return side + ": SquaresLeft below the real count";
        }
        const bool over = game::ComputerShipsLeft == 0 || game::HumanShipsLeft == 0;
        if (over != (fx.asked == 1) || fx.asked > 1)
            return "the result question does not match ten sunk ships";
        if (over && game::BattleOn)
            return "BattleOn after the end";
        if (!over && !opening && !game::BattleOn)
            return "BattleOn cleared before the end";
        for (int i = 0; i < 600; ++i)
            if (game::Board[i] > 1)
                return "a board byte other than 0 or 1";
        return std::string();
    }

    // Plays one game from the new-game command to the result. The human
    // clicks random squares not yet done (or, with `anySquare`, any square).
    void PlayGame(const GameSetup& s, unsigned seed, bool anySquare = false, bool byHand = false)
    {
        ResetGameState();
        fx.Clear();
        fx.asked = 0;
        fx.seconds = 1700000000 + seed * 1000;
        fx.advanceSeconds = true;
        fx.answer = seed % 2 ? game::Answer::PlayAgain : game::Answer::Stop;
        game::Options.ProphyUser = s.level;
        game::Options.Salvo = s.salvo;
        game::Options.FirstShoot = s.humanFirst;
        game::Options.Reshot = !anySquare;
        fault.clear();
        fx.onRepaint = [this](game::BoardId) {
            ++shotsChecked;
            if (fault.empty())
                fault = CheckModel();
        };

        // The new game.
        game::ClearModel();
        game::ResetPlacement();
        game::ResetRecording();
        if (byHand) {
            game::Options.AutoArrange = false;
            for (int i = 9; i >= 0; --i) {
                const ShipPlan& sp = kFleetA[i];
                game::ShipBeingPlaced = i;
                game::ShipRects[1][i] = game::ShipRectAt(sp.x, sp.y, sp.length, sp.vertical);
                ASSERT_FALSE(game::PositionBlocked(game::ShipRects[1][i], game::kHumanBoard));
                game::PlaceShip(game::ShipRects[1][i], game::kHumanBoard);
                game::ShipPlaced[i] = 1;
            }
        } else {
            game::ArrangeFleet(game::kHumanFleet);
        }
        game::PlacedCount = 10;
        game::ArrangeFleet(game::kComputerFleet);
        opening = true;
        const bool goesOn = game::StartBattle();
        opening = false;
        game::BattleOn = 1;
        ASSERT_TRUE(goesOn);
        ASSERT_EQ(fault, "") << Describe(s) << " seed " << seed << " (opening)";

        std::mt19937 rng(seed);
        int clicks = 0;
        while (fx.asked == 0 && clicks < 3000) {
            int x, y;
            if (!PickSquare(rng, anySquare, x, y)) {
                FAIL() << Describe(s) << " seed " << seed << ": every square done, the game goes on";
            }
            Click(x, y);
            ++clicks;
            ASSERT_EQ(fault, "") << Describe(s) << " seed " << seed << " click " << clicks;
        }
        ASSERT_EQ(fx.asked, 1) << Describe(s) << " seed " << seed << ": the game did not end";

        // Exactly one result, counted once, and nothing fired after it.
        const bool humanWon = game::ComputerShipsLeft == 0;
        EXPECT_NE(humanWon, game::HumanShipsLeft == 0) << "both fleets sunk";
        EXPECT_EQ(game::ManWon, humanWon ? 1 : 0);
        EXPECT_EQ(game::RunWins, humanWon ? 1 : 0);
        EXPECT_EQ(game::CompWon, humanWon ? 0 : 1);
        EXPECT_EQ(game::RunLosses, humanWon ? 0 : 1);
        EXPECT_EQ(fx.Count(humanWon ? "sound:won" : "sound:lost"), 1);
        EXPECT_EQ(fx.CountPrefix("sound:"), 1);
        EXPECT_EQ(fx.Count(fx.answer == game::Answer::PlayAgain ? "newgame" : "endprogram"), 1);
        EXPECT_EQ(fx.Count("newgame") + fx.Count("endprogram"), 1);
        const auto ask = std::find(fx.events.begin(), fx.events.end(), humanWon ? "ask:won" : "ask:lost");
        ASSERT_NE(ask, fx.events.end());
        int repaintsAfter = 0;
        for (auto it = ask; it != fx.events.end(); ++it)
            repaintsAfter += it->compare(0, 8, "repaint:") == 0;
        EXPECT_EQ(repaintsAfter, 1) << Describe(s) << " seed " << seed << ": shots after the end";
        EXPECT_EQ(game::BattleOn, 0);

        // A click after the end fires nothing.
        const std::size_t n = fx.events.size();
        Click(static_cast<int>(rng() % 10), static_cast<int>(rng() % 10));
        EXPECT_EQ(fx.events.size(), n);
        fx.onRepaint = nullptr;
        (humanWon ? humanWins : computerWins)++;
    }
    int humanWins = 0;
    int computerWins = 0;

    // A random square of the computer's board not yet done (any square with
    // `anySquare`); false when none is left.
    static bool PickSquare(std::mt19937& rng, bool anySquare, int& x, int& y)
    {
        if (!anySquare && CountLayer(game::ShotsAtComputer) == 100)
            return false;
        do {
            x = static_cast<int>(rng() % 10);
            y = static_cast<int>(rng() % 10);
        } while (!anySquare && game::IsSet(game::ShotsAtComputer, x, y));
        return true;
    }
};

TEST_F(WholeGame, EveryLevelModeAndFirstShooter)
{
    for (int level = 0; level <= 2; ++level)
        for (bool salvo : {false, true})
            for (bool humanFirst : {true, false})
                for (unsigned seed = 1; seed <= 40; ++seed) {
                    PlayGame(GameSetup{level, salvo, humanFirst}, seed * 31 + static_cast<unsigned>(level));
                    if (HasFatalFailure())
                        return;
                }
    EXPECT_GT(shotsChecked, 480 * 60);
    // Random clicking beats the computer now and then, but not at level 2.
    EXPECT_GT(humanWins, 0);
    EXPECT_GT(computerWins, 0);
}

TEST_F(WholeGame, OutOfRangeLevelsFinishEveryGame)
{
    for (int level : {-1, 3, 99})
        for (bool salvo : {false, true})
            for (unsigned seed = 1; seed <= 10; ++seed) {
                PlayGame(GameSetup{level, salvo, seed % 2 == 0}, seed);
                if (HasFatalFailure())
                    return;
            }
}

TEST_F(WholeGame, RepeatedClicksAllowedWithReshotOff)
{
    // The human also clicks squares already done; each is a new shot.
    for (int level = 0; level <= 2; ++level)
        for (bool salvo : {false, true})
            for (unsigned seed = 1; seed <= 10; ++seed) {
                PlayGame(GameSetup{level, salvo, true}, seed + 500, true);
                if (HasFatalFailure())
                    return;
            }
}

TEST_F(WholeGame, HandPlacedHumanFleet)
{
    for (int level = 0; level <= 2; ++level)
        for (unsigned seed = 1; seed <= 10; ++seed) {
            PlayGame(GameSetup{level, seed % 2 == 0, seed % 3 != 0}, seed + 900, false, true);
            if (HasFatalFailure())
                return;
        }
}

TEST_F(WholeGame, WithAFixedClockEveryShotReusesOneSequence)
{
    // Every computer shot in one calendar second sees the same values; the
    // games still end.
    for (int level = 0; level <= 2; ++level)
        for (bool salvo : {false, true}) {
            ResetGameState();
            game::Options.ProphyUser = level;
            game::Options.Salvo = salvo;
            fx.advanceSeconds = false;
            fx.asked = 0;
            game::ArrangeFleet(game::kHumanFleet);
            game::ArrangeFleet(game::kComputerFleet);
            game::StartBattle();
            game::BattleOn = 1;
            std::mt19937 rng(static_cast<unsigned>(level * 2 + salvo));
            for (int clicks = 0; fx.asked == 0 && clicks < 1000; ++clicks) {
                int x, y;
                ASSERT_TRUE(PickSquare(rng, false, x, y));
                Click(x, y);
            }
            EXPECT_EQ(fx.asked, 1) << "level " << level << " salvo " << salvo;
        }
}

}  // namespace
