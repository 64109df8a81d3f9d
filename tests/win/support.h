// Helpers of the in-process tests: the real program made once, a memory
// canvas, the counts of GDI objects and windows, and drivers of modal windows.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "boards/board_render.h"
#include "boards/board_windows.h"
#include "boards/placement_window.h"
#include "boards/ship_picker.h"
#include "common/gdi.h"
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

namespace win_test {

inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

inline std::string Hex(COLORREF c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06lX", static_cast<unsigned long>(c));
    return buf;
}

inline LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// --- modal windows ---------------------------------------------------------------

inline bool IsDialog(HWND w)
{
    wchar_t cls[16] = L"";
    GetClassNameW(w, cls, 16);
    return lstrcmpW(cls, L"#32770") == 0;
}

// A modal run: open() shows modal windows while a thread timer runs the
// steps, one per tick, inside whatever loop runs; a step answers false to
// be tried again. Past the bound every dialog still open is closed.
using Step = std::function<bool()>;
struct Script {
    std::vector<Step> steps;
    size_t next = 0;
    int ticks = 0;
    bool inStep = false;  // a step that pumps messages must not see the next tick run it again
    static inline Script* running = nullptr;
    static constexpr int kTickMs = 10, kMaxTicks = 500;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Script& s = *running;
        if (s.inStep)
            return;
        if (++s.ticks > kMaxTicks) {
            EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM) -> BOOL {
                if (IsDialog(w) && IsWindowVisible(w))
                    EndDialog(w, IDCANCEL);
                return TRUE;
            }, 0);
        } else if (s.next < s.steps.size()) {
            s.inStep = true;
            s.next += s.steps[s.next]() ? 1 : 0;
            s.inStep = false;
        }
    }
};

// While it lives, every dialog and message box of this thread that no
// Script drives is answered with WM_COMMAND `reply` once it is activated;
// without one, such a dialog fails the test and is closed.
struct AutoAnswer {
    explicit AutoAnswer(int reply) { s_reply = reply; s_count = 0; }
    ~AutoAnswer() { s_reply = 0; }
    static inline int s_reply = 0, s_count = 0;
};

inline LRESULT CALLBACK DialogHook(int code, WPARAM wp, LPARAM lp)
{
    HWND w = reinterpret_cast<HWND>(wp);
    if (code == HCBT_ACTIVATE && IsDialog(w) && !Script::running) {
        wchar_t caption[128] = L"";
        GetWindowTextW(w, caption, 128);
        if (!AutoAnswer::s_reply)
            ADD_FAILURE() << "an unexpected dialog: " << text::Narrow(caption);
        AutoAnswer::s_count += AutoAnswer::s_reply ? 1 : 0;
        PostMessageW(w, WM_COMMAND, AutoAnswer::s_reply ? AutoAnswer::s_reply : IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// True when every step ran.
inline bool Drive(const std::function<void()>& open, std::vector<Step> steps)
{
    Script script{std::move(steps)};
    Script::running = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, Script::kTickMs, Script::Tick);
    open();
    KillTimer(nullptr, timer);
    Script::running = nullptr;
    return script.next == script.steps.size() && script.ticks <= Script::kMaxTicks;
}

// Steps on the shown dialog or message box with this caption: anything done
// with it, a click on one of its controls, a key as its loop gets it (sent
// to the focus when the dialog holds it).
inline Step With(const wchar_t* caption, std::function<void(HWND)> act)
{
    return [caption, act] {
        HWND dialog = FindWindowW(L"#32770", caption);
        if (!dialog || !IsWindowVisible(dialog))
            return false;
        act(dialog);
        return true;
    };
}

inline Step Click(const wchar_t* caption, int id)
{
    return With(caption, [id](HWND d) { PostMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); });
}

inline Step Key(const wchar_t* caption, UINT key)
{
    return With(caption, [key](HWND d) {
        HWND focus = GetFocus();
        HWND target = focus && (focus == d || IsChild(d, focus)) ? focus : d;
        PostMessageW(target, WM_KEYDOWN, key, 0);
        PostMessageW(target, WM_KEYUP, key, 0xC0000000);
    });
}

// --- the program -------------------------------------------------------------------

struct Handles {
    HWND frame, computer, human, pad, picker, commentator;
    RECT created;  // the frame as it was made, at the system's default size
};

// The program as its entry point makes it, once per run: start-up, the frame
// with its children in the default arrangement, shown.
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
        SetWindowsHookExW(WH_CBT, DialogHook, nullptr, GetCurrentThreadId());
        Pump();
        return Handles{frame, boards::BoardWindow(game::BoardId::Computer), boards::BoardWindow(game::BoardId::Human),
                       boards::PadWindow(), boards::PickerWindow(), commentator::Window(), created};
    }();
    return made;
}

