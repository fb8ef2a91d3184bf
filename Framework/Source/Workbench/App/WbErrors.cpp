#include "WbErrors.h"

#include <fmt/format.h>

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

TWbError ErrorOf(const std::exception& e) {
  TWbError error;
  const auto* exception = dynamic_cast<const Exception*>(&e);
  error.Class = exception ? exception->ClassName() : ClassNameOf(typeid(e));
  error.Message = e.what();
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
