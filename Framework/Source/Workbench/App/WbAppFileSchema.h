// The application file's own elements and the attributes the runner reads of each: the parser
// warns about any other attribute, and the reference and the schema are made from this table.
#pragma once

#include <string>
#include <vector>

struct TWbAppAttribute {
  std::string Name;
  bool Required;
  std::string Description;
  std::string Type = {};  // "Boolean", "Factory" (one of the nine), or empty for a text
};

struct TWbAppElement {
  std::string Name;
  std::string Description;
  std::vector<TWbAppAttribute> Attributes;
  std::vector<std::string> Children;  // the elements it may hold, in any order and number
};

const std::vector<TWbAppElement>& AppFileElements();
// The names of the attributes of the element of that name (none for a name not in the table).
std::vector<std::string> AppFileAttributeNames(const std::string& element);
