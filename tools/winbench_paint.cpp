// Prints the time of one board paint, full and with SkipBackground, for each
// board, in a mid-game position: through the window's own WM_PAINT and
// rendered into a memory bitmap.
//   winbench_paint [paints]        (default 2000 of each kind)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "boards/board_render.h"
#include "boards/board_windows.h"
#include "game/effects.h"
#include "game/model.h"
#include "game/placement.h"
#include "shell/children.h"
#include "shell/main_frame.h"
#include "shell/startup.h"

namespace {

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
    if (!startup::Prepare())
        return 1;
    game::SetEffects(nullptr);  // nothing but the paints
    HWND frame = main_frame::Create();
    if (!frame)
        return 1;
    children::Arrange();
    ShowWindow(frame, SW_SHOW);
    MidGame();

    std::printf("%-9s %-9s %-7s %10s %8s\n", "board", "paint", "route", "us/paint", "paints");
    const struct {
        const char* name;
        game::BoardId id;
        HWND window;
    } boards[] = {{"computer", game::BoardId::Computer, boards::BoardWindow(game::BoardId::Computer)},
                  {"human", game::BoardId::Human, boards::BoardWindow(game::BoardId::Human)}};
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
    return 0;
}
