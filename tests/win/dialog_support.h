// Helpers of the dialog tests: a dialog opened modelessly from the
// program's template with its real procedure, a modal run driven by a
// script of steps, and a stand-in frame with the real menu and toolbar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/panels.h"
#include "game/options.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/main_frame.h"
#include "shell/status_bar.h"
#include "shell/toolbar.h"

namespace dialog_test {

inline HINSTANCE Module() { return GetModuleHandleW(nullptr); }

inline void Pump()
{
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

inline std::wstring TextOf(HWND window)
{
    wchar_t buffer[512] = L"";
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

// A modeless dialog, shown without activation and painted; destroyed at
// scope exit. EndDialog only hides it, so Ended() tells that it answered.
class Dialog {
public:
    Dialog(int templateId, DLGPROC proc, LPARAM param = 0, HWND owner = nullptr)
    {
        app::Instance = Module();
        dialogs::RegisterPanels(Module());
        m_hwnd = CreateDialogParamW(Module(), MAKEINTRESOURCEW(templateId), owner, proc, param);
        if (m_hwnd) {
            ShowWindow(m_hwnd, SW_SHOWNA);
            UpdateWindow(m_hwnd);
            Pump();
        }
    }
    ~Dialog()
    {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
        Pump();
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND get() const { return m_hwnd; }
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    std::wstring Text(int id) const { return TextOf(Item(id)); }
    bool Ended() const { return !IsWindowVisible(m_hwnd); }

    // A rectangle in dialog units as the dialog manager places a control:
    // corner and size are converted each on its own.
    RECT Units(int x, int y, int w, int h) const
    {
        RECT r = {x, y, w, h};
        MapDialogRect(m_hwnd, &r);
        return {r.left, r.top, r.left + r.right, r.top + r.bottom};
    }
    // A child's rectangle in the dialog's client area.
    RECT RectOf(HWND child) const
    {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // A click, with the commands it posts carried out.
    void Click(int id) const
    {
        Press(id);
        Pump();
    }
    // A click alone: what it invalidated is still to be painted.
    void Press(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }

private:
    HWND m_hwnd = nullptr;
};

// --- modal runs -------------------------------------------------------------
// The steps run one per timer tick inside the dialog's own loop; they should
// post rather than send, so that none of them waits on a nested loop. A
// dialog still open well after the last step is ended with kStuck. Nothing
// is dispatched after the dialog ends, so what it invalidated is still dirty.

constexpr INT_PTR kStuck = -99;

struct Script {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    int idle = 0;
    int retries = 0;
};
inline Script g_script;

inline BOOL CALLBACK EndStuck(HWND window, LPARAM)
{
    wchar_t cls[16] = L"";
    GetClassNameW(window, cls, 16);
    if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window))
        EndDialog(window, kStuck);
    return TRUE;
}

inline void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_script.next < g_script.steps.size()) {
        const auto step = g_script.steps[g_script.next++];
        step();
    } else if (++g_script.idle > 50) {
        EnumThreadWindows(GetCurrentThreadId(), EndStuck, 0);
    }
}

// Runs `open`, which shows a modal dialog, under the script.
inline INT_PTR RunScript(const std::function<INT_PTR()>& open, std::vector<std::function<void()>> steps)
{
    app::Instance = Module();
    dialogs::RegisterPanels(Module());
    g_script = Script{std::move(steps)};
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, Tick);
    const INT_PTR result = open();
    KillTimer(nullptr, timer);
    return result;
}

inline INT_PTR RunModal(int templateId, DLGPROC proc, LPARAM param, std::vector<std::function<void()>> steps,
                        HWND owner = nullptr)
{
    return RunScript(
        [&] { return DialogBoxParamW(Module(), MAKEINTRESOURCEW(templateId), owner, proc, param); },
        std::move(steps));
}

inline HWND FindDialog(const wchar_t* caption) { return FindWindowW(L"#32770", caption); }

// A step that waits for the window with this caption, then acts on it.
inline std::function<void()> WhenShown(const wchar_t* caption, std::function<void(HWND)> act)
{
    return [caption, act] {
        if (HWND window = FindDialog(caption))
            act(window);
        else if (++g_script.retries < 100)
            --g_script.next;   // again at the next tick
    };
}

inline BOOL CALLBACK FindShownDialog(HWND window, LPARAM found)
{
    wchar_t cls[16] = L"";
    GetClassNameW(window, cls, 16);
    if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// A key as the dialog's loop sees it: to the control that has the focus,
// or to the dialog itself when nothing has.
inline void PostKey(UINT key)
{
    HWND target = GetFocus();
    if (!target)
        EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&target));
    PostMessageW(target, WM_KEYDOWN, key, 0);
    PostMessageW(target, WM_KEYUP, key, 0xC0000000);
}

