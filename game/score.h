// Won and lost games: all-time totals (kept by the settings store) and the
// counts of this run.
#pragma once

#include <cstdint>

namespace game {

extern std::int32_t ManWon;     // all runs, human's wins
extern std::int32_t CompWon;    // all runs, computer's wins
extern std::int32_t RunWins;    // this run
extern std::int32_t RunLosses;  // this run

// The totals as the settings store keeps them; the run's counts start at 0.
void SetTotals(std::int32_t manWon, std::int32_t compWon);
// The statistics dialog's clearing: all four to 0.
void ClearScore();

}  // namespace game
