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

extern GameOptions Options;

}  // namespace game
