// Where the runner's output goes: JSON Lines events with a script, error lines without one.
#pragma once

#include <ostream>
#include <string>

#include "NUVIntf.h"
#include "WbErrors.h"
#include "WbJson.h"
#include "WbWarning.h"

TWbJson WarningEventJson(const TWbWarning& warning);

class TWbReporter {
 public:
  virtual ~TWbReporter() = default;
  // Something the host heard through its event broker: a topic, command, click...
  virtual void HostEvent(const TNUVEvent& event) = 0;
  virtual void Error(const TWbError& error) = 0;
  // An event the runner makes itself (value, service, dump).
  virtual void Emit(const TWbJson& event) = 0;
  // Something the run goes on without: a setting nothing reads, a refused image file.
  virtual void Warning(const TWbWarning& warning) { Emit(WarningEventJson(warning)); }
};

// With a script: every event is one JSON object on its own line, in the order things happen.
class TWbJsonLinesReporter final : public TWbReporter {
 public:
  explicit TWbJsonLinesReporter(std::ostream& out) : FOut(out) {}
  void HostEvent(const TNUVEvent& event) override;
  void Error(const TWbError& error) override;
  void Emit(const TWbJson& event) override;

 private:
  std::ostream& FOut;
};

// Without a script nobody reads events; errors become one line each: "place: class: message".
class TWbConsoleReporter final : public TWbReporter {
 public:
  explicit TWbConsoleReporter(std::ostream& err) : FErr(err) {}
  void HostEvent(const TNUVEvent&) override {}
  void Error(const TWbError& error) override;
  void Emit(const TWbJson&) override {}
  void Warning(const TWbWarning& warning) override;

 private:
  std::ostream& FErr;
};

// Event objects; each starts with "event": its name.
TWbJson NewEvent(const std::string& name);
TWbJson HostEventJson(const TNUVEvent& event);
TWbJson ErrorEventJson(const TWbError& error);
TWbJson ValueEventJson(const std::string& key, const TNUVValue& value);
// A data value as JSON of the delegate's type: string, number or Boolean.
TWbJson ValueJson(const TNUVValue& value);
std::string ErrorLine(const TWbError& error);
