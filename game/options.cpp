// The options in force; built-in values until the settings are loaded.
#include "game/options.h"

namespace game {

GameOptions Options;

void SetOptions(const GameOptions& options) { Options = options; }
void SetAutoArrange(bool on) { Options.AutoArrange = on; }
void SetSalvo(bool on) { Options.Salvo = on; }
void SetReshot(bool on) { Options.Reshot = on; }
void SetRussianFlag(bool on) { Options.RussianFlag = on; }
void SetFirstShoot(bool humanFirst) { Options.FirstShoot = humanFirst; }
void SetLevel(std::int32_t level) { Options.ProphyUser = level; }
void SetTimeOut(std::int32_t ms) { Options.TimeOut = ms; }

}  // namespace game
