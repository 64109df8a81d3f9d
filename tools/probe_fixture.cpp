// A small window with a menu, a toolbar, a status bar and known colours,
// used to check the probe itself (tests/e2e/test_probe.py).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {

constexpr wchar_t kClass[] = L"ProbeFixture_Class";
constexpr COLORREF kFill = RGB(10, 200, 30);

enum : int {
    IDM_NEW = 101, IDM_EXIT = 102, IDM_LEVEL = 103, IDM_SUB_A = 111, IDM_SUB_B = 112,
    IDT_ONE = 201, IDT_TWO = 202, IDT_THREE = 203,
    IDC_TOOLBAR = 401, IDC_STATUS = 402,
    CMD_QUESTION = 301,  // opens a message box
    CMD_LEAK = 302,      // makes ten brushes and keeps them
    CMD_QUIT = 303,      // quits with lParam as the exit code
    CMD_HANG = 304,      // blocks the thread for lParam milliseconds
};

HWND g_toolbar, g_status;
std::vector<HBRUSH> g_leaked;
int g_commands;

HMENU MakeMenu()
{
    HMENU bar = CreateMenu();
    HMENU game = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, IDM_SUB_A, L"Любитель");
    AppendMenuW(sub, MF_STRING | MF_CHECKED, IDM_SUB_B, L"Профессионал");
    AppendMenuW(game, MF_STRING | MF_CHECKED, IDM_NEW, L"&Новая игра");
    AppendMenuW(game, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Уровень");
    AppendMenuW(game, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(game, MF_STRING | MF_GRAYED, IDM_EXIT, L"Выход");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(game), L"&Игра");
    return bar;
}

void MakeBars(HWND hwnd)
{
    TBBUTTON buttons[3] = {};
    int ids[3] = {IDT_ONE, IDT_TWO, IDT_THREE};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = STD_FILENEW + i;
        buttons[i].idCommand = ids[i];
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_CHECK;
    }
    buttons[0].fsState |= TBSTATE_CHECKED;
    buttons[2].fsState = 0;
    g_toolbar = CreateToolbarEx(hwnd, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, IDC_TOOLBAR, 15,
                                HINST_COMMCTRL, IDB_STD_SMALL_COLOR, buttons, 3, 16, 16, 16, 16,
                                sizeof(TBBUTTON));
    SendMessageW(g_toolbar, TB_PRESSBUTTON, IDT_TWO, TRUE);
    g_status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd,
                               reinterpret_cast<HMENU>(IDC_STATUS), nullptr, nullptr);
    int edges[3] = {200, 330, -1};
    SendMessageW(g_status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessageW(g_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Готово"));
    SendMessageA(g_status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Ships 10"));
    SendMessageW(g_status, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L"Корабли: 10"));
}

void OnCommand(HWND hwnd, int id, LPARAM lp)
{
    ++g_commands;
    switch (id) {
    case CMD_QUESTION: MessageBoxW(hwnd, L"Начать новую игру?", L"Вопрос", MB_YESNO | MB_ICONQUESTION); break;
    case CMD_LEAK:
        for (int i = 0; i < 10; ++i) g_leaked.push_back(CreateSolidBrush(RGB(i, 0, 0)));
        break;
    case CMD_QUIT: PostQuitMessage(static_cast<int>(lp)); break;
    case CMD_HANG: Sleep(static_cast<DWORD>(lp)); break;
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: MakeBars(hwnd); return 0;
    case WM_SIZE:
        SendMessageW(g_toolbar, TB_AUTOSIZE, 0, 0);
        SendMessageW(g_status, WM_SIZE, 0, 0);
        return 0;
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wp), lp); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

extern "C" __declspec(dllexport) int TrivokDescribeState(char* buf, int size)
{
    return snprintf(buf, static_cast<size_t>(size), "commands=%d\nзаголовок=Проба", g_commands);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    InitCommonControls();
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kFill);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, kClass, L"Проба", WS_OVERLAPPEDWINDOW, 50, 40, 500, 300, nullptr,
                                MakeMenu(), instance, nullptr);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return static_cast<int>(m.wParam);
}
