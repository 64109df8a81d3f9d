// The computer opponent: one call fires one shot at the human's board.
#pragma once

#include <cstdint>

#include "game/model.h"

namespace game {

constexpr std::int32_t kNoTargetShip = 33;

// The opponent's memory, kept between shots; ClearModel sets it to its start.
extern std::uint8_t Hunting;         // a human ship is hit and not finished off
extern CellPos HitTrail[4];          // hits on the target ship, entry 0 the first
extern std::int32_t TrailEnd;        // index of the latest hit in HitTrail
extern std::int32_t TargetShip;      // human fleet index of the ship hit last, or 33
extern std::int32_t PreviousTargetShip;

void ResetOpponentMemory();

// The level ComputerShot plays: Options.ProphyUser when it is 0, 1 or 2.
// Any other stored value plays as level 0, the built-in level, so that every
// shot is a legal one whatever the settings hold.
int OpponentLevel();

struct ComputerShotResult {
    std::int32_t x;   // the square fired at; -1, -1 when nothing was fired
    std::int32_t y;
    bool fired;       // false only when no square of the human's board is left
    bool gameEnded;   // this shot sank the human's tenth ship
};

// Fires one shot at the human's board by the rules of the current level:
// marks it, updates the memory, registers and settles it, repaints the human's
// board and writes the commentary with a pause after each line.
ComputerShotResult ComputerShot();

}  // namespace game
