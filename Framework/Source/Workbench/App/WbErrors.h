// The runner's own errors, and errors as the runner reports them.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "KolXml.h"

// A fault of the application file or the command line that ends the run with exit status 2. The
// message begins with the place in the file when one is known.
class EWbLoadError : public Exception {
 public:
  using Exception::Exception;
  EWbLoadError(const IXMLNode& node, const std::string& text);  // "file:line:col: text"
  ~EWbLoadError() override;
};

// A script line that cannot be carried out: an unknown command or name, wrong arguments.
class EWbScriptError : public Exception {
 public:
  using Exception::Exception;
  ~EWbScriptError() override;
};

// Where an element stands: "file:line:col".
std::string NodePlace(const IXMLNode& node);

// An error as the `error` event and the stderr line show it.
struct TWbError {
  std::string Class;
  std::string Message;
  std::optional<std::string> ViewPart;  // the view part concerned, when known
  std::string Place;                    // the stderr line's prefix: "file:line:col" in the application file
  // Where it arose, for the event: the application file's declaration or the script's line.
  std::string File;  // "" when unknown
  int Line = 0;      // from 1; 0 when unknown
};

// The error arose at a declaration of the application file: its place, and the view part declared.
void PlaceAtDeclaration(TWbError& error, const IXMLNode& element, const std::string& viewPart);

// An error whose message begins "file:line:" places itself there (a load error of the file).
void PlaceInFile(TWbError& error, const std::string& file);

TWbError ErrorOf(const std::exception& e);
// The error being handled, also when what was raised is not an exception object.
TWbError CurrentError();
