// Helpers of the dialog tests: a dialog opened modelessly from the
// program's template with its real procedure, a modal run driven by a
// script of steps, and a stand-in frame with the real menu and toolbar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
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

// Destroyed at scope exit. Hidden unless asked: pixels and update regions
// need it on screen, and every window shown costs time under a bare X server.
enum Visibility { kHidden, kShown };

class Dialog {
public:
    Dialog(int templateId, DLGPROC proc, LPARAM param = 0, HWND owner = nullptr, Visibility visibility = kHidden)
    {
        app::Instance = Module();
        dialogs::RegisterPanels(Module());
        m_hwnd = CreateDialogParamW(Module(), MAKEINTRESOURCEW(templateId), owner, proc, param);
        if (visibility == kShown) {
            ShowWindow(m_hwnd, SW_SHOWNA);
            UpdateWindow(m_hwnd);
        }
        Pump();
    }
    ~Dialog()
    {
        DestroyWindow(m_hwnd);
        Pump();
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND get() const { return m_hwnd; }
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    std::wstring Text(int id) const { return TextOf(Item(id)); }
    // A click alone: what it invalidated is still to be painted.
    void Press(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    // A click, with the commands it posted carried out.
    void Click(int id) const
    {
        Press(id);
        Pump();
    }

private:
    HWND m_hwnd = nullptr;
};

// --- modal runs -------------------------------------------------------------
// One step per timer tick, inside the dialog's own loop. Steps post rather
// than send, so none waits on a nested loop; a dialog still open well after
// the last step ends with kStuck. Nothing is dispatched after the dialog
// ends, so what it invalidated is still dirty.

constexpr INT_PTR kStuck = -99;

struct Script {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    int idle = 0;
    int retries = 0;
};
inline Script g_script;

inline HWND ShownDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM out) {
        wchar_t cls[16] = L"";
        GetClassNameW(w, cls, 16);
        if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(w))
            return TRUE;
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_script.next < g_script.steps.size())
        g_script.steps[g_script.next++]();
    else if (++g_script.idle > 50)
        EndDialog(ShownDialog(), kStuck);
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
    return RunScript([&] { return DialogBoxParamW(Module(), MAKEINTRESOURCEW(templateId), owner, proc, param); },
                     std::move(steps));
}

// A step that waits for the window with this caption, then acts on it.
inline std::function<void()> WhenShown(const wchar_t* caption, std::function<void(HWND)> act)
{
    return [caption, act] {
        if (HWND window = FindWindowW(L"#32770", caption))
            act(window);
        else if (++g_script.retries < 100)
            --g_script.next;
    };
}

// A key as the dialog's loop sees it: to the focus, else to the dialog.
inline void PostKey(UINT key)
{
    HWND target = GetFocus() ? GetFocus() : ShownDialog();
    PostMessageW(target, WM_KEYDOWN, key, 0);
    PostMessageW(target, WM_KEYUP, key, 0xC0000000);
}

inline std::function<void()> Key(UINT key) { return [key] { PostKey(key); }; }

inline std::function<void()> ClickIn(const wchar_t* caption, int id)
{
    return WhenShown(caption, [id](HWND d) { PostMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); });
}

// --- the frame ----------------------------------------------------------------

