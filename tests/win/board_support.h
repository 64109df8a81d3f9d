// Helpers of the board tests: a memory canvas to paint into, the process's
// GDI object count, a clean game, a look with telling colours, the real
// child windows in a test frame, and a catcher of message boxes.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "boards/board_render.h"
#include "game/model.h"
#include "game/options.h"
#include "game/placement.h"
#include "shell/app.h"
#include "shell/children.h"

namespace board_test {

// Colours no painter uses on its own, so every pixel tells who drew it.
constexpr COLORREF kSea = RGB(0, 128, 128);
constexpr COLORREF kShips = RGB(200, 160, 40);
constexpr COLORREF kLines = RGB(90, 40, 10);
constexpr COLORREF kSunk = RGB(150, 0, 150);
constexpr COLORREF kLabel = RGB(0, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kUntouched = RGB(255, 0, 255);  // canvas before a paint

inline std::string Hex(COLORREF c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06lX", static_cast<unsigned long>(c));
    return buf;
}

inline boards::BoardLook TestLook(int cell, HFONT font = nullptr, bool flag = true)
{
    return {cell, kSea, kShips, kLines, kSunk, flag, font, kLabel};
}

// A 32-bit top-down bitmap selected into a memory context.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<std::uint32_t*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
        Fill(kUntouched);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    void Fill(COLORREF c)
    {
        GdiFlush();
        const std::uint32_t v = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = v;
    }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const std::uint32_t v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> all;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                all.push_back(At(x, y));
        return all;
    }

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    std::uint32_t* m_bits = nullptr;
};

// GDI objects of this process. Wine's GetGuiResources is a stub that
// answers 0; there the in-process handle table is counted instead (an
// entry is in use while its type byte is set).
inline long GdiObjectCount()
{
    GdiFlush();
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return static_cast<long>(reported);
    struct Entry {
        std::uint64_t object;
        std::uint16_t process, count, instance;
        std::uint8_t type, flags;
        std::uint64_t user;
    };
    static_assert(sizeof(Entry) == 24, "GDI handle entry");
    constexpr std::size_t kTableSlot = 0xF8;  // PEB::GdiSharedHandleTable on x64
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0 ||
        !info.PebBaseAddress)
        return -1;
    const char* peb = reinterpret_cast<const char*>(info.PebBaseAddress);
    const Entry* table = *reinterpret_cast<const Entry* const*>(peb + kTableSlot);
    if (!table)
        return -1;
    long n = 0;
    for (int i = 0; i < 0x10000; ++i)
        n += table[i].type != 0 ? 1 : 0;
    return n;
}

// A new game's state with the built-in options, at cell size 17.
inline void ResetGame(int cell = 17)
{
    game::CellSize = cell;
    game::Options = game::GameOptions{};
    game::ClearModel();
    game::ResetPlacement();
    game::LastMouseCell = 0;
    game::SkipBackground = 0;
}

// Puts ship k of the human's fleet at square (x, y) as hand placement does.
inline void PlaceHumanShip(int k, int x, int y, bool vertical)
{
    game::Options.AutoArrange = false;
    game::ShipBeingPlaced = k;
    const game::PixelRect r = game::ShipRectAt(x, y, game::ShipLength(k), vertical);
    game::ShipRects[game::kHumanFleet][k] = r;
    game::PlaceShip(r, game::kHumanBoard);
    game::ShipPlaced[k] = 1;
}

// A square of one layer.
inline void Mark(int layer, int x, int y) { game::BoardAt(layer, x, y) = 1; }

// The program's real children (boards, pad, picker, toolbar, status bar)
// inside a plain test frame, made once; each test puts their handles back
// into app:: as it starts.
struct TestWindows {
    HWND frame, computerBoard, humanBoard, arrows, picker, toolbar, statusBar, commentator, commentatorText;
};

inline LRESULT CALLBACK TestFrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcW(w, msg, wp, lp);
}

inline const TestWindows& Windows()
{
    static TestWindows made = [] {
        TestWindows t{};
        app::Instance = GetModuleHandleW(nullptr);
        WNDCLASSW probe{};
        if (!GetClassInfoW(app::Instance, app::kHumanBoardClass, &probe))
            app::RegisterClasses(app::Instance);
        WNDCLASSW wc{};
        wc.lpfnWndProc = TestFrameProc;
        wc.hInstance = app::Instance;
        wc.lpszClassName = L"BoardTestFrame";
        RegisterClassW(&wc);
        game::CellSize = 17;
        t.frame = CreateWindowExW(0, wc.lpszClassName, L"boards", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  900, 700, nullptr, nullptr, app::Instance, nullptr);
        app::MainWindow = t.frame;
        children::Create(t.frame);
        t.computerBoard = app::ComputerBoardWindow;
        t.humanBoard = app::HumanBoardWindow;
        t.arrows = app::ArrowsWindow;
        t.picker = app::ShipPickerWindow;
        t.toolbar = app::ToolbarWindow;
        t.statusBar = app::StatusBarWindow;
        t.commentator = app::CommentatorWindow;
        t.commentatorText = app::CommentatorText;
        // Boards side by side, clear of the pad, the picker and the commentator.
        ShowWindow(t.commentator, SW_HIDE);
        // The sizes stay as made: the placement limits hang on the client area.
        const UINT keepSize = SWP_NOSIZE | SWP_NOZORDER;
        SetWindowPos(t.computerBoard, nullptr, 0, 60, 0, 0, keepSize);
        SetWindowPos(t.humanBoard, nullptr, 240, 60, 0, 0, keepSize);
        SetWindowPos(t.picker, nullptr, 0, 300, 0, 0, keepSize);
        SetWindowPos(t.arrows, nullptr, 240, 300, 0, 0, keepSize);
        return t;
    }();
    app::MainWindow = made.frame;
    app::ComputerBoardWindow = made.computerBoard;
    app::HumanBoardWindow = made.humanBoard;
    app::ArrowsWindow = made.arrows;
    app::ShipPickerWindow = made.picker;
    app::ToolbarWindow = made.toolbar;
    app::StatusBarWindow = made.statusBar;
    app::CommentatorWindow = made.commentator;
    app::CommentatorText = made.commentatorText;
    return made;
}

