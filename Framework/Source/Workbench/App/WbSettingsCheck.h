// Finds what no reader looks at in an application file: attributes of its own elements that the
// runner does not read, and elements and attributes in a view part's extension data that its kind
// does not read (NUVViewPartSettings.h). Each becomes a warning; nothing is changed.
#pragma once

#include <string>
#include <vector>

#include "KolXml.h"
#include "WbWarning.h"

// The attributes of one of the application file's own elements (<Workbench>, <ViewPart>, ...).
void CheckAttributes(const IXMLNode& node, const std::vector<std::string>& known, const std::string* viewPart,
                     std::vector<TWbWarning>& warnings);
// The extension data of a view part made by factory; a factory of another module is not checked.
void CheckExtData(const IXMLNode& extData, const std::string& factory, const std::string& viewPart,
                  std::vector<TWbWarning>& warnings);
