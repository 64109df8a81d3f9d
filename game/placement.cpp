// Placement rules, automatic arrangement and the hand-placement
// state.
#include "game/placement.h"

#include <cstring>

#include "game/effects.h"
#include "game/options.h"
#include "game/random.h"

namespace game {

std::int32_t ArrangeCandidates;

std::uint8_t PlacingShip;
std::int32_t ShipBeingPlaced;
std::uint8_t ShipPlaced[kShipCount];
std::int32_t PlacedCount;
std::uint8_t PickerOpen;
std::int32_t ShipsLeftToPlace[4] = {1, 2, 3, 4};
std::int32_t ChosenOfLength[3];

namespace {

// Recording state: the ship being recorded and how many of its squares are
// recorded, and how many ships of length 3, 2 and 1 have been recorded.
int g_recordShip;
int g_recordedSquares;
int g_recordedOfLength[3];

bool ValidFleetSide(int side) { return side == kComputerFleet || side == kHumanFleet; }
bool ValidBoardSide(int side) { return side == kHumanBoard || side == kComputerBoard; }
int ZoneLayer(int boardSide) { return boardSide == kHumanBoard ? HumanZone : ComputerZone; }
int ShipLayer(int boardSide) { return boardSide == kHumanBoard ? HumanShips : ComputerShips; }

void SetIfOnBoard(int layer, int x, int y)
{
    if (OnBoard(x, y))
        BoardAt(layer, x, y) = 1;
}

// Empties the zone and ship layers of a board side and its fleet's tables, so
// that an arrangement always starts from an empty side. After ClearModel this
// changes nothing.
void ClearSide(int boardSide)
{
    const int fleetSide = 1 - boardSide;
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            BoardAt(ZoneLayer(boardSide), x, y) = 0;
            BoardAt(ShipLayer(boardSide), x, y) = 0;
        }
    }
    std::memset(FleetLayout[fleetSide], 0, sizeof FleetLayout[fleetSide]);
    std::memset(FleetLive[fleetSide], 0, sizeof FleetLive[fleetSide]);
    std::memset(ShipRects[fleetSide], 0, sizeof ShipRects[fleetSide]);
}

}  // namespace

ShipGeometry GeometryOf(const PixelRect& rect)
{
    const int c = CellSize;
    if (c <= 0)
        return ShipGeometry{0, 0, true, 0};
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const bool horizontal = height == c;
    return ShipGeometry{rect.left / c, rect.top / c, horizontal, (horizontal ? width : height) / c};
}

PixelRect ShipRectAt(int x, int y, int length, bool vertical)
{
    const int c = CellSize;
    const int w = vertical ? 1 : length;
    const int h = vertical ? length : 1;
    return PixelRect{x * c, y * c, (x + w) * c, (y + h) * c};
}

bool PositionBlocked(const PixelRect& rect, int boardSide)
{
    if (!ValidBoardSide(boardSide))
        return true;
    const ShipGeometry g = GeometryOf(rect);
    if (g.length < 1 || g.length > 4)
        return true;
    for (int k = 0; k < g.length; ++k) {
        const int x = g.horizontal ? g.x + k : g.x;
        const int y = g.horizontal ? g.y : g.y + k;
        if (!OnBoard(x, y) || BoardAt(ZoneLayer(boardSide), x, y))
            return true;
    }
    return false;
}

void PlaceShip(const PixelRect& rect, int boardSide)
{
    if (!ValidBoardSide(boardSide))
        return;
    const ShipGeometry g = GeometryOf(rect);
    // Ignore what PositionBlocked would call beyond the board.
    if (g.length < 1 || g.length > 4 || !OnBoard(g.x, g.y))
        return;
    const int fleetSide = 1 - boardSide;
    const int zone = ZoneLayer(boardSide);
    const int ships = ShipLayer(boardSide);
    const int L = g.length;
    g_recordedSquares = 0;  // every call starts a new ship record

    // Along the ship from one square before it to one square after it: the
    // zone gets the (L + 2) x 3 block, the ship layer and the fleet the ship.
    for (int i = -1; i <= L; ++i) {
        if (g.horizontal) {
            const int c = g.x + i;
            if (c < 0 || c > 9)
                continue;
            BoardAt(zone, c, g.y) = 1;
            if (i >= 0 && i <= L - 1) {
                BoardAt(ships, c, g.y) = 1;
                RecordShipSquare(c, g.y, fleetSide, L);
            }
            SetIfOnBoard(zone, c, g.y - 1);
            SetIfOnBoard(zone, c, g.y + 1);
        } else {
            const int r = g.y + i;
            if (r < 0 || r > 9)
                continue;
            BoardAt(zone, g.x, r) = 1;
            if (i >= 0 && i <= L - 1) {
                BoardAt(ships, g.x, r) = 1;
                RecordShipSquare(g.x, r, fleetSide, L);
            }
            SetIfOnBoard(zone, g.x - 1, r);
            SetIfOnBoard(zone, g.x + 1, r);
        }
    }
}

