// The verbs the windows call to change the game: a new game, placing the
// fleet by hand, the start of the battle, and the small pieces of state the
// painters and the statistics change. The windows draw what results.
#pragma once

#include "game/model.h"

namespace game {

// The model, the placement by hand and the fleet recording to a new game's
// start; a ship being positioned is dropped.
void ResetGame();

enum class GameStart {
    Battle,  // both fleets arranged, the battle started (the computer may have opened)
    ByHand,  // the picker is open: the human places the fleet ship by ship
};
// The second half of a new game, after the windows have been wiped: with
// AutoArrange on, the human's fleet and then the computer's are arranged and
// the battle starts; otherwise the picker opens.
GameStart StartGame();

// A ship chosen in the picker: for length slot t (0..3 for four to one
// squares), upright or lying, the next fleet index of that length starts
// being positioned at square А1. Returns the index, or -1 (changing
// nothing) while the picker is closed, a ship is being positioned or the
// length has no ship left.
int ChooseShip(int t, bool vertical);
// The ship being positioned now stands at r.
void MovePositionedShip(const PixelRect& r);

enum class Confirmed {
    Refused,        // it touches a placed ship: it stays being positioned
    Placed,         // recorded; the picker chooses the next one
    FleetComplete,  // the tenth ship: the picker closes, BeginBattle follows
};
// Tests the ship being positioned against the touching rule and records it.
Confirmed ConfirmShip();

// The computer's fleet is arranged and the battle starts; the battle is on
// unless the computer's opening move has already ended the game.
void BeginBattle();

// Reads SkipBackground for a paint and lowers it: true when the paint is to
// draw the ships and marks only.
bool TakeSkipBackground();

}  // namespace game
