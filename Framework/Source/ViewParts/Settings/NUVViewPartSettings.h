// What each view-part kind reads from its extension data and what it publishes, as data: the
// runner checks application files against it, and the reference (docs/viewparts.md) and the
// schema (docs/nuv-workbench.xsd) are made from it. A test drives every kind over these tables
// and proves that the readers look up exactly the names listed here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum TNUVSettingPlace { spElement, spAttribute };

struct TNUVSettingGroup;

struct TNUVSetting {
  std::string Name;
  TNUVSettingPlace Place = spElement;
  std::string Type;         // "Boolean", "Integer", "String", "Text", "Colour", "Enumeration", "List", "Element"
  std::string Default;      // as written in a file; empty: none
  std::string Values;       // accepted values or range; empty: any
  std::string Description;  // what it does
  // The element's own settings (child elements and attributes); nil for a value element.
  const TNUVSettingGroup* Group = nullptr;
  bool Repeated = false;  // the element may come several times (items, panels)
};

// An element's settings, in the order the reader reads them.
struct TNUVSettingGroup {
  std::string Element;
  std::vector<TNUVSetting> Settings;

  const TNUVSetting* Find(std::string_view name, TNUVSettingPlace place) const;
  std::vector<std::string> Names(TNUVSettingPlace place) const;
};

enum TNUVPublishedKind { pkDataKey, pkTopic, pkService };

struct TNUVPublished {
  TNUVPublishedKind Kind;
  std::string Name;  // "<Name>_Caption", "Topic://ViewPart/%s/OnChange", "<ServiceID>"
  std::string Type;  // of a data key: String, Integer, Boolean; of a service: its interface
  std::string Description;
};

struct TNUVViewPartReference {
  std::string Factory;    // CreateLabelViewPart
  std::string ClassName;  // TNUVLabelViewPart
  std::string Summary;
  const TNUVSettingGroup* Settings;  // the configuration element under ExtData
  std::vector<TNUVPublished> Published;
  std::string MinimalApplication;  // a whole application file that shows the kind working
  std::string Example;             // an application file under examples/ that uses the kind
};

// The nine kinds, in the order of the reference.
const std::vector<TNUVViewPartReference>& ViewPartReferences();
// nil for a factory that is not one of the nine.
const TNUVViewPartReference* FindViewPartReference(std::string_view factory);
// What any view part's ExtData gives its work space, besides its own element: "GroupIndex" (read
// by a toolbar) and "PanelID" (read by a status bar).
const TNUVSettingGroup& WorkSpaceChildSettings();
