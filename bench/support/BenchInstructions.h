// Instruction counts under callgrind. Times on this shared machine vary by tens of percent between
// runs; the instructions a run executes do not, so they judge the targets and guard against
// regressions. Run the benchmark with --instructions under
//   NUV_CALLGRIND_OUT=FILE valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=FILE
//     --zero-before='benchmark::State::StartKeepRunning*' --dump-before='benchmark::State::FinishKeepRunning*'
// and every run counts what its loop executes: callgrind zeroes the counts where the loop starts
// and writes them to FILE.<n> where it ends, the n-th time; the benchmark's setup before its loop
// and the destruction after it do not count.
#pragma once

#include <optional>
#include <string>

// Whether this process counts instructions (--instructions, under callgrind).
bool CountingInstructions();
// Starts counting: false with a message when not under callgrind or the output file is not known.
bool StartCountingInstructions(std::string& error);

// Whether what runs from now on counts. Every run counts from its start; a manually timed
// benchmark counts only the phase it times, as its clock does.
void CountInstructions(bool on);

// The start and end of one run: the instructions its loop counted, read back from callgrind's dump.
void BeginCountedRun();
std::optional<double> EndCountedRun();
