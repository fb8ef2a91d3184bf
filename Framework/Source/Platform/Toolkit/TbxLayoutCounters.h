// How much layout work the toolkit has done, for the tests and benchmarks that check that a change
// lays out only what it touches. Not part of the installed contract.
#pragma once
#pragma GCC visibility push(default)

#include <cstdint>

struct TTbxLayoutCounters {
  std::uint64_t AlignPasses = 0;     // layout passes over the children of one control
  std::uint64_t ControlsPlaced = 0;  // bounds set by a layout pass
};

TTbxLayoutCounters& TbxLayoutCounters();

#pragma GCC visibility pop
