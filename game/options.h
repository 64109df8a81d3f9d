// The player's options that the rules read. The settings store loads and
// saves them; menus and dialogs change them live.
#pragma once

#include <cstdint>

namespace game {

struct GameOptions {
    bool AutoArrange = true;
    bool Salvo = false;
    bool Reshot = true;       // checked: a click on a square already shot is refused
    bool RussianFlag = true;
    bool FirstShoot = true;   // true: the human opens a new game
    std::int32_t ProphyUser = 0;  // level 0, 1, 2; a stored value may hold anything
    std::int32_t TimeOut = 300;   // milliseconds between the computer's steps
};

// The options in force: read anywhere, changed through the setters below
// (the menu, the toolbar, the settings dialog and the settings load).
extern GameOptions Options;

void SetOptions(const GameOptions& options);
void SetAutoArrange(bool on);
void SetSalvo(bool on);
void SetReshot(bool on);
void SetRussianFlag(bool on);
void SetFirstShoot(bool humanFirst);
void SetLevel(std::int32_t level);
void SetTimeOut(std::int32_t ms);

}  // namespace game
