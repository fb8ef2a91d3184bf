// Where the time of one run goes, for the first-frame figures: with NUV_WORKBENCH_TIMINGS set in
// the environment the runner notes the end of each phase and prints their durations to stderr
// when it is done. Without it nothing is noted.
#pragma once

#include <string>

// Notes that the named phase ends now; it began where the previous one ended, the first one when
// the runner started (its static initialization).
void WbPhaseEnds(const char* phase);

// "timings: qt 21.3 ms, file 0.4 ms, ..." for the phases noted so far, or "" when switched off.
std::string WbPhaseTimesText();
