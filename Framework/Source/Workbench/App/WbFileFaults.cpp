#include "WbFileFaults.h"

#include "WbErrors.h"

void TWbFileFaults::Pass(std::function<void()> report) {
  if (FEnded) return;
  if (FStrict && FDepth > 0)
    FHeld.push_back(std::move(report));
  else
    report();
}

void TWbFileFaults::Count(std::string line, bool warning) {
  if (FDepth == 0 || FEnded) return;
  if (!warning) ++FErrors;
  if (FFaults++ == 0) {
    FFirst = std::move(line);
    FFirstIsWarning = warning;
  }
}

void TWbFileFaults::HostEvent(const TNUVEvent& event) {
  Pass([this, event] { FNext.HostEvent(event); });
}

void TWbFileFaults::Emit(const TWbJson& event) {
  Pass([this, event] { FNext.Emit(event); });
}

void TWbFileFaults::Error(const TWbError& error) {
  Count(ErrorLine(error), false);
  Pass([this, error] { FNext.Error(error); });
}

void TWbFileFaults::Warning(const TWbWarning& warning) {
  Count(warning.Place() + ": " + warning.Message, true);
  Pass([this, warning] { FNext.Warning(warning); });
}

void TWbFileFaults::End() {
  std::vector<std::function<void()>> held = std::move(FHeld);
  FHeld.clear();
  if (!FStrict || FFaults == 0) {
    for (const auto& report : held) report();
    return;
  }
  FEnded = true;
  const int more = FFaults - 1;
  throw EWbLoadError(FFirst + (FFirstIsWarning ? " (--strict makes it an error" : " (--strict ends the run at it") +
                     (more > 0 ? "; " + std::to_string(more) + " more)" : std::string(")")));
}

// A stretch that raised ends the run: under --strict what it held goes with it.
void TWbFileFaults::Release() {
  if (!FStrict) return;
  FHeld.clear();
  FEnded = true;
}
