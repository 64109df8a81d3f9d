// The about box: name, version, credit and the feedback link panel.
#pragma once

#include <windows.h>

namespace about_dialog {

INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace about_dialog
