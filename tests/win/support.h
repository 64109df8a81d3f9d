// Helpers of the in-process tests: the program made once, its modal windows driven, a memory canvas, GDI/USER counts.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "boards/board_render.h"
#include "boards/board_windows.h"
#include "boards/placement_window.h"
#include "boards/ship_picker.h"
#include "common/gdi.h"
#include "common/look.h"
#include "common/text.h"
#include "game/model.h"
#include "game/options.h"
#include "resources/resource.h"
#include "shell/children.h"
#include "shell/commentator.h"
#include "shell/main_frame.h"
#include "shell/options_ui.h"
#include "shell/startup.h"
#include "shell/toolbar.h"

inline void Pump() { for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg); }

inline std::string Hex(COLORREF c) { char b[12]; return std::string(b, std::snprintf(b, sizeof b, "%06lX", c)); }

inline LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

inline bool IsDialog(HWND w) { return GetClassLongPtrW(w, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG); }

// A step on the modal windows; false: not yet, try it again at the next tick. A step that pumps messages must not see
// the next tick run it again (inStep).
using Step = std::function<bool()>;
inline struct { std::vector<Step> steps; size_t next; int ticks; bool on, inStep; } g_run;

// open() shows modal windows while a thread timer runs the steps, one per tick, inside whatever loop runs. Past the
// bound every dialog still open is closed. True when every step ran in time.
inline bool Drive(const std::function<void()>& open, std::vector<Step> steps)
{
    constexpr int kMaxTicks = 500;
    g_run = {std::move(steps), 0, 0, true, false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        if (g_run.inStep)
            return;
        if (++g_run.ticks > kMaxTicks) {
            EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM) -> BOOL {
                if (IsDialog(w) && IsWindowVisible(w))
                    EndDialog(w, IDCANCEL);
                return TRUE;
            }, 0);
        } else if (g_run.next < g_run.steps.size()) {
            g_run.inStep = true;
            g_run.next += g_run.steps[g_run.next]() ? 1 : 0;
            g_run.inStep = false;
        }
    });
    open();
    KillTimer(nullptr, timer);
    g_run.on = false;
    return g_run.next == g_run.steps.size() && g_run.ticks <= kMaxTicks;
}

// While it lives, every dialog and message box of this thread that no Drive runs is answered with WM_COMMAND `reply`
// once it is activated; without one, such a dialog fails the test and is closed.
struct AutoAnswer {
    explicit AutoAnswer(int r) { reply = r; count = 0; }
    ~AutoAnswer() { reply = 0; }
    static inline int reply = 0, count = 0;
};

// Steps on the shown dialog or message box with this caption: anything done with it, a click on one of its controls, a
// key as its loop gets it (sent to the focus when the dialog holds it).
inline Step With(const wchar_t* caption, std::function<void(HWND)> act)
{
    return [caption, act] {
        HWND dialog = FindWindowW(L"#32770", caption);
        const bool shown = dialog && IsWindowVisible(dialog);
        if (shown)
            act(dialog);
        return shown;
    };
}

inline Step Click(const wchar_t* caption, int id)
{
    return With(caption, [id](HWND d) { PostMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); });
}

inline Step Key(const wchar_t* caption, UINT key)
{
    return With(caption, [key](HWND d) {
        HWND target = GetFocus() && IsChild(d, GetFocus()) ? GetFocus() : d;
        PostMessageW(target, WM_KEYDOWN, key, 0);
        PostMessageW(target, WM_KEYUP, key, 0xC0000000);
    });
}

struct Handles {
    HWND frame, computer, human, pad, picker, commentator;
    RECT created;  // the frame as it was made, at the system's default size
};

// The program as its entry point makes it, once per run: start-up, the frame with its children in the default
// arrangement, shown.
inline const Handles& Program()
{
    static const Handles made = [] {
        if (!startup::Prepare())
            ADD_FAILURE() << "start-up failed";
        HWND frame = main_frame::Create();
        RECT created{};
        GetWindowRect(frame, &created);
        // Room for every child on the virtual desktop, so their pixels can be read.
        MoveWindow(frame, 0, 0, 1000, 740, FALSE);
        children::Arrange();
        ShowWindow(frame, SW_SHOW);
        UpdateWindow(frame);
        SetWindowsHookExW(WH_CBT, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            HWND w = reinterpret_cast<HWND>(wp);
            if (code == HCBT_ACTIVATE && IsDialog(w) && !g_run.on) {
                wchar_t caption[128] = L"";
                GetWindowTextW(w, caption, 128);
                if (!AutoAnswer::reply)
                    ADD_FAILURE() << "an unexpected dialog: " << text::Narrow(caption);
                AutoAnswer::count += AutoAnswer::reply ? 1 : 0;
                PostMessageW(w, WM_COMMAND, AutoAnswer::reply ? AutoAnswer::reply : IDCANCEL, 0);
            }
            return CallNextHookEx(nullptr, code, wp, lp);
        }, nullptr, GetCurrentThreadId());
        Pump();
        return Handles{frame, boards::BoardWindow(game::BoardId::Computer), boards::BoardWindow(game::BoardId::Human),
                       boards::PadWindow(), boards::PickerWindow(), commentator::Window(), created};
    }();
    return made;
}

