// The layout counters, and the probes that count for one object while a test watches it.
#include "TbxLayoutCounters.h"

#include <algorithm>
#include <vector>

namespace {
// Few at a time, and none outside the tests: a layout pass looks through an empty list.
std::vector<TTbxLayoutProbe*>& Probes() {
  static std::vector<TTbxLayoutProbe*> probes;
  return probes;
}
}  // namespace

TTbxLayoutCounters& TbxLayoutCounters() {
  static TTbxLayoutCounters counters;
  return counters;
}

TTbxLayoutProbe::TTbxLayoutProbe(const TObject& watched) : FWatched(&watched) { Probes().push_back(this); }

TTbxLayoutProbe::~TTbxLayoutProbe() { std::erase(Probes(), this); }

void CountAlignPass(const TObject& control) {
  ++TbxLayoutCounters().AlignPasses;
  for (TTbxLayoutProbe* probe : Probes())
    if (probe->FWatched == &control) ++probe->FAlignPasses;
}

void CountCompletedUpdate(const TObject& object) {
  for (TTbxLayoutProbe* probe : Probes())
    if (probe->FWatched == &object) ++probe->FCompletedUpdates;
}