void RecordShipSquare(int x, int y, int fleetSide, int length)
{
    if (!ValidFleetSide(fleetSide) || length < 1 || length > 4)
        return;
    if (g_recordedSquares == 0) {
        int index = 0;
        switch (length) {
        case 4: index = 0; break;
        case 3: index = 1 + g_recordedOfLength[0]++; break;
        case 2: index = 3 + g_recordedOfLength[1]++; break;
        default: index = 6 + g_recordedOfLength[2]++; break;
        }
        // A ship placed by hand goes under the index chosen in the picker;
        // the counter above has advanced all the same.
        if (!Options.AutoArrange && fleetSide == kHumanFleet)
            index = ShipBeingPlaced;
        g_recordShip = index;
    }
    // Only a broken sequence of calls gets here with no room left; drop it.
    if (g_recordShip < 0 || g_recordShip >= kShipCount || g_recordedSquares >= 4)
        return;
    const int d = g_recordedSquares++;
    FleetLayout[fleetSide][g_recordShip][d] = CellPos{x, y};
    FleetLive[fleetSide][g_recordShip][d] = CellPos{x, y};
    // The slots beyond the length count as hit from the start, so that the
    // sunk test (all four slots hit) works for every length.
    if (d + 1 == length) {
        for (int slot = length; slot < 4; ++slot)
            FleetLive[fleetSide][g_recordShip][slot] = CellPos{SunkMarker, SunkMarker};
    }
}

void ResetRecording()
{
    g_recordShip = 0;
    g_recordedSquares = 0;
    g_recordedOfLength[0] = g_recordedOfLength[1] = g_recordedOfLength[2] = 0;
}

void ArrangeFleet(int fleetSide)
{
    if (!ValidFleetSide(fleetSide))
        return;
    const int boardSide = 1 - fleetSide;

    // A computer fleet arranged in the same second as the human's comes from
    // the same sequence advanced by 20 draws.
    SeedRandomFromClock();
    const int discards = fleetSide == kComputerFleet ? 21 : 1;
    for (int i = 0; i < discards; ++i)
        RandomValue();

    ResetRecording();
    ClearSide(boardSide);
    ArrangeCandidates = 0;

    // Longest ships first. No attempt limit is needed: an exhaustive search
    // shows that no legal placement of earlier ships ever leaves a later ship
    // without room on an empty board, so some candidate always fits.
    for (int a = 0; a < kShipCount; ++a) {
        const int L = ShipLength(a);
        const int R = 11 - L;
        for (;;) {
            const int r1 = RandomValue();
            const int r2 = RandomValue();
            const int r3 = RandomValue();
            // Divided by 32767, not 32768: the value 32767 gives R (off the
            // board, drawn again) and orientation 2 (vertical).
            const int o = 2 * r1 / kRandomMax;
            const int X = r2 * R / kRandomMax;
            const int Y = r3 * R / kRandomMax;
            const PixelRect candidate = ShipRectAt(X, Y, L, o != 0);
            ShipRects[fleetSide][a] = candidate;
            ++ArrangeCandidates;
            if (!PositionBlocked(candidate, boardSide)) {
                PlaceShip(candidate, boardSide);
                break;
            }
        }
    }

    if (fleetSide == kHumanFleet) {
        for (std::uint8_t& placed : ShipPlaced)
            placed = 1;
        Fx().InvalidateBoard(BoardId::Human, true);
    }
}

void ResetPlacement()
{
    PickerOpen = 0;
    PlacingShip = 0;
    ShipBeingPlaced = 0;
    ShipsLeftToPlace[0] = 1;
    ShipsLeftToPlace[1] = 2;
    ShipsLeftToPlace[2] = 3;
    ShipsLeftToPlace[3] = 4;
    ChosenOfLength[0] = ChosenOfLength[1] = ChosenOfLength[2] = 0;
    PlacedCount = 0;
    std::memset(ShipPlaced, 0, sizeof ShipPlaced);
}

int NextChosenShipIndex(int t)
{
    // First index and number of ships for lengths 3, 2, 1.
    static constexpr int kFirst[3] = {1, 3, 6};
    static constexpr int kCount[3] = {2, 3, 4};
    if (t == 0)
        return 0;
    if (t < 1 || t > 3)
        return -1;
    int& chosen = ChosenOfLength[t - 1];
    if (chosen < 0 || chosen >= kCount[t - 1])
        return -1;
    ++chosen;
    return kFirst[t - 1] - 1 + chosen;
}

}  // namespace game
