// The random source: the classic 15-bit linear
// congruential generator, reseeded from the calendar time in whole seconds.
#pragma once

#include <cstdint>

namespace game {

constexpr int kRandomMax = 32767;

extern std::uint32_t RandomState;

// Sets the generator's state.
void SeedRandom(std::uint32_t seed);
// Seeds from Fx().CalendarSeconds() (truncated to 32 bits).
void SeedRandomFromClock();
// state := state * 214013 + 2531011 (mod 2^32); value := (state >> 16) & 32767.
int RandomValue();

}  // namespace game
