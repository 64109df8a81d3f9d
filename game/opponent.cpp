// The computer opponent at its three levels.
#include "game/opponent.h"

#include "game/effects.h"
#include "game/options.h"
#include "game/random.h"
#include "game/settle.h"
#include "game/text.h"
#include "game/turns.h"

namespace game {

std::uint8_t Hunting;
CellPos HitTrail[4];
std::int32_t TrailEnd;
std::int32_t TargetShip = kNoTargetShip;
std::int32_t PreviousTargetShip = kNoTargetShip;

namespace {

constexpr char kMyShotFormat[] = "Мой ход - %s";
constexpr char kMyHitFormat[] = "Мой ход - %s - попал";
constexpr char kMySinkFormat[] = "Мой ход - %s - убил %s";

// Directions as the probing numbers them: right, left, down, up.
constexpr int kDx[4] = {1, -1, 0, 0};
constexpr int kDy[4] = {0, 0, 1, -1};

bool Done(int x, int y) { return BoardAt(ShotsAtHuman, x, y) != 0; }

void RuleOut(int x, int y)
{
    if (OnBoard(x, y))
        BoardAt(ShotsAtHuman, x, y) = 1;
}

// A random square not yet done. The game ends before every square is done,
// so only a broken model has none; then nothing is fired.
bool RandomSquare(CellPos& square)
{
    bool anyFree = false;
    for (int i = 0; i < 100 && !anyFree; ++i)
        anyFree = Board[ShotsAtHuman * 100 + i] == 0;
    if (!anyFree)
        return false;
    do {
        square.x = (RandomValue() - 1) * 10 / kRandomMax;
        square.y = (RandomValue() - 1) * 10 / kRandomMax;
    } while (Done(square.x, square.y));
    return true;
}

// Level 2 while hunting: the last slot of the target ship not yet hit.
bool ReadTargetShip(CellPos& square)
{
    if (TargetShip < 0 || TargetShip >= kShipCount)
        return false;
    int last = -1;
    for (int slot = 0; slot < 4; ++slot) {
        const CellPos& p = FleetLive[kHumanFleet][TargetShip][slot];
        if (p.x != SunkMarker && p.y != SunkMarker)
            last = slot;
    }
    if (last < 0)
        return false;
    square = FleetLive[kHumanFleet][TargetShip][last];
    return OnBoard(square.x, square.y);
}

// Level 1, all four neighbours of the latest hit blocked: the square beyond
// the first hit on the other side. Each case that applies rules out the two
// squares diagonal to the first hit on its side; the last one gives the target.
bool TurnBack(CellPos& square)
{
    const CellPos first = HitTrail[0];
    const CellPos latest = HitTrail[TrailEnd];
    const int x0 = first.x, y0 = first.y;
    bool found = false;
    if (latest.y < y0 && y0 + 1 <= 9) {
        square = CellPos{x0, y0 + 1};
        RuleOut(x0 + 1, y0 + 1);
        RuleOut(x0 - 1, y0 + 1);
        found = true;
    }
    if (latest.y > y0 && y0 - 1 >= 0) {
        square = CellPos{x0, y0 - 1};
        RuleOut(x0 + 1, y0 - 1);
        RuleOut(x0 - 1, y0 - 1);
        found = true;
    }
    if (latest.x < x0 && x0 + 1 <= 9) {
        square = CellPos{x0 + 1, y0};
        RuleOut(x0 + 1, y0 + 1);
        RuleOut(x0 + 1, y0 - 1);
        found = true;
    }
    if (latest.x > x0 && x0 - 1 >= 0) {
        square = CellPos{x0 - 1, y0};
        RuleOut(x0 - 1, y0 + 1);
        RuleOut(x0 - 1, y0 - 1);
        found = true;
    }
    return found && OnBoard(square.x, square.y);
}

// Levels 0 and 1 while hunting: a random open neighbour of the latest hit,
// or, with all four blocked, the level's way out (step 4). Returns false for
// a random shot.
bool Probe(int level, CellPos& square)
{
    const CellPos h = HitTrail[TrailEnd];
    bool blocked[4] = {false, false, false, false};
    if (level == 1 && TrailEnd >= 1) {
        // Only the line through the two latest hits stays open.
        const CellPos before = HitTrail[TrailEnd - 1];
        if (before.y != h.y)
            blocked[0] = blocked[1] = true;
        if (before.x != h.x)
            blocked[2] = blocked[3] = true;
    }
    bool allBlocked = true;
    for (int d = 0; d < 4; ++d) {
        const int nx = h.x + kDx[d];
        const int ny = h.y + kDy[d];
        if (!OnBoard(nx, ny) || Done(nx, ny))
            blocked[d] = true;
        allBlocked = allBlocked && blocked[d];
    }

    if (!allBlocked) {
        int d = (4 * RandomValue() - 4) / kRandomMax;
        const int s = (2 * RandomValue() - 2) / kRandomMax;
        while (blocked[d])
            d = s == 0 ? (d + 1) % 4 : (d + 3) % 4;
        square = CellPos{h.x + kDx[d], h.y + kDy[d]};
        return true;
    }

    Hunting = 0;
    if (level == 0) {
        // Probe around the first hit of the trail next time.
        Hunting = 1;
        TrailEnd = 0;
        return false;
    }
    // Level 1: Hunting stays clear until the turn-back shot hits.
    return TrailEnd > 0 && TurnBack(square);
}

ComputerShotResult Fire(const CellPos square)
{
    const int x = square.x;
    const int y = square.y;
    BoardAt(ShotsAtHuman, x, y) = 1;
    const bool onShip = BoardAt(HumanShips, x, y) != 0;
    if (onShip) {
        PreviousTargetShip = TargetShip;
        TargetShip = ShipAt(x, y, kHumanFleet);
        if (TargetShip == PreviousTargetShip) {
            // Another hit on the same ship. A ship has at most four squares,
            // so the trail never needs a fifth entry.
            if (TrailEnd < 3)
                ++TrailEnd;
            HitTrail[TrailEnd] = square;
        } else {
            HitTrail[0] = square;
            TrailEnd = 0;
        }
        Hunting = 1;
    }
    RegisterHit(x, y, kHumanFleet);
    if (onShip && IsSunk(TargetShip, kHumanFleet)) {
        TrailEnd = 0;
        Hunting = 0;
    }
    AnnounceSunkShips(kHumanFleet);
    const bool ended = SettleShot(BoardId::Human);
    ShowShot(BoardId::Human);

    const std::string name = CellName(x, y);
    Comment(FormatText(kMyShotFormat, name.c_str()));
    PauseStep();
    if (ShotHit[kHumanFleet] == 1) {
        Comment(FormatText(kMyHitFormat, name.c_str()));
        PauseStep();
        if (IsSunk(TargetShip, kHumanFleet)) {
            Comment(FormatText(kMySinkFormat, name.c_str(), SunkShipName));
            PauseStep();
        }
    }
    return ComputerShotResult{x, y, true, ended};
}

}  // namespace

void ResetOpponentMemory()
{
    Hunting = 0;
    TrailEnd = 0;
    for (CellPos& p : HitTrail)
        p = CellPos{0, 0};
    TargetShip = kNoTargetShip;
    PreviousTargetShip = kNoTargetShip;
}

int OpponentLevel()
{
    const int level = Options.ProphyUser;
    return level >= 0 && level <= 2 ? level : 0;
}

ComputerShotResult ComputerShot()
{
    // Reseeded at every call: two calls in the same second see the same values.
    SeedRandomFromClock();
    RandomValue();

    // The memory is public state; keep a damaged TrailEnd inside the trail.
    if (TrailEnd < 0 || TrailEnd > 3)
        TrailEnd = 0;

    const int level = OpponentLevel();
    CellPos square{0, 0};
    bool chosen = false;
    if (Hunting) {
        if (level == 2)
            chosen = ReadTargetShip(square);
        else
            chosen = Probe(level, square);
    }
    if (!chosen && !RandomSquare(square))
        return ComputerShotResult{-1, -1, false, false};
    return Fire(square);
}

}  // namespace game
