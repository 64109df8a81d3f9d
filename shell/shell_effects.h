// The game's effects carried out on the screen, the speaker and the clock.
#pragma once

namespace shell_effects {

// Installs the shell's effects for the game; called once at start-up.
void Install();

// Waits ms milliseconds while the window stays alive: paints and messages
// sent by the system are handled, input waits in the queue.
void Pause(int ms);

}  // namespace shell_effects
