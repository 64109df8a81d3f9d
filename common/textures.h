// The three 8 × 8 pattern brushes of the program: blue water (the arrow
// pad's class background), dark green (the commentator), grey (the ship
// picker). Their bitmaps live as long as they do.
#pragma once

#include <windows.h>

namespace textures {

enum Texture { kBlue, kGreen, kGrey, kCount };

// Loads the bitmaps and makes the brushes, once, before the classes are
// registered; deleted when the frame is destroyed.
void Make();
void Delete();

HBRUSH Brush(Texture texture);

}  // namespace textures
