// The look in force: the colour scheme and the three fonts, with the font
// objects made from them. The settings store loads and saves the records;
// the windows draw with them; the font choosers change them.
#pragma once

#include <windows.h>

#include "common/look_records.h"

namespace look {

ColourScheme& Colours();
FontInfo& Fonts();
FaceCounts& FontFaceCounts();

// The font object; null until one is made (a first run draws in the
// system's default font).
HFONT Font(FontId font);
COLORREF FontColour(FontId font);

// Makes the three font objects from their records after the settings load
// (recordsRead: from the key, not on a first run).
void MakeFonts(bool recordsRead);
void DeleteFontObject(FontId font);

// Opens the font chooser on the record and its colour. Whatever the answer,
// the object is made anew and the whole stored face name counts from now.
void PickFont(HWND owner, FontId font);

}  // namespace look
