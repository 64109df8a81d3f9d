// The colours dialog's two pickers: the fixed palette and the shade ramp
// of the colour in the fields. A click writes the cell's colour into the
// dialog's red, green and blue fields.
#pragma once

#include <windows.h>

#include "dialogs/colour_grid.h"

namespace colour_pickers {

constexpr wchar_t kPaletteClass[] = L"TrivokPalette";
constexpr wchar_t kRampClass[] = L"TrivokShadeRamp";

bool Register();

// Draws the whole grid into dc for a width × height panel; the ramp's
// colours come from base.
void PaintPalette(HDC dc, int width, int height);
void PaintRamp(HDC dc, int width, int height, colour_grid::Rgb base);

}  // namespace colour_pickers
