// The game's verbs for the windows.
#include "game/play.h"

#include "game/options.h"
#include "game/placement.h"
#include "game/turns.h"

namespace game {

void ResetGame()
{
    ClearModel();
    ResetPlacement();
    ResetRecording();
}

GameStart StartGame()
{
    if (!Options.AutoArrange) {
        PickerOpen = 1;
        return GameStart::ByHand;
    }
    ArrangeFleet(kHumanFleet);
    PlacedCount = kShipCount;
    BeginBattle();
    return GameStart::Battle;
}

int ChooseShip(int t, bool vertical)
{
    if (!PickerOpen || PlacingShip || t < 0 || t > 3 || ShipsLeftToPlace[t] < 1)
        return -1;
    const int k = NextChosenShipIndex(t);
    if (k < 0)
        return -1;
    ShipBeingPlaced = k;
    ShipRects[kHumanFleet][k] = ShipRectAt(0, 0, ShipLength(k), vertical);
    PlacingShip = 1;
    --ShipsLeftToPlace[t];
    return k;
}

void MovePositionedShip(const PixelRect& r)
{
    if (PlacingShip && ShipBeingPlaced >= 0 && ShipBeingPlaced < kShipCount)
        ShipRects[kHumanFleet][ShipBeingPlaced] = r;
}

Confirmed ConfirmShip()
{
    const int k = ShipBeingPlaced;
    if (!PlacingShip || k < 0 || k >= kShipCount)
        return Confirmed::Refused;
    const PixelRect& r = ShipRects[kHumanFleet][k];
    if (PositionBlocked(r, kHumanBoard))
        return Confirmed::Refused;
    PlaceShip(r, kHumanBoard);
    PlacingShip = 0;
    ShipPlaced[k] = 1;
    PlacedCount = 0;
    for (std::uint8_t placed : ShipPlaced)
        PlacedCount += placed ? 1 : 0;
    if (PlacedCount < kShipCount)
        return Confirmed::Placed;
    PickerOpen = 0;
    return Confirmed::FleetComplete;
}

void BeginBattle()
{
    PickerOpen = 0;
    ArrangeFleet(kComputerFleet);
    // The opening move may already have ended the game, and the battle with it.
    if (StartBattle())
        BattleOn = 1;
}

bool TakeSkipBackground()
{
    const bool skip = SkipBackground != 0;
    SkipBackground = 0;
    return skip;
}

}  // namespace game
