// The model as a compact text for test probes.
#include "game/describe.h"

#include "game/model.h"
#include "game/opponent.h"
#include "game/placement.h"

namespace game {
namespace {

void AppendFleet(std::string& out, const char* name, int fleetSide)
{
    out += name;
    out += '=';
    for (int ship = 0; ship < kShipCount; ++ship) {
        if (ship > 0)
            out += ';';
        for (int slot = 0; slot < ShipLength(ship); ++slot) {
            const CellPos& p = FleetLayout[fleetSide][ship][slot];
            if (slot > 0)
                out += ',';
            out += std::to_string(p.x);
            out += std::to_string(p.y);
        }
    }
    out += '\n';
}

void AppendLayer(std::string& out, const char* name, int layer)
{
    out += name;
    out += '=';
    for (int i = 0; i < 100; ++i)
        out += Board[layer * 100 + i] ? '1' : '0';
    out += '\n';
}

void AppendFlags(std::string& out, const std::uint8_t (&flags)[kShipCount])
{
    for (std::uint8_t f : flags)
        out += f ? '1' : '0';
}

}  // namespace

std::string DescribeModel()
{
    std::string out;
    out.reserve(600);
    out += "BattleOn=" + std::to_string(BattleOn) + '\n';
    out += "SquaresLeft=" + std::to_string(SquaresLeft[kComputerFleet]) + ',' +
           std::to_string(SquaresLeft[kHumanFleet]) + '\n';
    out += "ShipsLeft=" + std::to_string(ComputerShipsLeft) + ',' + std::to_string(HumanShipsLeft) + '\n';
    AppendFleet(out, "ComputerFleet", kComputerFleet);
    AppendFleet(out, "HumanFleet", kHumanFleet);
    AppendLayer(out, "ShotsAtComputer", ShotsAtComputer);
    AppendLayer(out, "ShotsAtHuman", ShotsAtHuman);
    out += "ShipSunk=";
    AppendFlags(out, ShipSunk[kComputerFleet]);
    out += ',';
    AppendFlags(out, ShipSunk[kHumanFleet]);
    out += '\n';
    out += "Placement=" + std::to_string(PlacingShip) + ',' + std::to_string(PlacedCount) + ',';
    AppendFlags(out, ShipPlaced);
    out += '\n';
    out += "Opponent=" + std::to_string(Hunting) + ',' + std::to_string(TargetShip) + ',' +
           std::to_string(TrailEnd) + '\n';
    return out;
}

}  // namespace game
