// The effects currently installed, and the silent default.
#include "game/effects.h"

namespace game {
namespace {

class SilentEffects final : public Effects {
public:
    void SetComputerCaption(const std::string&) override {}
    void SetHumanCaption(const std::string&) override {}
    void SetStatus(StatusPart, const std::string&) override {}
    void SetComment(const std::string&) override {}
    void RepaintBoardNow(BoardId) override {}
    void InvalidateBoard(BoardId, bool) override {}
    void Beep() override {}
    void Pause(int) override {}
    void PlayEndSound(int) override {}
    int AskResult(int) override { return 2; }
    void QueueNewGame() override {}
    void EndProgram() override {}
    std::uint32_t TickCount() override { return 0; }
    std::int64_t CalendarSeconds() override { return 0; }
};

SilentEffects g_silent;
Effects* g_current = &g_silent;

}  // namespace

Effects& Fx() { return *g_current; }
void SetEffects(Effects* effects) { g_current = effects ? effects : &g_silent; }

}  // namespace game
