// Which script line or request caused an event. While a cause is set, every event that passes
// gets "cause": its id ("run.script:3", "request 7", "reload 1"), and goes on to the next
// reporter; events outside any cause (loading, the end of the run) pass unchanged.
#pragma once

#include <optional>
#include <string>

#include "WbEvents.h"

class TWbCauseReporter final : public TWbReporter {
 public:
  explicit TWbCauseReporter(TWbReporter& next) : FNext(next) {}
  void HostEvent(const TNUVEvent& event) override { Emit(HostEventJson(event)); }
  void Error(const TWbError& error) override { Emit(ErrorEventJson(error)); }
  void Emit(const TWbJson& event) override;

  // The cause of every event while it lives; the one before comes back after it.
  class TScope {
   public:
    // causes may be null: then nothing is stamped.
    TScope(TWbCauseReporter* causes, std::string cause);
    ~TScope();
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

   private:
    TWbCauseReporter* FCauses;
    std::optional<std::string> FOuter;
  };

 private:
  TWbReporter& FNext;
  std::optional<std::string> FCause;
};
