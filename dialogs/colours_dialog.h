// The colours dialog: the five colours edited in a working copy through
// red, green and blue fields, spins, a palette, a shade ramp and a sample
// board, committed on "Угу".
#pragma once

#include <windows.h>

#include <cstdint>

#include "dialogs/colour_grid.h"
#include "dialogs/sample_board_geometry.h"
#include "shell/colours.h"

namespace colours_dialog {

constexpr int kAccepted = 6;
constexpr int kCancelled = 2;

struct State {
    settings::ColourScheme working;   // copied at opening, edited, committed on "Угу"
    bool loaded = false;              // field changes reach the working copy only once set
};

// lParam of WM_INITDIALOG: the State the dialog works in.
extern const DLGPROC Proc;

// The member a list entry edits (the list's order is not the storage order).
std::uint32_t& Member(settings::ColourScheme& colours, sample_board::Selection selection);

// The colour the three fields hold now: a field that is not a number reads
// as 0, one above 255 as 255.
colour_grid::Rgb FieldColour(HWND dialog);

// Red, green and blue into the fields, in that order; each write counts as
// a change of that field.
void WriteFields(HWND dialog, colour_grid::Rgb colour);

}  // namespace colours_dialog
