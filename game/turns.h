// Shots, turns and salvo: the human's shot, the computer's turn,
// the opening move, and the running texts of captions, status and commentary.
#pragma once

#include <cstdint>
#include <string>

#include "game/settle.h"

namespace game {

extern std::int32_t ShotsLeft;       // salvo: the human's shots left in this turn
extern std::uint8_t NewHumanTurn;    // salvo: the next accepted shot opens a turn
extern std::uint8_t OpeningMoveDone; // the computer has opened a battle this run
extern char CommentLine[128];        // the latest commentary line (UTF-8)
extern std::uint32_t ComputerTurnStartTick;  // the last computer turn, for the
extern std::uint32_t ComputerTurnEndTick;    // message loop's click filter

// A left-button release on the computer's board at client pixel (px, py).
// Reshot (mended, issue 3): while Options.Reshot is on, a click on a square
// already shot is refused; while it is off, the click is a new shot there.
void HumanShot(int px, int py);
// The commentary for the human's shot at square (x, y).
void CommentHumanShot(int x, int y);
// Once per game, right after ArrangeFleet for the computer; the caller then
// sets BattleOn. Makes the computer's opening move when one is due. Returns
// false only if that move ended the game.
bool StartBattle();

// comment := text: into CommentLine and the commentator.
void Comment(const std::string& text);
// A pause of Options.TimeOut milliseconds (a negative value pauses 0).
void PauseStep();

}  // namespace game
