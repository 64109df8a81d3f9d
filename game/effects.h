// The game's way out to the screen, the speaker and the clock.
//
// game/ never touches a window: every effect of a shot (captions, status
// texts, commentary, repaints, sounds, the result question) goes through
// this interface. The shell implements it with Win32 calls; tests replace
// it with a recorder and a fixed clock.
#pragma once

#include <cstdint>
#include <string>

namespace game {

enum class BoardId { Computer, Human };

// Status-bar parts the game writes: 0 free text, 1 the computer's ships left,
// 2 the human's ships left.
enum class StatusPart { Text = 0, ComputerShips = 1, HumanShips = 2 };

// Result dialogs, by their resource ids.
constexpr int kLostDialog = 126;
constexpr int kWonDialog = 131;
// End-of-game sounds, by their resource ids.
constexpr int kLostSound = 116;
constexpr int kWonSound = 118;
// Answer of a result dialog that asks for another game.
constexpr int kAnswerPlayAgain = 6;

class Effects {
public:
    virtual ~Effects() = default;

    // All texts are UTF-8.
    virtual void SetComputerCaption(const std::string& text) = 0;
    virtual void SetHumanCaption(const std::string& text) = 0;
    virtual void SetStatus(StatusPart part, const std::string& text) = 0;
    virtual void SetComment(const std::string& text) = 0;

    // Paint the board now, synchronously, if it can be painted. The caller
    // has raised SkipBackground; the paint lowers it.
    virtual void RepaintBoardNow(BoardId board) = 0;
    // Ask for a later repaint of the whole board.
    virtual void InvalidateBoard(BoardId board, bool erase) = 0;

    virtual void Beep() = 0;
    // Wait ms milliseconds between two steps of a turn.
    virtual void Pause(int ms) = 0;
    virtual void PlayEndSound(int soundId) = 0;
    // Shows result dialog kLostDialog or kWonDialog; returns its answer.
    virtual int AskResult(int dialogId) = 0;
    // Start a new game once the current input has been handled.
    virtual void QueueNewGame() = 0;
    virtual void EndProgram() = 0;

    // Milliseconds since system start (wraps like GetTickCount).
    virtual std::uint32_t TickCount() = 0;
    // Calendar time in whole seconds; seeds the random source.
    virtual std::int64_t CalendarSeconds() = 0;
};

// The effects in use; the shell installs its own at start-up. Until then a
// silent implementation is in place, so the rules never dereference null.
Effects& Fx();
void SetEffects(Effects* effects);  // nullptr restores the silent one

}  // namespace game
