// Keeps every event of a served run, so that the page can show what happened since the start,
// and passes each on to another reporter.
#pragma once

#include <vector>

#include "WbEvents.h"

class TWbEventLog final : public TWbReporter {
 public:
  explicit TWbEventLog(TWbReporter& next) : FNext(next) {}
  void HostEvent(const TNUVEvent& event) override { Emit(HostEventJson(event)); }
  void Error(const TWbError& error) override { Emit(ErrorEventJson(error)); }
  void Emit(const TWbJson& event) override {
    FEvents.push_back(event);
    FNext.Emit(event);
  }

  const std::vector<TWbJson>& Events() const { return FEvents; }

 private:
  TWbReporter& FNext;
  std::vector<TWbJson> FEvents;
};