inline void PostClick(HWND dialog, int id)
{
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// --- the frame ----------------------------------------------------------------

inline bool IsOptionCommand(int id)
{
    switch (id) {
    case IDM_AUTO_ARRANGE: case IDM_SALVO: case IDM_RESHOT:
    case IDM_LEVEL_AMATEUR: case IDM_LEVEL_PRO: case IDM_LEVEL_SUPERMAN:
    case IDM_HUMAN_FIRST: case IDM_COMPUTER_FIRST:
        return true;
    }
    return false;
}

// Stands in for the main window: menu 125, the real toolbar and status bar,
// two plain windows in place of the boards. Option commands are carried
// out by the real frame procedure; every command is logged.
class Frame {
public:
    Frame()
        : m_saved{app::Instance, app::MainWindow, app::ToolbarWindow, app::StatusBarWindow,
                  app::HumanBoardWindow, app::ComputerBoardWindow},
          m_options(game::Options)
    {
        s_current = this;
        app::Instance = Module();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = Module();
        wc.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
        wc.lpszClassName = L"DialogTestFrame";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowW(L"DialogTestFrame", L"test frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                               900, 700, nullptr, LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_MAIN_MENU)),
                               Module(), nullptr);
        app::MainWindow = m_hwnd;
        app::ToolbarWindow = toolbar::Create(m_hwnd);
        app::StatusBarWindow = status_bar::Create(m_hwnd);
        app::HumanBoardWindow = Board(20);
        app::ComputerBoardWindow = Board(320);
        ShowWindow(m_hwnd, SW_SHOWNA);
        UpdateWindow(m_hwnd);
        Pump();
    }
    ~Frame()
    {
        DestroyWindow(m_hwnd);
        Pump();
        app::Instance = m_saved.instance;
        app::MainWindow = m_saved.main;
        app::ToolbarWindow = m_saved.toolbar;
        app::StatusBarWindow = m_saved.status;
        app::HumanBoardWindow = m_saved.human;
        app::ComputerBoardWindow = m_saved.computer;
        game::Options = m_options;
        s_current = nullptr;
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    HWND get() const { return m_hwnd; }

    // Menu, toolbar and options in agreement, as the frame keeps them.
    void Agree()
    {
        const game::GameOptions& o = game::Options;
        Mark(IDM_AUTO_ARRANGE, o.AutoArrange);
        toolbar::SetImageAndState(IDM_AUTO_ARRANGE,
                                  o.AutoArrange ? toolbar::kImageAutoArrangeOn : toolbar::kImageAutoArrangeOff,
                                  o.AutoArrange);
        Mark(IDM_SALVO, o.Salvo);
        toolbar::SetImageAndState(IDM_SALVO, o.Salvo ? toolbar::kImageSalvoOn : toolbar::kImageSalvoOff, o.Salvo);
        Mark(IDM_RESHOT, o.Reshot);
        const int levels[] = {IDM_LEVEL_AMATEUR, IDM_LEVEL_PRO, IDM_LEVEL_SUPERMAN};
        for (int i = 0; i < 3; ++i) {
            Mark(levels[i], o.ProphyUser == i);
            toolbar::SetOn(levels[i], o.ProphyUser == i);
        }
        Mark(IDM_HUMAN_FIRST, o.FirstShoot);
        Mark(IDM_COMPUTER_FIRST, !o.FirstShoot);
        toolbar::SetOn(IDM_HUMAN_FIRST, o.FirstShoot);
        toolbar::SetOn(IDM_COMPUTER_FIRST, !o.FirstShoot);
        ValidateBoards();
        commands.clear();
    }

    void Mark(int id, bool on) { CheckMenuItem(GetMenu(m_hwnd), id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }
    bool Marked(int id) const { return (GetMenuState(GetMenu(m_hwnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    static bool Pressed(int id) { return SendMessageW(app::ToolbarWindow, TB_ISBUTTONPRESSED, id, 0) != 0; }
    static bool Checked(int id) { return SendMessageW(app::ToolbarWindow, TB_ISBUTTONCHECKED, id, 0) != 0; }
    static int Image(int id) { return static_cast<int>(SendMessageW(app::ToolbarWindow, TB_GETBITMAP, id, 0)); }

    static void ValidateBoards()
    {
        Pump();
        ValidateRect(app::HumanBoardWindow, nullptr);
        ValidateRect(app::ComputerBoardWindow, nullptr);
    }
    static bool NeedsPaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != 0; }

    std::vector<int> commands;

private:
    HWND Board(int x)
    {
        return CreateWindowW(L"Static", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, x, 60, 250, 250, m_hwnd, nullptr,
                             Module(), nullptr);
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_COMMAND && s_current) {
            const int id = LOWORD(wp);
            s_current->commands.push_back(id);
            if (IsOptionCommand(id))
                return main_frame::Proc(hwnd, msg, wp, lp);
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    // The handles other tests of this program may rely on, put back after.
    struct Handles {
        HINSTANCE instance;
        HWND main, toolbar, status, human, computer;
    };

    inline static Frame* s_current = nullptr;
    Handles m_saved;
    game::GameOptions m_options;
    HWND m_hwnd = nullptr;
};

}  // namespace dialog_test
