// Settling every shot: sunk ships, their rings, ships left, end of game.
#include "game/settle.h"

#include <cstdio>
#include <cstring>

#include "game/model.h"
#include "game/placement.h"
#include "game/score.h"
#include "game/text.h"

namespace game {
namespace {

constexpr char kComputerShipsLeftFormat[] = "Компьютер:%d";
constexpr char kHumanShipsLeftFormat[] = "Человек:%d";

// Sets in the shots layer every square of the ship's rectangle grown by one
// square on every side, clipped at the board: the ship and its ring.
void MarkRing(const PixelRect& rect, int shotsLayer)
{
    const ShipGeometry g = GeometryOf(rect);
    if (g.length < 1 || g.length > kBoardSize)
        return;
    const int lastColumn = g.horizontal ? g.x + g.length : g.x + 1;
    const int lastRow = g.horizontal ? g.y + 1 : g.y + g.length;
    for (int c = g.x - 1; c <= lastColumn; ++c) {
        for (int r = g.y - 1; r <= lastRow; ++r) {
            if (OnBoard(c, r))
                BoardAt(shotsLayer, c, r) = 1;
        }
    }
}

}  // namespace

void ShowShot(BoardId board)
{
    SkipBackground = 1;
    Fx().RepaintBoardNow(board);
    if (SkipBackground) {
        SkipBackground = 0;
        Fx().InvalidateBoard(board, true);
    }
}

void AnnounceSunkShips(int fleetSide)
{
    if (fleetSide != kComputerFleet && fleetSide != kHumanFleet)
        return;
    for (int i = 0; i < kShipCount; ++i) {
        if (IsSunk(i, fleetSide))
            ShipSunk[fleetSide][i] = 1;
        if (ShipSunk[fleetSide][i] && !SunkAnnounced[fleetSide][i]) {
            std::snprintf(SunkShipName, sizeof SunkShipName, "%s", ShipTypeName(i));
            SunkAnnounced[fleetSide][i] = 1;
            Fx().Beep();
        }
    }
}

std::string ShipsLeftText(StatusPart part, int ships)
{
    switch (part) {
    case StatusPart::ComputerShips: return FormatText(kComputerShipsLeftFormat, ships);
    case StatusPart::HumanShips: return FormatText(kHumanShipsLeftFormat, ships);
    default: return std::string();
    }
}

std::string ShipsLeftText(StatusPart part)
{
    return ShipsLeftText(part, part == StatusPart::ComputerShips ? ComputerShipsLeft : HumanShipsLeft);
}

bool SettleShot(BoardId board)
{
    // The computer's board is shot by the human: when it is sunk, the human wins.
    const bool computerBoard = board == BoardId::Computer;
    const int fleetSide = computerBoard ? kComputerFleet : kHumanFleet;
    const int shotsLayer = computerBoard ? ShotsAtComputer : ShotsAtHuman;
    const StatusPart part = computerBoard ? StatusPart::ComputerShips : StatusPart::HumanShips;

    int sunk = 0;
    for (int i = 0; i < kShipCount; ++i) {
        if (ShipSunk[fleetSide][i]) {
            ++sunk;
            MarkRing(ShipRects[fleetSide][i], shotsLayer);
        }
    }
    (computerBoard ? ComputerShipsLeft : HumanShipsLeft) = kShipCount - sunk;
    Fx().SetStatus(part, ShipsLeftText(part));

    const bool ended = sunk == kShipCount;
    if (ended) {
        const Outcome outcome = computerBoard ? Outcome::HumanWon : Outcome::ComputerWon;
        Fx().PlayEndSound(outcome);
        BattleOn = 0;
        // Counted before the question: a session that ends while the dialog
        // is open still saves this game.
        if (computerBoard) {
            ++ManWon;
            ++RunWins;
        } else {
            ++CompWon;
            ++RunLosses;
        }
        if (Fx().AskResult(outcome) == Answer::PlayAgain)
            Fx().QueueNewGame();
        else
            Fx().EndProgram();
    }
    SkipBackground = 1;
    Fx().InvalidateBoard(board, true);
    return ended;
}

}  // namespace game
