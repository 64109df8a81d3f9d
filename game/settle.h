// End of a shot and of the game: announcing sunk ships, marking
// their rings, the ships-left counts and the result of a finished game.
#pragma once

#include <string>

#include "game/effects.h"

namespace game {

// After every shot at that fleet (right after RegisterHit): sets ShipSunk of
// every sunk ship and, for a ship sunk but not yet announced, copies its type
// name into SunkShipName, marks it announced and beeps.
void AnnounceSunkShips(int fleetSide);

// After every shot at that board (after RegisterHit and AnnounceSunkShips):
// marks the ring of every sunk ship as done, updates the ships-left counter
// and its status text, and settles the end of the game when all ten ships are
// sunk. Returns true when this shot ended the game.
bool SettleShot(BoardId board);

// The board fired at shows the shot now, its marks only (SkipBackground
// raised for the one paint). A board that cannot paint at once (hidden, or
// its frame minimised) leaves the flag raised: it is lowered here and the
// board is marked for a whole paint, which it gets when it shows again.
void ShowShot(BoardId board);

// "Компьютер:%d" with ComputerShipsLeft for StatusPart::ComputerShips,
// "Человек:%d" with HumanShipsLeft for StatusPart::HumanShips, "" otherwise.
std::string ShipsLeftText(StatusPart part);
// The same text for a given number of ships.
std::string ShipsLeftText(StatusPart part, int ships);

}  // namespace game
