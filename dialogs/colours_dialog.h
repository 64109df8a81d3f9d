// The colours dialog: the five colours edited in a working copy through
// red, green and blue fields, spins, a palette, a shade ramp and a sample
// board, committed on "Угу".
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/look_records.h"
#include "dialogs/sample_board_geometry.h"

namespace colours_dialog {

constexpr int kAccepted = 6;
constexpr int kCancelled = 2;

struct State {
    look::ColourScheme working;   // copied at opening, edited, committed on "Угу"
    bool loaded = false;              // field changes reach the working copy only once set
};

// lParam of WM_INITDIALOG: the State the dialog works in. On "Угу" the
// colours in force take the working copy and the owner repaints.
extern const DLGPROC Proc;

// The member a list entry edits (the list's order is not the storage order).
std::uint32_t& Member(look::ColourScheme& colours, sample_board::Selection selection);

}  // namespace colours_dialog
