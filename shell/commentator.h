// The commentator: one line of running commentary on a dark-green texture.
#pragma once

#include <windows.h>

namespace commentator {

extern const WNDPROC Proc;

}  // namespace commentator
