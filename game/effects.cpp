// The effects currently installed.
#include "game/effects.h"

namespace game {
namespace {

SilentEffects g_silent;
Effects* g_current = &g_silent;

}  // namespace

Effects& Fx() { return *g_current; }
void SetEffects(Effects* effects) { g_current = effects ? effects : &g_silent; }

}  // namespace game
