// Start-up timeline: the moments of the steps of start-up, written out once
// the first frame is painted, when TRIVOK_TIMELINE names a file. Without it
// nothing is kept.
#pragma once

namespace timeline {

// The moment a step ended (its name a literal).
void Mark(const char* step);
// The first frame is painted: the marks go to the file, in milliseconds
// since the process was created, and marking stops.
void Finish();

}  // namespace timeline
