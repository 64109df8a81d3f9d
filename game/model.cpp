// Board and fleet model.
#include "game/model.h"

#include <cstring>

#include "game/opponent.h"
#include "game/placement.h"
#include "game/turns.h"

namespace game {

std::uint8_t Board[600];
CellPos FleetLayout[2][kShipCount][4];
CellPos FleetLive[2][kShipCount][4];
PixelRect ShipRects[2][kShipCount];
std::uint8_t ShipSunk[2][kShipCount];
std::uint8_t SunkAnnounced[2][kShipCount];
std::uint8_t ShotHit[2];
char SunkShipName[32];
std::int32_t SquaresLeft[2] = {kFleetSquares, kFleetSquares};
std::int32_t ComputerShipsLeft = kShipCount;
std::int32_t HumanShipsLeft = kShipCount;
std::uint8_t BattleOn;
std::uint8_t SkipBackground;
std::int32_t CellSize = 17;

namespace {

// Column letters А..К (the alphabet's Й is not used), one UTF-8 string each.
const char* const kColumnLetters[kBoardSize] = {"А", "Б", "В", "Г", "Д", "Е", "Ж", "З", "И", "К"};
const char* const kRowNumbers[kBoardSize] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

constexpr int kShipLengths[kShipCount] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};

bool ValidFleetSide(int side) { return side == kComputerFleet || side == kHumanFleet; }

}  // namespace

std::string CellName(int x, int y)
{
    if (!OnBoard(x, y))
        return std::string();
    return std::string(kColumnLetters[x]) + kRowNumbers[y];
}

int ShipLength(int index) { return index >= 0 && index < kShipCount ? kShipLengths[index] : 0; }

const char* ShipTypeName(int index)
{
    switch (ShipLength(index)) {
    case 4: return "Линкор";
    case 3: return "Эсминец";
    case 2: return "Крейсер";
    case 1: return "Катер";
    default: return "";
    }
}

int ShipAt(int x, int y, int fleetSide)
{
    if (!ValidFleetSide(fleetSide))
        return NoShip;
    for (int ship = 0; ship < kShipCount; ++ship) {
        // Only the real squares: the slots beyond the length still hold (0, 0).
        for (int slot = 0; slot < ShipLength(ship); ++slot) {
            const CellPos& p = FleetLayout[fleetSide][ship][slot];
            if (p.x == x && p.y == y)
                return ship;
        }
    }
    return NoShip;
}

bool IsSunk(int index, int fleetSide)
{
    if (!ValidFleetSide(fleetSide) || index < 0 || index >= kShipCount)
        return false;
    std::int64_t sum = 0;
    for (const CellPos& p : FleetLive[fleetSide][index])
        sum += static_cast<std::int64_t>(p.x) + p.y;
    return sum == kSunkSum;
}

void RegisterHit(int x, int y, int fleetSide)
{
    if (!ValidFleetSide(fleetSide))
        return;
    for (auto& ship : FleetLive[fleetSide]) {
        for (CellPos& p : ship) {
            if (p.x == x && p.y == y) {
                p = CellPos{SunkMarker, SunkMarker};
                ShotHit[fleetSide] = 1;
                return;
            }
        }
    }
    ShotHit[fleetSide] = 0;
}

void CountSquaresLeft()
{
    int hitsOnHuman = 0;
    int hitsOnComputer = 0;
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (BoardAt(ShotsAtHuman, x, y) && BoardAt(HumanShips, x, y))
                ++hitsOnHuman;
            if (BoardAt(ShotsAtComputer, x, y) && BoardAt(ComputerShips, x, y))
                ++hitsOnComputer;
        }
    }
    SquaresLeft[kHumanFleet] = kFleetSquares - hitsOnHuman;
    SquaresLeft[kComputerFleet] = kFleetSquares - hitsOnComputer;
}

void SetCellSize(std::int32_t pixels) { CellSize = pixels; }

void ClearModel()
{
    std::memset(Board, 0, sizeof Board);
    std::memset(FleetLayout, 0, sizeof FleetLayout);
    std::memset(FleetLive, 0, sizeof FleetLive);
    std::memset(ShipRects, 0, sizeof ShipRects);
    std::memset(ShipSunk, 0, sizeof ShipSunk);
    std::memset(SunkAnnounced, 0, sizeof SunkAnnounced);
    SquaresLeft[kComputerFleet] = kFleetSquares;
    SquaresLeft[kHumanFleet] = kFleetSquares;
    ComputerShipsLeft = kShipCount;
    HumanShipsLeft = kShipCount;
    BattleOn = 0;
    ResetRecording();
    ResetOpponentMemory();
    NewHumanTurn = 1;
}

}  // namespace game
