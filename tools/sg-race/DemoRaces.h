// Demonstration races: made-up but plausible races for a new user to try the program on, and
// large files for measuring.
#pragma once

#include "racefile/RaceRecord.h"

namespace sg {

// Race n of every demonstration file (1 to 32767). It depends on n alone, with integer
// arithmetic only, so the same n gives the same bytes on every machine and a short file is the
// start of a longer one.
RaceRecord DemoRace(int race);

} // namespace sg
