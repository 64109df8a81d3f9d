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

// How a game ended: the end sound and the result dialog tell which.
enum class Outcome { HumanWon, ComputerWon };
// The result dialog's answers; anything but another game ends the program.
enum class Answer { PlayAgain, Stop };

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
    virtual void PlayEndSound(Outcome outcome) = 0;
    // Shows the result dialog of the outcome; returns its answer.
    virtual Answer AskResult(Outcome outcome) = 0;
    // Start a new game once the current input has been handled.
    virtual void QueueNewGame() = 0;
    virtual void EndProgram() = 0;

    // Milliseconds since system start (wraps like GetTickCount).
    virtual std::uint32_t TickCount() = 0;
    // Calendar time in whole seconds; seeds the random source.
    virtual std::int64_t CalendarSeconds() = 0;
};

// Effects that show nothing, with a clock that stands still: in place until
// the shell installs its own, and a base for tools that replace a few.
class SilentEffects : public Effects {
public:
    void SetComputerCaption(const std::string&) override {}
    void SetHumanCaption(const std::string&) override {}
    void SetStatus(StatusPart, const std::string&) override {}
    void SetComment(const std::string&) override {}
    void RepaintBoardNow(BoardId) override {}
    void InvalidateBoard(BoardId, bool) override {}
    void Beep() override {}
    void Pause(int) override {}
    void PlayEndSound(Outcome) override {}
    Answer AskResult(Outcome) override { return Answer::Stop; }
    void QueueNewGame() override {}
    void EndProgram() override {}
    std::uint32_t TickCount() override { return 0; }
    std::int64_t CalendarSeconds() override { return 0; }
};

// The effects in use; the shell installs its own at start-up. Until then the
// silent ones are in place, so the rules never dereference null.
Effects& Fx();
void SetEffects(Effects* effects);  // nullptr restores the silent one

}  // namespace game
