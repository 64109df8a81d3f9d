// The state of one game: the six board layers, the two fleets,
// the per-ship flags and counters, and the small queries on them.
//
// Everything here is plain global data owned by game/ for the whole run;
// there is exactly one game at a time and nothing is allocated.
#pragma once

#include <cstdint>
#include <string>

namespace game {

// --- Coordinates and sides --------------------------------------------------

// Board layers; the byte of square (x, y) in layer L is Board[L*100 + x*10 + y].
enum Layer : int {
    HumanZone = 0,        // a human ship or its ring (placement only)
    ComputerZone = 1,     // the same for the computer
    HumanShips = 2,       // a human ship lies here
    ComputerShips = 3,    // a computer ship lies here
    ShotsAtComputer = 4,  // done on the computer's board: shot, or ring of a sunk ship
    ShotsAtHuman = 5,     // done on the human's board: shot, ring, or ruled out
};

// Fleet sides index the fleet tables: the computer first.
constexpr int kComputerFleet = 0;
constexpr int kHumanFleet = 1;
// Board sides index the zone and ship layers: the human first.
// Board side s records into fleet side 1 - s.
constexpr int kHumanBoard = 0;
constexpr int kComputerBoard = 1;

constexpr int kBoardSize = 10;
constexpr int kShipCount = 10;
constexpr int kFleetSquares = 20;

constexpr std::int32_t SunkMarker = 666;  // a hit square in FleetLive
constexpr std::int32_t NoShip = 13;       // ShipAt found nothing
constexpr std::int32_t kSunkSum = 8 * SunkMarker;  // 5328: all four slots hit

// --- Model state --------------------------------------------------------------

struct CellPos {
    std::int32_t x;
    std::int32_t y;
};

// A ship's rectangle in board-window pixels, right and bottom exclusive.
struct PixelRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

extern std::uint8_t Board[600];

// [fleet side][ship index][slot]; squares in board squares, not pixels.
extern CellPos FleetLayout[2][kShipCount][4];
extern CellPos FleetLive[2][kShipCount][4];
// [fleet side][ship index]
extern PixelRect ShipRects[2][kShipCount];

extern std::uint8_t ShipSunk[2][kShipCount];       // [fleet side][ship]
extern std::uint8_t SunkAnnounced[2][kShipCount];  // [fleet side][ship]
extern std::uint8_t ShotHit[2];                    // [fleet side]: last shot found an un-hit ship square
extern char SunkShipName[32];                      // UTF-8 type name of the last announced sunk ship
extern std::int32_t SquaresLeft[2];                // [fleet side]: ship squares not yet hit
extern std::int32_t ComputerShipsLeft;
extern std::int32_t HumanShipsLeft;
extern std::uint8_t BattleOn;        // clicks on the computer's board are shots
extern std::uint8_t SkipBackground;  // next board paint draws ships and marks only

// Edge of one board square in device pixels; the shell sets it at start-up.
extern std::int32_t CellSize;
void SetCellSize(std::int32_t pixels);

// --- Board access ---------------------------------------------------------------

constexpr int BoardIndex(int layer, int x, int y) { return layer * 100 + x * 10 + y; }
constexpr bool OnBoard(int x, int y) { return x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize; }
// The byte of (x, y) in a layer; (x, y) must lie on the board.
inline std::uint8_t& BoardAt(int layer, int x, int y) { return Board[BoardIndex(layer, x, y)]; }
// True when (x, y) lies on the board and is set in the layer.
inline bool IsSet(int layer, int x, int y) { return OnBoard(x, y) && BoardAt(layer, x, y) != 0; }

// --- Queries and operations ---------------------------------------------------

// "А1" .. "К10" in UTF-8; empty for a square off the board.
std::string CellName(int x, int y);
// 4, 3, 3, 2, 2, 2, 1, 1, 1, 1 by ship index; 0 outside 0..9.
int ShipLength(int index);
// "Линкор", "Эсминец", "Крейсер" or "Катер" (UTF-8); "" outside 0..9.
const char* ShipTypeName(int index);

// Index of the ship of that fleet with (x, y) among its squares, or NoShip.
int ShipAt(int x, int y, int fleetSide);
// All four FleetLive slots of the ship hold SunkMarker. False outside 0..9.
bool IsSunk(int index, int fleetSide);
// Marks a hit of (x, y) in FleetLive and sets ShotHit of that side.
void RegisterHit(int x, int y, int fleetSide);
// Recounts SquaresLeft of both fleets from the ship and shot layers.
void CountSquaresLeft();
// The model's share of a new game (also the recording state,
// the opponent's memory and NewHumanTurn).
void ClearModel();

}  // namespace game
