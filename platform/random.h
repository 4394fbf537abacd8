// The chance behind dealing elements: Randomize seeds it, Rnd draws from it.
#pragma once

namespace platform {

// Seeds the generator from the time of day of the program's clock.
void randomize();
// Seeds it with a given value; the same seed always gives the same draws (tests).
void randomize(double seed);
// A number in [0, 1).
float rnd();

} // namespace platform