// Runs the queue dry, so posted and paint messages have been handled.
inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// Answers every message box shown on this thread while it lives, and keeps
// what each one said.
class MessageBoxCatcher {
public:
    struct Box {
        std::wstring caption, text;
        bool errorIcon;
    };

    MessageBoxCatcher()
    {
        s_current = this;
        m_hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxCatcher()
    {
        UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<Box>& boxes() const { return m_boxes; }
    // Runs while each box is on screen, before it is answered.
    void WhileShown(std::function<void()> f) { m_whileShown = std::move(f); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp)
    {
        if (code == HCBT_ACTIVATE && s_current) {
            HWND box = reinterpret_cast<HWND>(wp);
            wchar_t cls[32] = {};
            GetClassNameW(box, cls, 32);
            if (std::wstring(cls) == L"#32770")
                s_current->Take(box);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    void Take(HWND box)
    {
        Box b{};
        wchar_t buf[512] = {};
        GetWindowTextW(box, buf, 512);
        b.caption = buf;
        const HICON error = LoadIconW(nullptr, IDI_ERROR);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[32] = {};
            GetClassNameW(child, cls, 32);
            if (lstrcmpiW(cls, L"Static") != 0)
                continue;
            if (reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) == error)
                b.errorIcon = true;
            GetWindowTextW(child, buf, 512);
            if (lstrlenW(buf) > static_cast<int>(b.text.size()))
                b.text = buf;
        }
        m_boxes.push_back(b);
        if (m_whileShown)
            m_whileShown();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    HHOOK m_hook;
    std::vector<Box> m_boxes;
    std::function<void()> m_whileShown;
    static inline MessageBoxCatcher* s_current = nullptr;
};

// Closes every popup menu shown on this thread while it lives, and keeps
// the items of each one (separators as id 0 with an empty text).
class MenuCatcher {
public:
    struct Item {
        UINT id;
        std::wstring text;
    };

    MenuCatcher()
    {
        s_current = this;
        m_hook = SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~MenuCatcher()
    {
        UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    MenuCatcher(const MenuCatcher&) = delete;
    MenuCatcher& operator=(const MenuCatcher&) = delete;

    const std::vector<std::vector<Item>>& menus() const { return m_menus; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp)
    {
        const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && s_current && m->message == WM_INITMENUPOPUP) {
            HMENU menu = reinterpret_cast<HMENU>(m->wParam);
            std::vector<Item> items;
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                wchar_t buf[128] = {};
                GetMenuStringW(menu, i, buf, 128, MF_BYPOSITION);
                items.push_back({GetMenuItemID(menu, i), buf});
            }
            s_current->m_menus.push_back(items);
            EndMenu();
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    HHOOK m_hook;
    std::vector<std::vector<Item>> m_menus;
    static inline MenuCatcher* s_current = nullptr;
};

inline bool ToolbarChecked(int command)
{
    return SendMessageW(app::ToolbarWindow, TB_ISBUTTONCHECKED, command, 0) != 0;
}
inline bool ToolbarPressed(int command)
{
    return SendMessageW(app::ToolbarWindow, TB_ISBUTTONPRESSED, command, 0) != 0;
}

inline std::wstring StatusText(int part)
{
    wchar_t buf[256] = {};
    SendMessageW(app::StatusBarWindow, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buf));
    return buf;
}

inline LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The board window's client area as it stands on screen.
class WindowPixels {
public:
    explicit WindowPixels(HWND w) : m_window(w), m_dc(GetDC(w)) {}
    ~WindowPixels() { ReleaseDC(m_window, m_dc); }
    WindowPixels(const WindowPixels&) = delete;
    WindowPixels& operator=(const WindowPixels&) = delete;
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HWND m_window;
    HDC m_dc;
};

// Pixels of the window's client area that differ from what a full paint of
// the board with the current state would show, counted over the grid and
// the strips (11 c + 2 square, clipped to the client area).
inline int PixelsOffFromFreshPaint(HWND window, game::BoardId board)
{
    RECT client;
    GetClientRect(window, &client);
    Canvas fresh(client.right, client.bottom);
    const std::uint8_t skip = game::SkipBackground;
    game::SkipBackground = 0;
    boards::RenderBoard(fresh.dc(), client, board, boards::LookOf(board));
    game::SkipBackground = skip;
    WindowPixels shown(window);
    int off = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            off += shown.At(x, y) != fresh.At(x, y) ? 1 : 0;
    return off;
}

}  // namespace board_test