// A new game through the frame with the built-in options (auto-arrange as given), no pauses, and the windows a test may
// have hidden shown again.
inline void NewGame(bool autoArrange)
{
    const Handles& w = Program();
    game::GameOptions builtIn;
    builtIn.AutoArrange = autoArrange;
    options_ui::Restore(builtIn);
    game::SetTimeOut(0);
    for (HWND child : {w.computer, w.human, w.commentator})
        children::ShowChild(child, true);
    SetForegroundWindow(w.frame);
    SendMessageW(w.frame, WM_COMMAND, IDM_NEW_GAME, 0);
    Pump();
}

inline LRESULT Toolbar(UINT msg, WPARAM wp, LPARAM lp = 0) { return SendMessageW(toolbar::Window(), msg, wp, lp); }
inline bool ButtonPressed(int command) { return Toolbar(TB_ISBUTTONPRESSED, command) > 0; }
inline bool ButtonChecked(int command) { return Toolbar(TB_ISBUTTONCHECKED, command) > 0; }
inline int ButtonImage(int command) { return int(Toolbar(TB_GETBITMAP, command)); }
inline bool MenuMarked(int id) { return GetMenuState(GetMenu(main_frame::Window()), id, MF_BYCOMMAND) & MF_CHECKED; }

inline void ClickToolbar(int command)  // as the mouse clicks the button
{
    RECT r{};
    ASSERT_TRUE(Toolbar(TB_GETRECT, command, reinterpret_cast<LPARAM>(&r))) << command;
    const LPARAM middle = At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Toolbar(WM_LBUTTONDOWN, MK_LBUTTON, middle);
    Toolbar(WM_LBUTTONUP, 0, middle);
    Pump();
}

inline std::vector<COLORREF> Pixels(HDC dc, const RECT& r)
{
    std::vector<COLORREF> all;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            all.push_back(GetPixel(dc, x, y));
    return all;
}

// A bitmap selected into a memory context, first filled with kUntouched so that what a painter leaves alone shows.
constexpr COLORREF kUntouched = RGB(255, 0, 255);
struct Canvas {
    Canvas(int width, int height, COLORREF fill = kUntouched) : bitmap(CreateBitmap(width, height, 1, 32, nullptr))
    {
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, gdi::Obj<HBRUSH>(CreateSolidBrush(fill)).get());
    }
    ~Canvas() { SelectObject(dc, old); DeleteDC(dc); }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }

    const HDC dc = CreateCompatibleDC(nullptr);
    const gdi::Obj<HBITMAP> bitmap;
    const HGDIOBJ old = SelectObject(dc, bitmap.get());
};

inline COLORREF ScreenPixel(HWND window, int x, int y) { return GetPixel(gdi::WindowDc(window).get(), x, y); }

// Pixels of a board window that differ from a whole paint of the board's present state into memory.
inline int PixelsOffFromFreshPaint(HWND window, game::BoardId board)
{
    RECT client;
    GetClientRect(window, &client);
    Canvas fresh(client.right, client.bottom);
    const std::uint8_t skip = std::exchange(game::SkipBackground, 0);
    boards::RenderBoard(fresh.dc, client, board, boards::LookOf(board));
    game::SkipBackground = skip;
    const std::vector<COLORREF> want = Pixels(fresh.dc, client), got = Pixels(gdi::WindowDc(window).get(), client);
    return int(std::inner_product(got.begin(), got.end(), want.begin(), 0, std::plus<>(), std::not_equal_to<>()));
}

// GDI objects of this process. Wine's GetGuiResources answers 0: there the process's handle table is counted
// (PEB::GdiSharedHandleTable on x64, 24-byte entries, in use while the type byte is set).
inline long GdiObjectCount()
{
    GdiFlush();
    if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(reported);
    const auto peb = reinterpret_cast<const char*(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetCurrentPeb")));
    const auto* table = peb ? *reinterpret_cast<const std::uint8_t* const*>(peb() + 0xF8) : nullptr;
    long n = table ? 0 : -1;
    for (std::size_t i = 0; table && i < 0x10000; ++i)
        n += table[i * 24 + 14] != 0 ? 1 : 0;
    return n;
}

// A window's descendants; the windows of this thread with all theirs.
inline BOOL CALLBACK CountOne(HWND, LPARAM n) { return ++*reinterpret_cast<long*>(n) > 0; }
inline long ChildCount(HWND w) { long n = 0; EnumChildWindows(w, CountOne, reinterpret_cast<LPARAM>(&n)); return n; }
inline long WindowCount()
{
    long n = 0;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
        return CountOne(w, p) && (EnumChildWindows(w, CountOne, p), true);
    }, reinterpret_cast<LPARAM>(&n));
    return n;
}
