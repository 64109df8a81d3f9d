// Small helpers the dialog procedures share: their state in DWLP_USER, item
// texts as strings, commands to the frame.
#pragma once

#include <windows.h>

#include <string>

namespace dialogs {

// The dialog's own record, handed over in WM_INITDIALOG's lParam.
template <typename T>
T* StateOf(HWND dialog)
{
    return reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

template <typename T>
T* KeepState(HWND dialog, LPARAM lp)
{
    SetWindowLongPtrW(dialog, DWLP_USER, lp);
    return reinterpret_cast<T*>(lp);
}

inline std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

inline std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// Queued, as a menu command would be: the frame acts on it after the click.
inline void PostCommand(HWND target, int command)
{
    if (target)
        PostMessageW(target, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace dialogs
