// Keeps the last events of a served run, so that the page can show what happened lately, and
// passes each on to another reporter. A run that is clicked for hours would otherwise grow the
// log, and every state answer with it, without bound; the log counts what it let go.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "WbEvents.h"

class TWbEventLog final : public TWbReporter {
 public:
  static constexpr size_t KDefaultCapacity = 1000;

  explicit TWbEventLog(TWbReporter& next, size_t capacity = KDefaultCapacity) : FNext(next), FCapacity(capacity) {}
  void HostEvent(const TNUVEvent& event) override { Emit(HostEventJson(event)); }
  void Error(const TWbError& error) override { Emit(ErrorEventJson(error)); }
  void Emit(const TWbJson& event) override {
    if (FCapture) FCapture->push_back(event);
    FEvents.push_back(event);
    if (FEvents.size() > FCapacity) {
      FEvents.pop_front();
      ++FDropped;
    }
    FNext.Emit(event);
  }

  // The last events, oldest first, and how many came before them and were let go.
  const std::deque<TWbJson>& Events() const { return FEvents; }
  size_t Dropped() const { return FDropped; }
  size_t Capacity() const { return FCapacity; }

  // Every event emitted while it lives goes into `into` as well, however many the log keeps.
  class TCapture {
   public:
    TCapture(TWbEventLog& log, std::vector<TWbJson>& into) : FLog(log), FOuter(log.FCapture) { log.FCapture = &into; }
    ~TCapture() { FLog.FCapture = FOuter; }
    TCapture(const TCapture&) = delete;
    TCapture& operator=(const TCapture&) = delete;

   private:
    TWbEventLog& FLog;
    std::vector<TWbJson>* FOuter;
  };

 private:
  TWbReporter& FNext;
  size_t FCapacity;
  std::deque<TWbJson> FEvents;
  size_t FDropped = 0;
  std::vector<TWbJson>* FCapture = nullptr;
};
