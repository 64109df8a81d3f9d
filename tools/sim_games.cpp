// Figures for the computer opponent: complete games played
// through game/ against a scripted human, without real pauses.
//
//   sim_games [games]     games per level and mode, default 100 000
//
// Every game runs as the new-game command runs it (ClearModel, both fleets
// arranged at random, StartBattle, BattleOn) and then by clicks through
// HumanShot until SettleShot ends it. The clock is simulated: each pause of
// the game advances it by TimeOut (300 ms) without sleeping, and the calendar
// second, which reseeds the computer's random draws at every shot, follows
// it, starting from a different hour for every game.
//
// Table 1: the human only ever shoots at water (Reshot off, so water squares
// may be shot again), so every game ends with the computer sinking the whole
// fleet: the computer's shots to sink a random fleet.
// Table 2: the human shoots random squares not yet done: who wins.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "game/effects.h"
#include "game/model.h"
#include "game/opponent.h"
#include "game/options.h"
#include "game/placement.h"
#include "game/play.h"
#include "game/score.h"
#include "game/turns.h"

namespace {

class SimulatedClock final : public game::SilentEffects {
public:
    std::int64_t firstSecond = 0;
    std::uint64_t ms = 0;
    long computerShots = 0;
    int results = 0;

    void RepaintBoardNow(game::BoardId board) override
    {
        if (board == game::BoardId::Human)
            ++computerShots;
        game::SkipBackground = 0;  // as a shown board's paint does
    }
    void Pause(int pause) override { ms += static_cast<std::uint64_t>(pause); }
    game::Answer AskResult(game::Outcome) override
    {
        ++results;
        return game::Answer::Stop;
    }
    std::uint32_t TickCount() override { return static_cast<std::uint32_t>(ms); }
    std::int64_t CalendarSeconds() override { return firstSecond + static_cast<std::int64_t>(ms / 1000); }
};

enum class Human { Water, Random };

struct Outcome {
    long computerShots;
    bool computerWon;
};

constexpr int kMaxClicks = 20000;  // far beyond any real game: a hang guard

bool PlayOne(SimulatedClock& fx, std::mt19937& rng, Human human, long gameIndex, Outcome& out)
{
    fx.firstSecond = 1700000000 + gameIndex * 3600;
    fx.ms = 0;
    fx.computerShots = 0;
    fx.results = 0;
    game::ResetGame();
    game::StartGame();

    const int c = game::CellSize;
    for (int clicks = 0; fx.results == 0; ++clicks) {
        if (clicks >= kMaxClicks)
            return false;
        int x = 0, y = 0;
        int tries = 0;
        do {
            x = static_cast<int>(rng() % 10);
            y = static_cast<int>(rng() % 10);
            ++tries;
            // Water: any square without a computer ship (repeats allowed).
            // Random: a square not yet done; there always is one while the
            // game goes on.
        } while ((human == Human::Water ? game::IsSet(game::ComputerShips, x, y)
                                        : game::IsSet(game::ShotsAtComputer, x, y)) &&
                 tries < 100000);
        game::HumanShot(x * c + c / 2, y * c + c / 2);
    }
    out.computerShots = fx.computerShots;
    out.computerWon = game::HumanShipsLeft == 0;
    return true;
}

struct Row {
    int level;
    bool salvo;
    long games;
    double seconds;
    std::vector<long> shots;
    long computerWins;
};

bool Run(SimulatedClock& fx, Human human, int level, bool salvo, long games, Row& row)
{
    game::SetOptions(game::GameOptions{});
    game::SetLevel(level);
    game::SetSalvo(salvo);
    game::SetFirstShoot(true);
    game::SetReshot(human == Human::Random);  // water may be shot again
    std::mt19937 rng(static_cast<unsigned>(level * 2 + (salvo ? 1 : 0) + (human == Human::Water ? 0 : 100)));
    row = Row{level, salvo, games, 0.0, {}, 0};
    row.shots.reserve(static_cast<std::size_t>(games));
    const auto start = std::chrono::steady_clock::now();
    for (long g = 0; g < games; ++g) {
        Outcome o{};
        if (!PlayOne(fx, rng, human, g, o)) {
            std::fprintf(stderr, "level %d %s: game %ld did not end within %d clicks\n", level,
                         salvo ? "salvo" : "single", g, kMaxClicks);
            return false;
        }
        row.shots.push_back(o.computerShots);
        row.computerWins += o.computerWon;
    }
    row.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return true;
}

const char* LevelName(int level)
{
    static const char* const kNames[3] = {"0 Любитель", "1 Профессионал", "2 Супермэн"};
    return kNames[level];
}

}  // namespace

int main(int argc, char** argv)
{
    const long games = argc > 1 ? std::atol(argv[1]) : 100000;
    if (games <= 0) {
        std::fprintf(stderr, "usage: sim_games [games per level and mode]\n");
        return 2;
    }
    SimulatedClock fx;
    game::SetEffects(&fx);

    std::printf("Computer's shots to sink a random fleet (human shoots water only): %ld games per row\n\n", games);
    std::printf("| Level | Mode | Games/s | Mean shots | Median | Max |\n");
    std::printf("|---|---|---:|---:|---:|---:|\n");
    for (int level = 0; level <= 2; ++level)
        for (bool salvo : {false, true}) {
            Row row;
            if (!Run(fx, Human::Water, level, salvo, games, row))
                return 1;
            std::vector<long>& s = row.shots;
            double sum = 0;
            for (long v : s)
                sum += static_cast<double>(v);
            std::sort(s.begin(), s.end());
            if (row.computerWins != games) {
                std::fprintf(stderr, "a water-only game ended without the computer winning\n");
                return 1;
            }
            std::printf("| %s | %s | %.0f | %.1f | %ld | %ld |\n", LevelName(level), salvo ? "salvo" : "single",
                        static_cast<double>(games) / row.seconds, sum / static_cast<double>(games), s[s.size() / 2],
                        s.back());
            std::fflush(stdout);
        }

    const long randomGames = std::max(1L, games / 10);
    std::printf("\nAgainst a human shooting random squares not yet done: %ld games per row\n\n", randomGames);
    std::printf("| Level | Mode | Games/s | Computer wins | Mean computer shots |\n");
    std::printf("|---|---|---:|---:|---:|\n");
    for (int level = 0; level <= 2; ++level)
        for (bool salvo : {false, true}) {
            Row row;
            if (!Run(fx, Human::Random, level, salvo, randomGames, row))
                return 1;
            double sum = 0;
            for (long v : row.shots)
                sum += static_cast<double>(v);
            std::printf("| %s | %s | %.0f | %.1f %% | %.1f |\n", LevelName(level), salvo ? "salvo" : "single",
                        static_cast<double>(randomGames) / row.seconds,
                        100.0 * static_cast<double>(row.computerWins) / static_cast<double>(randomGames),
                        sum / static_cast<double>(randomGames));
            std::fflush(stdout);
        }
    game::SetEffects(nullptr);
    return 0;
}
