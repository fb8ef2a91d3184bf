// The view-part factories the runner knows of: what --help lists, what an unknown factory is
// compared with, and the topics each kind fires (from the view parts' reference tables).
#pragma once

#include <string>
#include <vector>

struct TWbFactoryInfo {
  std::string Name;                 // the exported function, Create<Kind>ViewPart
  std::string What;                 // one line for --help
  std::vector<std::string> Topics;  // templates; %s stands for the view part name
};

// The nine factories of NUV.ViewParts.TBX, simple view parts first.
const std::vector<TWbFactoryInfo>& KnownFactories();
// The entry of that name; nullptr for a factory of another module.
const TWbFactoryInfo* FindKnownFactory(const std::string& name);

// Of the factories given, the one whose kind is closest to the kind of name (ClosestName, with
// "Create" and "ViewPart" taken off both, so that the affixes every factory shares make no name
// look close): "CreateStatusbarViewPart" and "StatusBar" give CreateStatusBarViewPart,
// "CreateGaugeViewPart" none. "" when none is close.
std::string ClosestFactory(const std::string& name, const std::vector<std::string>& factories);
