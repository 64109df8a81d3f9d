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

// A window procedure for a class whose windows each keep a record T (the
// dialogs' panels): the record is made at WM_NCCREATE, handed to every call
// of the handler and deleted at WM_NCDESTROY. A record that cannot be made
// fails the window's creation.
template <typename T>
T* RecordOf(HWND window)
{
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

template <typename T, LRESULT (*Handle)(T&, HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK RecordWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) noexcept
{
    try {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new T()));
        T* record = RecordOf<T>(window);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete record;
            record = nullptr;
        }
        // Messages before WM_NCCREATE and after WM_NCDESTROY get the default.
        return record ? Handle(*record, window, msg, wp, lp) : DefWindowProcW(window, msg, wp, lp);
    } catch (...) {
        return 0;
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

// A window class of the program, in its own module.
struct WindowClass {
    const wchar_t* name;
    WNDPROC proc;
    UINT style = CS_HREDRAW | CS_VREDRAW;
    WORD icon = 0;  // an icon resource, loaded at both sizes the class needs
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    const wchar_t* menu = nullptr;
};

// True when the class is registered (also when it was already).
inline bool Register(const WindowClass& c)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = c.style;
    wc.lpfnWndProc = c.proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    if (c.icon) {
        // The small icon from its own image in the resource: left to the
        // system, it is made by loading the resource a second time.
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(c.icon));
        wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(c.icon), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    wc.hCursor = c.cursor;
    wc.hbrBackground = c.background;
    wc.lpszMenuName = c.menu;
    wc.lpszClassName = c.name;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace common
