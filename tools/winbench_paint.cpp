// Prints the time of one board paint, full and with SkipBackground, for each
// board, in a mid-game position: through the window's own WM_PAINT and
// rendered into a memory bitmap.
//   winbench_paint [paints]        (default 2000 of each kind)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "boards/board_render.h"
#include "game/model.h"
#include "game/placement.h"
#include "shell/app.h"
#include "shell/children.h"

namespace {

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, msg, wp, lp); }

// Both fleets arranged and every third square of each board shot at.
void MidGame()
{
    game::ClearModel();
    game::ResetPlacement();
    game::ArrangeFleet(game::kHumanFleet);
    game::ArrangeFleet(game::kComputerFleet);
    for (int i = 0; i < 100; i += 3) {
        const int x = i / 10, y = i % 10;
        game::BoardAt(game::ShotsAtComputer, x, y) = 1;
        game::BoardAt(game::ShotsAtHuman, x, y) = 1;
        if (game::IsSet(game::HumanShips, x, y))
            game::RegisterHit(x, y, game::kHumanFleet);
    }
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER freq)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

template <typename Paint>
void Time(const char* board, const char* kind, const char* route, int paints, bool skip, Paint paint)
{
    LARGE_INTEGER freq, from, to;
    QueryPerformanceFrequency(&freq);
    paint();  // first-use costs (fonts) out of the figure
    QueryPerformanceCounter(&from);
    for (int i = 0; i < paints; ++i) {
        game::SkipBackground = skip ? 1 : 0;
        paint();
    }
    GdiFlush();
    QueryPerformanceCounter(&to);
    std::printf("%-9s %-9s %-7s %10.1f %8d\n", board, kind, route, 1e6 * Seconds(from, to, freq) / paints, paints);
}

}  // namespace

int main(int argc, char** argv)
{
    const int paints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    app::Instance = GetModuleHandleW(nullptr);
    if (!app::RegisterClasses(app::Instance))
        return 1;
    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = app::Instance;
    wc.lpszClassName = L"BenchFrame";
    RegisterClassW(&wc);
    app::MainWindow = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                      0, 900, 600, nullptr, nullptr, app::Instance, nullptr);
    if (!app::MainWindow || !children::Create(app::MainWindow))
        return 1;
    ShowWindow(app::CommentatorWindow, SW_HIDE);
    SetWindowPos(app::ComputerBoardWindow, nullptr, 0, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(app::HumanBoardWindow, nullptr, 300, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    MidGame();

    std::printf("%-9s %-9s %-7s %10s %8s\n", "board", "paint", "route", "us/paint", "paints");
    const struct {
        const char* name;
        game::BoardId id;
        HWND window;
    } boards[] = {{"computer", game::BoardId::Computer, app::ComputerBoardWindow},
                  {"human", game::BoardId::Human, app::HumanBoardWindow}};
    for (const auto& b : boards) {
        auto windowPaint = [&] { RedrawWindow(b.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
        Time(b.name, "full", "window", paints, false, windowPaint);
        Time(b.name, "skip-bg", "window", paints, true, windowPaint);

        RECT client;
        GetClientRect(b.window, &client);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const boards::BoardLook look = boards::LookOf(b.id);
        auto memoryPaint = [&] { boards::RenderBoard(memory, client, b.id, look); };
        Time(b.name, "full", "memory", paints, false, memoryPaint);
        Time(b.name, "skip-bg", "memory", paints, true, memoryPaint);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    DestroyWindow(app::MainWindow);
    return 0;
}
