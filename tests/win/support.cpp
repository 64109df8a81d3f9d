// The helpers of support.h.
#include "support.h"

#include <commctrl.h>
#include <winternl.h>

#include <cstdio>

#include "boards/board_render.h"
#include "common/text.h"
#include "boards/board_windows.h"
#include "boards/placement_window.h"
#include "boards/ship_picker.h"
#include "game/options.h"
#include "resources/resource.h"
#include "shell/children.h"
#include "shell/commentator.h"
#include "shell/main_frame.h"
#include "shell/options_ui.h"
#include "shell/startup.h"
#include "shell/status_bar.h"
#include "shell/toolbar.h"

namespace win_test {

const Handles& Program()
{
    static const Handles made = [] {
        if (!startup::Prepare(GetModuleHandleW(nullptr)))
            ADD_FAILURE() << "start-up failed";
        HWND frame = main_frame::Create();
        // Room for every child on the virtual desktop, so their pixels can be read.
        MoveWindow(frame, 0, 0, 1000, 740, FALSE);
        children::Arrange();
        ShowWindow(frame, SW_SHOW);
        UpdateWindow(frame);
        Answerer::Install();
        Pump();
        return Handles{frame, boards::BoardWindow(game::BoardId::Computer), boards::BoardWindow(game::BoardId::Human),
                       boards::PadWindow(), boards::PickerWindow(), toolbar::Window(), status_bar::Window(),
                       commentator::Window()};
    }();
    return made;
}

void NewGame(bool autoArrange)
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

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    return done();
}

std::string Hex(COLORREF c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06lX", static_cast<unsigned long>(c));
    return buf;
}

// --- canvas --------------------------------------------------------------------

Canvas::Canvas(int width, int height) : m_width(width), m_height(height)
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

