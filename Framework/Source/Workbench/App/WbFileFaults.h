// What the application file caused: the errors and warnings reported while it loads, while each
// of its work items runs for the first time and while the native window reads its images. Without
// --strict they pass on as they come, and an error makes the run end with status 1; with --strict
// they are held back with everything else reported meanwhile, and the first of them ends the run
// (status 2) before anything of the window shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "WbEvents.h"

class TWbFileFaults final : public TWbReporter {
 public:
  TWbFileFaults(TWbReporter& next, bool strict) : FNext(next), FStrict(strict) {}

  void HostEvent(const TNUVEvent& event) override;
  void Error(const TWbError& error) override;
  void Emit(const TWbJson& event) override;
  void Warning(const TWbWarning& warning) override;

  // Runs what the application file does; what is reported meanwhile is the file's. Stretches may
  // nest: the outermost decides. With --strict, when the outermost ends and the file caused an
  // error or a warning, raises EWbLoadError with the first and the count of the rest, and from then
  // on passes nothing on (the teardown that follows has nothing more to say).
  template <class F>
  void Caused(F&& run) {
    ++FDepth;
    try {
      run();
    } catch (...) {
      --FDepth;
      if (FDepth == 0) Release();
      throw;
    }
    --FDepth;
    if (FDepth == 0) End();
  }

  // The errors the application file caused so far.
  int Errors() const { return FErrors; }
  bool Strict() const { return FStrict; }

 private:
  // Held while a stretch lasts with --strict; passed on in order when it ends without a fault.
  void Pass(std::function<void()> report);
  void Count(std::string line, bool warning);
  void End();
  void Release();

  TWbReporter& FNext;
  const bool FStrict;
  int FDepth = 0;
  int FErrors = 0;
  int FFaults = 0;  // errors and warnings, in the stretches of a strict run
  std::string FFirst;
  bool FFirstIsWarning = false;
  bool FEnded = false;  // a strict run ended at a fault: nothing more goes out
  std::vector<std::function<void()>> FHeld;
};
