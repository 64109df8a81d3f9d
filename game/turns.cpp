// The turn controller: human shots, computer turns, salvo, opening move.
#include "game/turns.h"

#include <cstdio>

#include "game/effects.h"
#include "game/model.h"
#include "game/opponent.h"
#include "game/options.h"
#include "game/text.h"

namespace game {

std::int32_t ShotsLeft;
std::uint8_t NewHumanTurn = 1;
std::uint8_t OpeningMoveDone;
char CommentLine[128];
std::uint32_t ComputerTurnStartTick;
std::uint32_t ComputerTurnEndTick;

namespace {

constexpr char kHumanShotsLeftFormat[] = "Человек - осталось ходов - %d";
constexpr char kComputerShotsFormat[] = "Компьютер - всего ходов - %d";
constexpr char kHitStatus[] = "Попадание!";
constexpr char kMissStatus[] = "Промах...";
constexpr char kBattleStartStatus[] = "Подбивайте корабли противника, щелкая левой кнопкой по его полю.";
constexpr char kMyMoveComment[] = "Мой ход";
constexpr char kYourMoveComment[] = "Ваш ход";
constexpr char kYourShotFormat[] = "Ваш ход - %s";
constexpr char kYourHitFormat[] = "Ваш ход - %s - попадание";
constexpr char kYourSinkFormat[] = "Ваш ход - %s - потоплен %s";

constexpr int kOpeningSalvo = 5;
// A computer turn in single-shot mode lasts while it hits; a valid game ends
// long before this many shots. Only a broken model could go on hitting (a
// ship that never sinks), and the turn must not hang then.
constexpr int kMaxShotsPerTurn = 200;

// The salvo rule: one shot per four of the shooter's un-hit squares, rounded up.
int SalvoShots(int fleetSide) { return (SquaresLeft[fleetSide] + 3) / 4; }

void ComputerCaption(int shots) { Fx().SetComputerCaption(FormatText(kHumanShotsLeftFormat, shots)); }
void HumanCaption(int shots) { Fx().SetHumanCaption(FormatText(kComputerShotsFormat, shots)); }
void Status(const char* text) { Fx().SetStatus(StatusPart::Text, text); }

// The computer's shot landed on a ship square of the human's board.
bool ComputerHit(const ComputerShotResult& shot)
{
    return shot.fired && IsSet(ShotsAtHuman, shot.x, shot.y) && IsSet(HumanShips, shot.x, shot.y);
}

// Shots until a miss or the end of the game (single-shot turn and opening);
// true when the game ended. In a turn (not the opening) each shot stamps the
// turn anew, shows the caption and pauses before it.
bool ComputerTurnUntilMiss(bool stampEachShot)
{
    ComputerShotResult shot{};
    int shots = 0;
    do {
        if (stampEachShot) {
            ComputerTurnStartTick = Fx().TickCount();
            ComputerCaption(0);
            PauseStep();
        }
        shot = ComputerShot();
        if (stampEachShot)
            ComputerTurnEndTick = Fx().TickCount();
    } while (ComputerHit(shot) && !shot.gameEnded && ++shots < kMaxShotsPerTurn);
    return shot.gameEnded;
}

// The human's shot at (x, y) applied to the model and the computer's board;
// true when it ended the game.
bool ApplyHumanShot(int x, int y)
{
    RegisterHit(x, y, kComputerFleet);
    AnnounceSunkShips(kComputerFleet);
    const bool ended = SettleShot(BoardId::Computer);
    ShowShot(BoardId::Computer);
    CommentHumanShot(x, y);
    return ended;
}

void SalvoShot(int x, int y)
{
    if (NewHumanTurn) {
        CountSquaresLeft();
        NewHumanTurn = 0;
        ShotsLeft = SalvoShots(kHumanFleet);
    }
    // Reshot on forbids a repeated shot: the click changes nothing.
    if (BoardAt(ShotsAtComputer, x, y) && Options.Reshot)
        return;
    --ShotsLeft;
    ComputerCaption(ShotsLeft);
    BoardAt(ShotsAtComputer, x, y) = 1;
    CountSquaresLeft();
    HumanCaption(SalvoShots(kComputerFleet));
    if (ApplyHumanShot(x, y) || ShotsLeft > 0)
        return;

    // The computer's salvo turn.
    ComputerTurnStartTick = Fx().TickCount();
    PauseStep();
    Comment(kMyMoveComment);
    PauseStep();
    const int shots = SalvoShots(kComputerFleet);
    NewHumanTurn = 1;
    for (int i = 0; i < shots; ++i) {
        if (ComputerShot().gameEnded)
            break;
    }
    CountSquaresLeft();
    ComputerCaption(SalvoShots(kHumanFleet));
    Comment(kYourMoveComment);
    ComputerTurnEndTick = Fx().TickCount();
}

void SingleShot(int x, int y)
{
    // Reshot on forbids a repeated shot: refused, the human keeps the turn.
    if (BoardAt(ShotsAtComputer, x, y) && Options.Reshot) {
        ComputerCaption(1);
        return;
    }
    ComputerCaption(0);
    BoardAt(ShotsAtComputer, x, y) = 1;
    Status(kHitStatus);
    ApplyHumanShot(x, y);
    // A ship square keeps the turn, also when it was hit before.
    if (BoardAt(ComputerShips, x, y)) {
        ComputerCaption(1);
        return;
    }
    Status(kMissStatus);
    ComputerTurnUntilMiss(true);
    Comment(kYourMoveComment);
    ComputerCaption(1);
}

}  // namespace

void Comment(const std::string& text)
{
    std::snprintf(CommentLine, sizeof CommentLine, "%s", text.c_str());
    Fx().SetComment(text);
}

void PauseStep() { Fx().Pause(Options.TimeOut > 0 ? Options.TimeOut : 0); }

void HumanShot(int px, int py)
{
    const int c = CellSize;
    if (c <= 0 || px < 0 || py < 0 || px >= 10 * c || py >= 10 * c)
        return;
    if (!BattleOn)
        return;
    const int x = px / c;
    const int y = py / c;
    if (Options.Salvo)
        SalvoShot(x, y);
    else
        SingleShot(x, y);
}

void CommentHumanShot(int x, int y)
{
    const std::string name = CellName(x, y);
    Comment(FormatText(kYourShotFormat, name.c_str()));
    PauseStep();
    if (ShotHit[kComputerFleet] == 1) {
        Comment(FormatText(kYourHitFormat, name.c_str()));
        PauseStep();
        if (IsSunk(ShipAt(x, y, kComputerFleet), kComputerFleet))
            Comment(FormatText(kYourSinkFormat, name.c_str(), SunkShipName));
    }
}

bool StartBattle()
{
    if (Options.FirstShoot || OpeningMoveDone) {
        Status(kBattleStartStatus);
        return true;
    }
    // The computer opens: only in the first game of a run, as OpeningMoveDone
    // is never cleared.
    bool ended = false;
    if (Options.Salvo) {
        ComputerTurnStartTick = Fx().TickCount();
        for (int i = 0; i < kOpeningSalvo && !ended; ++i)
            ended = ComputerShot().gameEnded;
        CountSquaresLeft();
        HumanCaption(SalvoShots(kComputerFleet));
        ComputerCaption(SalvoShots(kHumanFleet));
        Status(kBattleStartStatus);
        PauseStep();
        Comment(kYourMoveComment);
        OpeningMoveDone = 1;
        ComputerTurnEndTick = Fx().TickCount();
    } else {
        ComputerTurnStartTick = Fx().TickCount();
        ended = ComputerTurnUntilMiss(false);
        Comment(kYourMoveComment);
        OpeningMoveDone = 1;
        ComputerTurnEndTick = Fx().TickCount();
        Status(kBattleStartStatus);
    }
    return !ended;
}

}  // namespace game
