// The three user-chosen fonts (commentator, computer's board, human's board):
// their stored descriptions, text colours and the font objects made from them.
#pragma once

#include <windows.h>

namespace fonts {

enum Which { kCommentator, kComputerBoard, kHumanBoard, kFontCount };

// The font object; null until one is made (the first run draws in the
// system's default font).
HFONT Font(Which which);
COLORREF Colour(Which which);

// Makes the three font objects from their descriptions (after a load).
void MakeAll();
void Delete(Which which);

// Opens the font chooser on the description and colour; whatever the
// answer, remakes the object and marks the whole face name to be kept.
void Choose(HWND owner, Which which);

}  // namespace fonts
