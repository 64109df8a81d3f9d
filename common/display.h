// The display's scale as the system gives it to the program: 96 DPI at
// 100 %, 144 at 150 %. Fixed for the run, as the game is system-aware.
#pragma once

#include <windows.h>

namespace common {

inline int SystemDpi()
{
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int d = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ReleaseDC(nullptr, screen);
        return d > 0 ? d : 96;
    }();
    return dpi;
}

}  // namespace common
