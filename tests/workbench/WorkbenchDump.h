// Lookups in the workbench's JSON output, for the tests that read dumps and events.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

// The control of that name in the tree, depth-first; controls without a name cannot be asked for.
inline const nlohmann::json* FindDumpedControl(const nlohmann::json& tree, const std::string& name) {
  if (tree["Name"] == name) return &tree;
  for (const auto& child : tree["Controls"])
    if (const auto* found = FindDumpedControl(child, name)) return found;
  return nullptr;
}

inline const nlohmann::json& ControlNamed(const nlohmann::json& tree, const std::string& name) {
  const auto* found = FindDumpedControl(tree, name);
  if (!found) throw std::runtime_error("no control " + name);
  return *found;
}

// The window of every dump event, in order.
inline std::vector<nlohmann::json> DumpedWindows(const std::vector<nlohmann::json>& events) {
  std::vector<nlohmann::json> windows;
  for (const auto& event : events)
    if (event["event"] == "dump") windows.push_back(event["window"]);
  return windows;
}

// Every event except the dumps, in order.
inline std::vector<nlohmann::json> EventsBesideDumps(const std::vector<nlohmann::json>& events) {
  std::vector<nlohmann::json> others;
  for (const auto& event : events)
    if (event["event"] != "dump") others.push_back(event);
  return others;
}

// The message of an error event; "" for any other event, so that a wrong event fails a check
// instead of the test.
inline std::string MessageOf(const nlohmann::json& event) { return event.value("message", std::string()); }
