// Wins and losses of this run and of all runs, with clearing.
#pragma once

#include <windows.h>

namespace statistics_dialog {

constexpr int kClosed = 6;   // "OK"
constexpr int kCleared = 2;  // "Очистить", whatever the answer to the question

extern const DLGPROC Proc;

}  // namespace statistics_dialog
