#include "WbInventory.h"

#include <set>

#include "WbEvents.h"
#include "WbFactories.h"
#include "WbServices.h"

namespace {

const char* DataTypeName(TNUVDataType type) {
  switch (type) {
    case dtString:
      return "string";
    case dtInteger:
      return "integer";
    case dtBoolean:
      return "boolean";
  }
  return "unknown";
}

std::string TopicOf(std::string topic, const std::string& viewPart) {
  if (const size_t at = topic.find("%s"); at != std::string::npos) topic.replace(at, 2, viewPart);
  return topic;
}

TWbJson TopicsJson(const TWbApplication& app) {
  TWbJson topics = TWbJson::array();
  for (const auto& viewPart : app.LiveViewParts())
    if (const TWbFactoryInfo* factory = FindKnownFactory(viewPart.Factory))
      for (const auto& topic : factory->Topics)
        topics.push_back({{"topic", TopicOf(topic, viewPart.Name)}, {"viewPart", viewPart.Name}});
  return topics;
}

TWbJson ServicesJson(const TWbApplication& app) {
  TWbJson services = TWbJson::array();
  for (const auto& id : app.Services().ServiceIDs()) {
    TWbJson service = ServiceEventJson(app.Services(), id);
    service.erase("event");
    services.push_back(std::move(service));
  }
  return services;
}

}  // namespace

TWbJson KeysJson(const TWbApplication& app) {
  TWbJson keys = TWbJson::array();
  std::set<std::string> seen;
  for (const auto& context : app.DataContexts())
    for (const auto& key : context->Keys()) {
      if (!seen.insert(key).second) continue;
      keys.push_back({{"key", key},
                      {"type", DataTypeName(context->FindDelegate(key)->GetDataType())},
                      {"value", ValueJson(context->ReadValue(key))}});
    }
  return keys;
}

TWbJson InventoryJson(const TWbApplication& app) {
  TWbJson inventory;
  inventory["keys"] = KeysJson(app);
  inventory["topics"] = TopicsJson(app);
  inventory["services"] = ServicesJson(app);
  return inventory;
}

std::string InventoryText(const TWbJson& inventory) {
  std::string text = "data keys (type: value):\n";
  for (const auto& key : inventory["keys"])
    text += "  " + key["key"].get<std::string>() + " (" + key["type"].get<std::string>() +
            "): " + JsonText(key["value"]) + "\n";
  text += "topics:\n";
  for (const auto& topic : inventory["topics"]) text += "  " + topic["topic"].get<std::string>() + "\n";
  text += "services:\n";
  for (const auto& service : inventory["services"]) {
    text += "  " + service["id"].get<std::string>();
    if (service["interface"].is_string()) text += " " + service["interface"].get<std::string>();
    if (service["viewPart"].is_string()) text += " (view part " + service["viewPart"].get<std::string>() + ")";
    text += "\n";
  }
  return text;
}
