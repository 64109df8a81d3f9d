// Won and lost games: the all-time totals and the counts of this run.
#include "game/score.h"

namespace game {

std::int32_t ManWon;
std::int32_t CompWon;
std::int32_t RunWins;
std::int32_t RunLosses;

void SetTotals(std::int32_t manWon, std::int32_t compWon)
{
    ManWon = manWon;
    CompWon = compWon;
    RunWins = 0;
    RunLosses = 0;
}

void ClearScore() { SetTotals(0, 0); }

}  // namespace game
