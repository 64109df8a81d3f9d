// The 15-bit linear congruential generator.
#include "game/random.h"

#include "game/effects.h"

namespace game {

std::uint32_t RandomState = 1;

void SeedRandom(std::uint32_t seed) { RandomState = seed; }

void SeedRandomFromClock() { SeedRandom(static_cast<std::uint32_t>(Fx().CalendarSeconds())); }

int RandomValue()
{
    RandomState = RandomState * 214013u + 2531011u;
    return static_cast<int>((RandomState >> 16) & 32767u);
}

}  // namespace game