Canvas::~Canvas()
{
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void Canvas::Fill(COLORREF c)
{
    GdiFlush();
    const std::uint32_t v = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    for (int i = 0; i < m_width * m_height; ++i)
        m_bits[i] = v;
}

COLORREF Canvas::At(int x, int y) const
{
    GdiFlush();
    const std::uint32_t v = m_bits[y * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

std::vector<COLORREF> Canvas::Pixels(const RECT& r) const
{
    std::vector<COLORREF> all;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            all.push_back(At(x, y));
    return all;
}

COLORREF ScreenPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

int PixelsOffFromFreshPaint(HWND window, game::BoardId board)
{
    RECT client;
    GetClientRect(window, &client);
    Canvas fresh(client.right, client.bottom);
    const std::uint8_t skip = game::SkipBackground;
    game::SkipBackground = 0;
    boards::RenderBoard(fresh.dc(), client, board, boards::LookOf(board));
    game::SkipBackground = skip;
    HDC dc = GetDC(window);
    int off = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            off += GetPixel(dc, x, y) != fresh.At(x, y) ? 1 : 0;
    ReleaseDC(window, dc);
    return off;
}

// --- counts --------------------------------------------------------------------

// Wine's GetGuiResources answers 0; there the in-process handle table is
// counted instead (an entry is in use while its type byte is set).
long GdiObjectCount()
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
    const auto* table =
        *reinterpret_cast<const Entry* const*>(reinterpret_cast<const char*>(info.PebBaseAddress) + kTableSlot);
    if (!table)
        return -1;
    long n = 0;
    for (int i = 0; i < 0x10000; ++i)
        n += table[i].type != 0 ? 1 : 0;
    return n;
}

long WindowCount()
{
    long n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM count) {
            ++*reinterpret_cast<long*>(count);
            EnumChildWindows(
                w,
                [](HWND, LPARAM c) {
                    ++*reinterpret_cast<long*>(c);
                    return TRUE;
                },
                count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

// --- toolbar, menu, status bar ---------------------------------------------------

bool ButtonPressed(int command) { return SendMessageW(toolbar::Window(), TB_ISBUTTONPRESSED, command, 0) > 0; }
bool ButtonChecked(int command) { return SendMessageW(toolbar::Window(), TB_ISBUTTONCHECKED, command, 0) > 0; }
int ButtonImage(int command) { return static_cast<int>(SendMessageW(toolbar::Window(), TB_GETBITMAP, command, 0)); }

bool MenuMarked(int command)
{
    return (GetMenuState(GetMenu(main_frame::Window()), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void ClickToolbar(int command)
{
    RECT r{};
    ASSERT_TRUE(SendMessageW(toolbar::Window(), TB_GETRECT, command, reinterpret_cast<LPARAM>(&r))) << command;
    const LPARAM middle = At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(toolbar::Window(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(toolbar::Window(), WM_LBUTTONUP, 0, middle);
    Pump();
}

std::wstring StatusText(int part)
{
    wchar_t buf[256] = {};
    SendMessageW(status_bar::Window(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buf));
    return buf;
}

// --- modal windows -------------------------------------------------------------

namespace {

bool IsDialog(HWND w)
{
    wchar_t cls[16] = L"";
    GetClassNameW(w, cls, 16);
    return lstrcmpW(cls, L"#32770") == 0;
}

Answerer* g_answerer;

struct Script {
    std::vector<Step> steps;
    size_t next = 0;
    int ticks = 0;
    bool inStep = false;  // a step that pumps messages must not see the next tick run it again
};
Script* g_script;
constexpr int kTickMs = 10;
constexpr int kMaxTicks = 500;

BOOL CALLBACK EndDialogs(HWND w, LPARAM)
{
    if (IsDialog(w) && IsWindowVisible(w))
        EndDialog(w, IDCANCEL);
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Script& s = *g_script;
    if (s.inStep)
        return;
    if (++s.ticks > kMaxTicks) {
        EnumThreadWindows(GetCurrentThreadId(), EndDialogs, 0);
    } else if (s.next < s.steps.size()) {
        s.inStep = true;
        s.next += s.steps[s.next]() ? 1 : 0;
        s.inStep = false;
    }
}

}  // namespace

// One hook for the whole run: an Answerer in place answers each dialog as
// it is activated; with neither an Answerer nor a Drive in place a dialog is
// a failure and is closed, so that no test waits on it.
LRESULT CALLBACK Answerer::Hook(int code, WPARAM wp, LPARAM lp)
{
    HWND w = reinterpret_cast<HWND>(wp);
    if (code == HCBT_ACTIVATE && IsDialog(w)) {
        if (g_answerer) {
            ++g_answerer->m_count;
            PostMessageW(w, WM_COMMAND, g_answerer->m_reply, 0);
        } else if (!g_script) {
            wchar_t caption[128] = L"";
            GetWindowTextW(w, caption, 128);
            ADD_FAILURE() << "an unexpected dialog: " << text::Narrow(caption);
            PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void Answerer::Install()
{
    static const HHOOK hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    (void)hook;
}

Answerer::Answerer(int reply) : m_reply(reply)
{
    Install();
    g_answerer = this;
}

Answerer::~Answerer() { g_answerer = nullptr; }

bool Drive(const std::function<void()>& open, std::vector<Step> steps)
{
    Answerer::Install();
    Script script{std::move(steps)};
    g_script = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
    open();
    KillTimer(nullptr, timer);
    g_script = nullptr;
    return script.next == script.steps.size() && script.ticks <= kMaxTicks;
}

HWND Shown(const wchar_t* caption)
{
    HWND w = FindWindowW(L"#32770", caption);
    return w && IsWindowVisible(w) ? w : nullptr;
}

Step With(const wchar_t* caption, std::function<void(HWND)> act)
{
    return [caption, act] {
        HWND dialog = Shown(caption);
        if (dialog)
            act(dialog);
        return dialog != nullptr;
    };
}

Step Click(const wchar_t* caption, int id)
{
    return With(caption, [id](HWND d) { PostMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); });
}

// To the focus when the dialog holds it, else to the dialog: its loop then
// treats Enter and Escape as it treats the user's.
Step Key(const wchar_t* caption, UINT key)
{
    return With(caption, [key](HWND d) {
        HWND focus = GetFocus();
        HWND target = focus && (focus == d || IsChild(d, focus)) ? focus : d;
        PostMessageW(target, WM_KEYDOWN, key, 0);
        PostMessageW(target, WM_KEYUP, key, 0xC0000000);
    });
}

}  // namespace win_test
