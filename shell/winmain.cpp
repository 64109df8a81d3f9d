// Entry point: single instance, start-up in order, and the message loop.
#include <windows.h>
#include <commctrl.h>

#include "game/model.h"
#include "game/turns.h"
#include "shell/app.h"
#include "shell/children.h"
#include "shell/command_line.h"
#include "shell/settings.h"
#include "shell/shell_effects.h"

namespace {

constexpr int kHotKeyId = 0xBEDA;           // Ctrl+S shows the hidden program
constexpr int kHotKeyAttempts = 0xBEDA - 1;  // another program may hold Ctrl+S
constexpr int kFallbackCellSize = 45;       // 4.5 mm in 0.1 mm units, unconverted
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
    HWND running = FindWindowW(app::kMainClass, nullptr);
    if (!running)
        return false;
    ShowWindow(running, SW_SHOWMAXIMIZED);
    SendMessageW(running, WM_USER, 0, 0);
    return true;
}

void InitControls()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

// The pixels that 4.5 mm span horizontally on this display.
int MeasureCellSize()
{
    POINT p = {45, -45};
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!ic)
        return kFallbackCellSize;
    const int old = SetMapMode(ic, MM_LOMETRIC);
    LPtoDP(ic, &p, 1);
    SetMapMode(ic, old);
    DeleteDC(ic);
    return p.x;
}

HWND CreateFrame()
{
    return CreateWindowExW(0, app::kMainClass, L"Duvirud ida для Win95", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           app::Instance, nullptr);
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
        game::CellSize = *stored;
}

// Clicks on the computer's board made while the computer was shooting are
// dropped: the turn blocked the loop, so they carry times inside it.
bool MadeDuringComputerTurn(const MSG& msg)
{
    return msg.hwnd == app::ComputerBoardWindow && msg.message == WM_LBUTTONUP &&
           game::ComputerTurnStartTick < msg.time && msg.time < game::ComputerTurnEndTick;
}

int RunLoop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!MadeDuringComputerTurn(msg))
            DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show)
{
    StartUpLock startUp;
    if (HandOverToRunningCopy())
        return 0;
    InitControls();
    if (!app::RegisterClasses(instance))
        return 0;
    app::Instance = instance;
    app::NoDefine = command_line::HasWord(commandLine ? commandLine : L"", L"-noDefine");
    game::CellSize = MeasureCellSize();
    shell_effects::Install();

    HWND frame = CreateFrame();
    if (!frame)
        return 0;
    RegisterShowHotKey(frame);
    app::MainWindow = frame;

    const auto savedFor = settings::Load(frame);
    if (app::NoDefine)
        ApplyStoredCellSize();
    if (savedFor && *savedFor == game::CellSize)
        children::Restore();
    else
        children::Arrange();

    ShowWindow(frame, show);
    UpdateWindow(frame);
    startUp.Release();
    return RunLoop();
}