// Stands in for the main window: menu 125, the real toolbar and status bar,
// two plain windows in place of the boards. Option commands go to the real
// frame procedure; every command is logged. The program's handles and
// options are put back afterwards.
class Frame {
public:
    Frame() : m_saved{app::Instance, app::MainWindow, app::ToolbarWindow, app::StatusBarWindow,
                      app::HumanBoardWindow, app::ComputerBoardWindow}, m_options(game::Options)
    {
        s_current = this;
        std::tie(app::Instance, app::MainWindow, app::ToolbarWindow, app::StatusBarWindow, app::HumanBoardWindow,
                 app::ComputerBoardWindow) = Shared();
        m_hwnd = app::MainWindow;
    }
    ~Frame()
    {
        Pump();
        std::tie(app::Instance, app::MainWindow, app::ToolbarWindow, app::StatusBarWindow, app::HumanBoardWindow,
                 app::ComputerBoardWindow) = m_saved;
        game::Options = m_options;
        s_current = nullptr;
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    HWND get() const { return m_hwnd; }

    // The built-in options, with menu and toolbar in step: each toggle is
    // run by the real frame from the opposite mark, the radio groups set.
    void Agree()
    {
        game::Options = game::GameOptions{};
        for (const auto& [id, on] : {std::pair{IDM_AUTO_ARRANGE, true}, {IDM_SALVO, false}, {IDM_RESHOT, true}}) {
            CheckMenuItem(GetMenu(m_hwnd), id, MF_BYCOMMAND | (on ? MF_UNCHECKED : MF_CHECKED));
            main_frame::Proc(m_hwnd, WM_COMMAND, id, 0);
        }
        main_frame::Proc(m_hwnd, WM_COMMAND, IDM_LEVEL_AMATEUR, 0);
        main_frame::Proc(m_hwnd, WM_COMMAND, IDM_HUMAN_FIRST, 0);
        commands.clear();
    }

    bool Marked(int id) const { return (GetMenuState(GetMenu(m_hwnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    // Pressed and checked together, as the frame shows an option.
    static bool On(int id)
    {
        return SendMessageW(app::ToolbarWindow, TB_ISBUTTONPRESSED, id, 0) &&
               SendMessageW(app::ToolbarWindow, TB_ISBUTTONCHECKED, id, 0);
    }
    static int Image(int id) { return static_cast<int>(SendMessageW(app::ToolbarWindow, TB_GETBITMAP, id, 0)); }

    static void ValidateBoards()
    {
        Pump();
        ValidateRect(app::HumanBoardWindow, nullptr);
        ValidateRect(app::ComputerBoardWindow, nullptr);
    }
    static bool BoardsDirty()
    {
        return GetUpdateRect(app::HumanBoardWindow, nullptr, FALSE) &&
               GetUpdateRect(app::ComputerBoardWindow, nullptr, FALSE);
    }

    std::vector<int> commands;

private:
    using Handles = std::tuple<HINSTANCE, HWND, HWND, HWND, HWND, HWND>;

    // One window for all the tests: a managed window that is shown and
    // hidden again costs seconds under a bare X server.
    static Handles Shared()
    {
        static const Handles shared = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = Proc;
            wc.hInstance = Module();
            wc.lpszClassName = L"DialogTestFrame";
            RegisterClassW(&wc);
            HWND frame = CreateWindowW(L"DialogTestFrame", L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900,
                                       700, nullptr, LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_MAIN_MENU)), Module(),
                                       nullptr);
            const auto board = [frame](int x) {
                return CreateWindowW(L"Static", L"", WS_CHILD | WS_VISIBLE, x, 60, 250, 250, frame, nullptr,
                                     Module(), nullptr);
            };
            Handles h{Module(), frame, toolbar::Create(frame), status_bar::Create(frame), board(20), board(320)};
            ShowWindow(frame, SW_SHOWNA);
            Pump();
            return h;
        }();
        return shared;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg != WM_COMMAND || !s_current)
            return DefWindowProcW(hwnd, msg, wp, lp);
        const int id = LOWORD(wp);
        s_current->commands.push_back(id);
        switch (id) {
        case IDM_AUTO_ARRANGE: case IDM_SALVO: case IDM_RESHOT: case IDM_HUMAN_FIRST: case IDM_COMPUTER_FIRST:
        case IDM_LEVEL_AMATEUR: case IDM_LEVEL_PRO: case IDM_LEVEL_SUPERMAN:
            return main_frame::Proc(hwnd, msg, wp, lp);
        }
        return 0;
    }

    inline static Frame* s_current = nullptr;
    Handles m_saved;
    game::GameOptions m_options;
    HWND m_hwnd = nullptr;
};

}  // namespace dialog_test
