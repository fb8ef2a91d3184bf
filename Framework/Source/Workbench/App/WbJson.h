// JSON as the workbench writes it: objects keep their members in the order they were set, so
// the output reads in the order of the documented fields.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

using TWbJson = nlohmann::ordered_json;

// Compact JSON on one line (indent -1) or indented for people; text that is not valid UTF-8 is
// written with replacement characters instead of failing the run.
inline std::string JsonText(const TWbJson& json, int indent = -1) {
  return json.dump(indent, ' ', false, TWbJson::error_handler_t::replace);
}