// A new game through the frame with the built-in options (auto-arrange as
// given), no pauses, and the windows a test may have hidden shown again.
inline void NewGame(bool autoArrange)
{
    const Handles& w = Program();
    game::SetTimeOut(0);
    options_ui::SetAutoArrange(autoArrange);
    options_ui::SetSalvo(false);
    options_ui::SetReshot(true);
    options_ui::SetFirstShooter(true);
    options_ui::SetLevel(0);
    game::SetRussianFlag(true);
    for (HWND child : {w.computer, w.human, w.commentator})
        children::ShowChild(child, true);
    SetForegroundWindow(w.frame);
    SendMessageW(w.frame, WM_COMMAND, IDM_NEW_GAME, 0);
    Pump();
}

inline bool ButtonPressed(int command) { return SendMessageW(toolbar::Window(), TB_ISBUTTONPRESSED, command, 0) > 0; }
inline bool ButtonChecked(int command) { return SendMessageW(toolbar::Window(), TB_ISBUTTONCHECKED, command, 0) > 0; }
inline int ButtonImage(int command) { return int(SendMessageW(toolbar::Window(), TB_GETBITMAP, command, 0)); }
inline bool MenuMarked(int command)
{
    return (GetMenuState(GetMenu(main_frame::Window()), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// As the mouse clicks the button.
inline void ClickToolbar(int command)
{
    RECT r{};
    ASSERT_TRUE(SendMessageW(toolbar::Window(), TB_GETRECT, command, reinterpret_cast<LPARAM>(&r))) << command;
    const LPARAM middle = At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(toolbar::Window(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(toolbar::Window(), WM_LBUTTONUP, 0, middle);
    Pump();
}

// --- pixels and counts ---------------------------------------------------------------

// A bitmap selected into a memory context, first filled with kUntouched so
// that what a painter leaves alone shows.
constexpr COLORREF kUntouched = RGB(255, 0, 255);
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = kUntouched) : m_bitmap(CreateBitmap(width, height, 1, 32, nullptr))
    {
        m_old = SelectObject(m_dc, m_bitmap.get());
        const RECT all{0, 0, width, height};
        FillRect(m_dc, &all, gdi::Obj<HBRUSH>(CreateSolidBrush(fill)).get());
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    std::vector<COLORREF> Pixels(const RECT& r) const
    {
        std::vector<COLORREF> all;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                all.push_back(At(x, y));
        return all;
    }

private:
    HDC m_dc = CreateCompatibleDC(nullptr);
    gdi::Obj<HBITMAP> m_bitmap;
    HGDIOBJ m_old;
};

inline COLORREF ScreenPixel(HWND window, int x, int y) { return GetPixel(gdi::WindowDc(window).get(), x, y); }

// Pixels of a board window that differ from a whole paint of the board's
// present state into memory.
inline int PixelsOffFromFreshPaint(HWND window, game::BoardId board)
{
    RECT client;
    GetClientRect(window, &client);
    Canvas fresh(client.right, client.bottom);
    const std::uint8_t skip = game::SkipBackground;
    game::SkipBackground = 0;
    boards::RenderBoard(fresh.dc(), client, board, boards::LookOf(board));
    game::SkipBackground = skip;
    gdi::WindowDc dc(window);
    int off = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            off += GetPixel(dc.get(), x, y) != fresh.At(x, y) ? 1 : 0;
    return off;
}

// GDI objects of this process. Wine's GetGuiResources answers 0: there the
// process's handle table is counted (24-byte entries, in use while the type
// byte is set).
inline long GdiObjectCount()
{
    GdiFlush();
    if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(reported);
    constexpr std::size_t kTableSlot = 0xF8, kEntrySize = 24, kTypeByte = 14;  // PEB::GdiSharedHandleTable on x64
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const char*>(info.PebBaseAddress);
    const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + kTableSlot);
    long n = 0;
    for (std::size_t i = 0; table && i < 0x10000; ++i)
        n += table[i * kEntrySize + kTypeByte] != 0 ? 1 : 0;
    return table ? n : -1;
}

// A window's descendants; the windows of this thread with all theirs.
inline long ChildCount(HWND w)
{
    long n = 0;
    EnumChildWindows(w, [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<long*>(p) > 0; },
                     reinterpret_cast<LPARAM>(&n));
    return n;
}

inline long WindowCount()
{
    long n = 0;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
        *reinterpret_cast<long*>(p) += 1 + ChildCount(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&n));
    return n;
}

}  // namespace win_test
