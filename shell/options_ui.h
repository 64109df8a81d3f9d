// Each option with what shows it: the value, the frame's menu mark and the
// toolbar button (image and state), always set together, by the commands,
// the settings dialog's cancel and the settings load alike.
#pragma once

#include <windows.h>

#include "game/options.h"

namespace options_ui {

void SetAutoArrange(bool on);
void SetSalvo(bool on);
void SetReshot(bool on);
// A level outside 0..2 is kept as the value; no mark moves for it.
void SetLevel(int level);
void SetFirstShooter(bool human);

// A toggle command (308, 40036, 40037) takes the opposite of its menu mark.
void Toggle(int command);

// After the settings load: the toggles shown as loaded; the level only when
// it was read from the key (a first run keeps the menu's own mark and no
// level button down); the first shooter through its command, posted.
void ShowLoaded(const game::GameOptions& options, bool fromKey);

// The settings dialog's cancel: every option as it was when it opened (a
// level outside 0..2 leaves the level as it is now).
void Restore(const game::GameOptions& options);

}  // namespace options_ui
