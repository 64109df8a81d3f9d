// System functions the game needs only now and then: the shell's "open"
// (help and contact links), the font chooser and the end-of-game sounds.
// Their libraries are loaded at the first use, so that start-up pays for
// none of them.
#pragma once

#include <windows.h>
#include <commdlg.h>

namespace on_demand {

// ShellExecuteW with the verb "open", no parameters, no directory.
void Open(const wchar_t* target);
// ChooseFontA; false when cancelled or unavailable.
bool ChooseFont(CHOOSEFONTA* choice);
// PlaySoundW of a WAVE resource of the program, played once, not waited for.
void PlaySoundResource(int id);

}  // namespace on_demand
