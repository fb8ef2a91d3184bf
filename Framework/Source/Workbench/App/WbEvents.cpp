#include "WbEvents.h"

TWbJson NewEvent(const std::string& name) { return TWbJson{{"event", name}}; }

namespace {

const char* HostEventName(TNUVEventKind kind) {
  switch (kind) {
    case ekTopic:
      return "topic";
    case ekCommand:
      return "command";
    case ekClick:
      return "click";
    case ekDblClick:
      return "dblclick";
    case ekContextPopup:
      return "popup";
    case ekFocus:
      return "focus";
  }
  return "unknown";
}

}  // namespace

TWbJson HostEventJson(const TNUVEvent& event) {
  TWbJson json = NewEvent(HostEventName(event.Kind));
  switch (event.Kind) {
    case ekTopic:
      json["topic"] = event.Topic;
      json["viewPart"] = event.ViewPart;
      json["sender"] = event.SenderClass.empty() ? TWbJson() : TWbJson(event.SenderClass);
      break;
    case ekCommand:
      json["id"] = event.CommandID;
      break;
    default:
      json["viewPart"] = event.ViewPart;
      break;
  }
  return json;
}

TWbJson ErrorEventJson(const TWbError& error) {
  TWbJson json = NewEvent("error");
  json["class"] = error.Class;
  json["message"] = error.Message;
  json["file"] = error.File.empty() ? TWbJson() : TWbJson(error.File);
  json["line"] = error.Line > 0 ? TWbJson(error.Line) : TWbJson();
  if (error.ViewPart) json["viewPart"] = *error.ViewPart;
  return json;
}

namespace {
TWbJson OptionalJson(const std::optional<std::string>& value) { return value ? TWbJson(*value) : TWbJson(); }
}  // namespace

// One shape for every warning: what is not known is null.
TWbJson WarningEventJson(const TWbWarning& warning) {
  TWbJson json = NewEvent("warning");
  json["place"] = warning.Place();
  json["file"] = warning.File;
  json["line"] = warning.Line > 0 ? TWbJson(warning.Line) : TWbJson();
  json["viewPart"] = OptionalJson(warning.ViewPart);
  json["name"] = OptionalJson(warning.Name);
  json["suggestion"] = OptionalJson(warning.Suggestion);
  json["message"] = warning.Message;
  return json;
}

TWbJson ValueJson(const TNUVValue& value) {
  return std::visit([](const auto& v) { return TWbJson(v); }, value);
}

TWbJson ValueEventJson(const std::string& key, const TNUVValue& value) {
  TWbJson json = NewEvent("value");
  json["key"] = key;
  json["value"] = ValueJson(value);
  return json;
}

std::string ErrorLine(const TWbError& error) {
  std::string line = error.Place.empty() ? std::string() : error.Place + ": ";
  return line + error.Class + ": " + error.Message;
}

// ---------------------------------------------------------------------------------------------

void TWbJsonLinesReporter::HostEvent(const TNUVEvent& event) { Emit(HostEventJson(event)); }

void TWbJsonLinesReporter::Error(const TWbError& error) { Emit(ErrorEventJson(error)); }

// Flushed per line: a reader on a pipe sees each event when it happens.
void TWbJsonLinesReporter::Emit(const TWbJson& event) { FOut << JsonText(event) << std::endl; }

void TWbConsoleReporter::Error(const TWbError& error) { FErr << ErrorLine(error) << std::endl; }

void TWbConsoleReporter::Warning(const TWbWarning& warning) {
  FErr << warning.Place() << ": warning: " << warning.Message << std::endl;
}
