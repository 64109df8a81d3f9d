// The colours dialog's red, green and blue fields, as its panels and the
// dialog itself read and write them.
#pragma once

#include <windows.h>

#include "dialogs/colour_grid.h"

namespace colour_fields {

// The colour the three fields hold now: a field that is not a number reads
// as 0, one above 255 as 255.
colour_grid::Rgb Read(HWND dialog);

// Red, green and blue into the fields, in that order; each write counts as
// a change of that field.
void Write(HWND dialog, colour_grid::Rgb colour);

}  // namespace colour_fields
