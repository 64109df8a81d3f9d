// A compact text of the model for test probes: where the ships lie, what has
// been shot, the counters. Read-only; not used by the game itself.
#pragma once

#include <string>

namespace game {

// Lines of "Name=value", in this order:
//   BattleOn=0|1
//   SquaresLeft=<computer>,<human>
//   ShipsLeft=<ComputerShipsLeft>,<HumanShipsLeft>
//   ComputerFleet=<ship 0>;<ship 1>;...;<ship 9>   each ship its squares as
//   HumanFleet=...                                  "xy" digit pairs joined by ","
//   ShotsAtComputer=<100 characters 0/1, index x*10+y>
//   ShotsAtHuman=<the same>
//   ShipSunk=<10 characters 0/1 computer>,<10 characters human>
//   Opponent=<Hunting>,<TargetShip>,<TrailEnd>
std::string DescribeModel();

}  // namespace game
