// Entry point: single instance, start-up in order, and the message loop.
#include <windows.h>

#include "boards/board_windows.h"
#include "common/messages.h"
#include "game/model.h"
#include "game/turns.h"
#include "shell/children.h"
#include "shell/command_line.h"
#include "shell/main_frame.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/status_bar.h"
#include "shell/timeline.h"

namespace {

constexpr int kHotKeyId = 0xBEDA;           // Ctrl+S shows the hidden program
constexpr int kHotKeyAttempts = 0xBEDA - 1;  // another program may hold Ctrl+S
// A stored cell size outside this range would break every size on screen.
constexpr int kMinCellSize = 4;
constexpr int kMaxCellSize = 200;

// Two copies started together could both look before either has a window
// and then run side by side, each saving its totals over the other's. The
// first holds this lock until its frame is shown, so the second one looks
// after that. A copy that stops answering cannot hold the others off for long.
constexpr wchar_t kStartUpLockName[] = L"Local\\Trivok.StartUp";
constexpr DWORD kStartUpLockWaitMs = 20000;

class StartUpLock {
public:
    StartUpLock() : m_mutex(CreateMutexW(nullptr, FALSE, kStartUpLockName))
    {
        if (m_mutex) {
            const DWORD rc = WaitForSingleObject(m_mutex, kStartUpLockWaitMs);
            m_held = rc == WAIT_OBJECT_0 || rc == WAIT_ABANDONED;
        }
    }
    ~StartUpLock()
    {
        Release();
        if (m_mutex)
            CloseHandle(m_mutex);
    }
    StartUpLock(const StartUpLock&) = delete;
    StartUpLock& operator=(const StartUpLock&) = delete;

    void Release()
    {
        if (m_held)
            ReleaseMutex(m_mutex);
        m_held = false;
    }

private:
    HANDLE m_mutex;
    bool m_held = false;
};

// An existing copy is brought to the front and told to take the focus.
bool HandOverToRunningCopy()
{
    HWND running = FindWindowW(main_frame::kClassName, nullptr);
    if (!running)
        return false;
    ShowWindow(running, SW_SHOWMAXIMIZED);
    SendMessageW(running, common::kTakeFocus, 0, 0);
    return true;
}

void RegisterShowHotKey(HWND frame)
{
    for (int i = 0; i < kHotKeyAttempts; ++i)
        if (RegisterHotKey(frame, kHotKeyId, MOD_CONTROL, 'S'))
            return;
}

void ApplyStoredCellSize()
{
    const auto stored = settings::StoredRectSize();
    if (stored && *stored >= kMinCellSize && *stored <= kMaxCellSize)
        game::SetCellSize(*stored);
}

// Clicks on the computer's board made while the computer was shooting are
// dropped: the turn blocked the loop, so they carry times inside it.
bool MadeDuringComputerTurn(const MSG& msg)
{
    return msg.hwnd == boards::BoardWindow(game::BoardId::Computer) && msg.message == WM_LBUTTONUP &&
           game::ComputerTurnStartTick < msg.time && msg.time < game::ComputerTurnEndTick;
}

int RunLoop()
{
    MSG msg;
    // The first time the queue runs dry, every window has painted.
    for (bool painted = false; !painted;) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            timeline::Finish();
            painted = true;
        } else if (msg.message == WM_QUIT) {
            break;
        } else if (GetMessageW(&msg, nullptr, 0, 0) > 0 && !MadeDuringComputerTurn(msg)) {
            DispatchMessageW(&msg);
        }
    }
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!MadeDuringComputerTurn(msg))
            DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int show)
{
    timeline::Mark("entry");
    StartUpLock startUp;
    if (HandOverToRunningCopy())
        return 0;
    timeline::Mark("no other copy");
    if (!startup::Prepare())
        return 0;
    const bool noDefine = command_line::HasWord(commandLine ? commandLine : L"", L"-noDefine");

    HWND frame = main_frame::Create();
    if (!frame)
        return 0;
    timeline::Mark("frame and children made");
    RegisterShowHotKey(frame);
    timeline::Mark("hot key");

    const auto savedFor = settings::Load();
    timeline::Mark("settings loaded");
    if (noDefine)
        ApplyStoredCellSize();
    if (savedFor && *savedFor == game::CellSize)
        children::Restore();
    else
        children::Arrange();
    // Sized while hidden, the status bar paints once, when the frame shows.
    status_bar::Fit(frame);
    timeline::Mark("windows placed");

    ShowWindow(frame, show);
    timeline::Mark("frame shown");
    UpdateWindow(frame);
    timeline::Mark("frame painted");
    startUp.Release();
    return RunLoop();
}
