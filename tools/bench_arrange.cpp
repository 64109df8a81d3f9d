// Figures for the automatic arrangement: fleet arrangements per
// second and the candidates (three drawn values each) an arrangement needs.
//
//   bench_arrange [seeds]     default 1 000 000 seeds
//
// Seed i is the calendar second 1 700 000 000 + i. For every seed a new game's
// two arrangements run as the new-game command runs them: ClearModel, the
// human's fleet, then the computer's fleet in the same second.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/effects.h"
#include "game/model.h"
#include "game/placement.h"

namespace {

class ClockOnly final : public game::SilentEffects {
public:
    std::int64_t seconds = 0;
    std::int64_t CalendarSeconds() override { return seconds; }
};

struct FleetStats {
    const char* name;
    int discards;
    std::vector<std::uint16_t> candidates;
    int max = 0;
    std::int64_t maxSeed = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    const long seeds = argc > 1 ? std::atol(argv[1]) : 1000000;
    if (seeds <= 0) {
        std::fprintf(stderr, "usage: bench_arrange [seeds]\n");
        return 2;
    }
    constexpr std::int64_t kFirstSecond = 1700000000;
    ClockOnly clock;
    game::SetEffects(&clock);

    FleetStats stats[2] = {{"human", 1, {}, 0, 0}, {"computer", 21, {}, 0, 0}};
    for (FleetStats& s : stats)
        s.candidates.reserve(static_cast<std::size_t>(seeds));

    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < seeds; ++i) {
        clock.seconds = kFirstSecond + i;
        game::ClearModel();
        for (int f = 0; f < 2; ++f) {
            game::ArrangeFleet(f == 0 ? game::kHumanFleet : game::kComputerFleet);
            const int n = game::ArrangeCandidates;
            stats[f].candidates.push_back(static_cast<std::uint16_t>(std::min(n, 65535)));
            if (n > stats[f].max) {
                stats[f].max = n;
                stats[f].maxSeed = clock.seconds;
            }
        }
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    game::SetEffects(nullptr);

    std::printf("Automatic arrangement: %ld seeds (calendar seconds %lld..%lld), both fleets per seed\n\n", seeds,
                static_cast<long long>(kFirstSecond), static_cast<long long>(kFirstSecond + seeds - 1));
    std::printf("| Fleet | Mean candidates | Median | 99.9th percentile | Max candidates | Max values drawn | "
                "Seed of the max |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    for (FleetStats& s : stats) {
        std::vector<std::uint16_t>& c = s.candidates;
        double sum = 0;
        for (std::uint16_t v : c)
            sum += v;
        std::sort(c.begin(), c.end());
        const int median = c[c.size() / 2];
        const int p999 = c[std::min(c.size() - 1, c.size() * 999 / 1000)];
        std::printf("| %s | %.1f | %d | %d | %d | %d | %lld |\n", s.name, sum / static_cast<double>(c.size()), median,
                    p999, s.max, s.discards + 3 * s.max, static_cast<long long>(s.maxSeed));
    }
    std::printf("\n%ld arrangements in %.2f s: %.0f arrangements per second (one candidate is three values)\n",
                2 * seeds, elapsed, 2.0 * static_cast<double>(seeds) / elapsed);
    return 0;
}
