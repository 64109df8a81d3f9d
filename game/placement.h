// Placement rules and automatic arrangement, and the state of
// placing ships by hand that the picker, the board and the shell share.
#pragma once

#include <cstdint>

#include "game/model.h"

namespace game {

// --- Rectangles -----------------------------------------------------------------

// A candidate or placed ship read from its pixel rectangle:
// top-left square, orientation (height == CellSize is horizontal, a one-square
// ship included) and length along the long side.
struct ShipGeometry {
    int x;
    int y;
    bool horizontal;
    int length;
};
ShipGeometry GeometryOf(const PixelRect& rect);
// The pixel rectangle of a ship with top-left square (x, y).
PixelRect ShipRectAt(int x, int y, int length, bool vertical);

// --- Placement rules -----------------------------------------------------

// True if a square of the ship is set in that board side's zone layer or lies
// beyond the board (board side 0 human, 1 computer). Lengths outside 1..4 are
// blocked as well.
bool PositionBlocked(const PixelRect& rect, int boardSide);
// Puts the ship on the board side (zone and ship layers) and records it in
// fleet side 1 - boardSide. Each call places one new ship.
void PlaceShip(const PixelRect& rect, int boardSide);
// Records one square of the ship being placed; used by PlaceShip.
void RecordShipSquare(int x, int y, int fleetSide, int length);
// Sets the recording state to its start: no ship in progress, counters 0.
void ResetRecording();
// Arranges all ten ships of a fleet side (kHumanFleet or kComputerFleet) at
// random. For the human's fleet it also sets every ShipPlaced flag and asks for
// a repaint of the human's board with its background erased.
void ArrangeFleet(int fleetSide);

// Candidates drawn by the last ArrangeFleet (figures and tests only).
extern std::int32_t ArrangeCandidates;

// --- Placement by hand ----------------------------------------------

extern std::uint8_t PlacingShip;          // a ship is being positioned
extern std::int32_t ShipBeingPlaced;      // its index in the human's fleet
extern std::uint8_t ShipPlaced[kShipCount];
extern std::int32_t PlacedCount;
extern std::uint8_t PickerOpen;           // the picker accepts a choice
extern std::int32_t ShipsLeftToPlace[4];  // lengths 4, 3, 2, 1
extern std::int32_t ChosenOfLength[3];    // lengths 3, 2, 1

// The placement share of the new-game reset: everything above to its start.
void ResetPlacement();
// ChooseShip's fleet index for length slot t (0..3 for lengths 4, 3, 2, 1),
// advancing ChosenOfLength: 0; 1-2; 3-5; 6-9. Returns -1,
// changing nothing, for t outside 0..3 or when that length has no index left.
// The caller checks ShipsLeftToPlace[t] first, as ChooseShip does.
int NextChosenShipIndex(int t);

}  // namespace game
