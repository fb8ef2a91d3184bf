#include "WbErrors.h"

#include <fmt/format.h>

#include <charconv>

#include "NUVViewPart.h"

EWbLoadError::EWbLoadError(const IXMLNode& node, const std::string& text) : Exception(NodePlace(node) + ": " + text) {}

EWbLoadError::~EWbLoadError() = default;

EWbScriptError::~EWbScriptError() = default;

std::string NodePlace(const IXMLNode& node) {
  return fmt::format("{}:{}:{}", node.SourceName(), node.Line(), node.Column());
}

void PlaceAtDeclaration(TWbError& error, const IXMLNode& element, const std::string& viewPart) {
  error.Place = NodePlace(element);
  error.File = element.SourceName();
  error.Line = element.Line();
  if (!error.ViewPart) error.ViewPart = viewPart;
}

namespace {

// A NUL byte in a name (a script line can hold one) is shown as \0: the message goes on past it,
// on the terminal as in the event.
std::string ShownMessage(std::string_view message) {
  std::string shown;
  for (char c : message) c == '\0' ? shown += "\\0" : shown += c;
  return shown;
}

}  // namespace

void PlaceInFile(TWbError& error, const std::string& file) {
  if (!error.File.empty() || !error.Message.starts_with(file + ":")) return;
  int line = 0;
  const char* digits = error.Message.data() + file.size() + 1;
  const char* end = error.Message.data() + error.Message.size();
  const auto [past, fault] = std::from_chars(digits, end, line);
  if (fault != std::errc() || past == digits || past == end || *past != ':' || line < 1) return;
  error.File = file;
  error.Line = line;
}

TWbError ErrorOf(const std::exception& e) {
  TWbError error;
  const auto* exception = dynamic_cast<const Exception*>(&e);
  error.Class = exception ? exception->ClassName() : ClassNameOf(typeid(e));
  error.Message = ShownMessage(exception ? std::string_view(exception->Message()) : std::string_view(e.what()));
  if (const auto* viewPartError = dynamic_cast<const ENUVViewPartError*>(&e))
    error.ViewPart = viewPartError->ViewPartName();
  return error;
}

TWbError CurrentError() {
  try {
    throw;
  } catch (const std::exception& e) {
    return ErrorOf(e);
  } catch (...) {
    TWbError error;
    error.Class = "(unknown exception)";
    error.Message = "something that is not an exception was raised";
    return error;
  }
}
