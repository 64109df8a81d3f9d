// The shell's implementation of the game's effects.
#include "shell/shell_effects.h"

#include <windows.h>

#include <ctime>

#include "boards/board_windows.h"
#include "common/on_demand.h"
#include "common/text.h"
#include "dialogs/dialogs.h"
#include "game/effects.h"
#include "resources/resource.h"
#include "shell/commentator.h"
#include "shell/main_frame.h"
#include "shell/status_bar.h"

namespace shell_effects {
namespace {

using boards::BoardWindow;

class ShellEffects final : public game::Effects {
public:
    void SetComputerCaption(const std::string& t) override
    {
        SetWindowTextW(BoardWindow(game::BoardId::Computer), text::Widen(t).c_str());
    }
    void SetHumanCaption(const std::string& t) override
    {
        SetWindowTextW(BoardWindow(game::BoardId::Human), text::Widen(t).c_str());
    }
    void SetStatus(game::StatusPart part, const std::string& t) override
    {
        status_bar::SetText(static_cast<int>(part), text::Widen(t));
    }
    void SetComment(const std::string& t) override
    {
        SetWindowTextW(commentator::Text(), text::Widen(t).c_str());
    }
    // Invalidating without erasing and updating at once paints the board
    // synchronously; the painter then draws only the marks.
    void RepaintBoardNow(game::BoardId board) override
    {
        RedrawWindow(BoardWindow(board), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    void InvalidateBoard(game::BoardId board, bool erase) override
    {
        InvalidateRect(BoardWindow(board), nullptr, erase);
    }
    void Beep() override { MessageBeep(0); }
    void Pause(int ms) override { shell_effects::Pause(ms); }
    void PlayEndSound(game::Outcome outcome) override
    {
        on_demand::PlaySoundResource(outcome == game::Outcome::HumanWon ? IDW_WON : IDW_LOST);
    }
    game::Answer AskResult(game::Outcome outcome) override { return dialogs::AskResult(main_frame::Window(), outcome); }
    void QueueNewGame() override { PostMessageW(main_frame::Window(), WM_COMMAND, IDM_NEW_GAME, 0); }
    void EndProgram() override { DestroyWindow(main_frame::Window()); }
    std::uint32_t TickCount() override { return GetTickCount(); }
    std::int64_t CalendarSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }
};

ShellEffects g_effects;

// Longest stretch without looking at the queue, well below the time after
// which the system calls a window hung.
constexpr DWORD kSlice = 100;
// A window that never validates must not keep the pause busy.
constexpr int kMaxPaintsPerSlice = 64;

}  // namespace

void Install() { game::SetEffects(&g_effects); }

void Pause(int ms)
{
    if (ms <= 0)
        return;
    const DWORD start = GetTickCount();
    const DWORD total = static_cast<DWORD>(ms);
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= total)
            break;
        const DWORD wait = total - elapsed < kSlice ? total - elapsed : kSlice;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_PAINT | QS_SENDMESSAGE);
        // Only paints are taken from the queue; a peek also delivers messages
        // sent by other threads. Clicks and keys stay queued for the loop.
        MSG msg;
        for (int i = 0; i < kMaxPaintsPerSlice && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i)
            DispatchMessageW(&msg);
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace shell_effects
