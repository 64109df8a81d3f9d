// The commentator: one line of running commentary on a dark-green texture.
#pragma once

#include <windows.h>

namespace commentator {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace commentator
