// One shape for every window and dialog procedure: the module's handler runs
// inside a catch, so that no exception crosses the system's frames.
#pragma once

#include <windows.h>

namespace common {

using WindowHandler = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DialogHandler = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using SubclassHandler = LRESULT (*)(HWND, UINT, WPARAM, LPARAM, UINT_PTR);

// A window procedure made of a handler. A handler that throws has done what
// it could; the message is answered 0 and the program goes on.
template <WindowHandler Handle>
LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) noexcept
{
    try {
        return Handle(window, msg, wp, lp);
    } catch (...) {
        return 0;
    }
}

// The same for a dialog procedure; a throwing handler leaves the message to
// the dialog manager.
template <DialogHandler Handle>
INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept
{
    try {
        return Handle(dialog, msg, wp, lp);
    } catch (...) {
        return FALSE;
    }
}

// The same for a subclass procedure (SetWindowSubclass); a throwing handler
// answers 0.
template <SubclassHandler Handle>
LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) noexcept
{
    try {
        return Handle(window, msg, wp, lp, id);
    } catch (...) {
        return 0;
    }
}

}  // namespace common
