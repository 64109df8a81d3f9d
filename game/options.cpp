// The options in force; built-in values until the settings are loaded.
#include "game/options.h"

namespace game {
GameOptions Options;
}
