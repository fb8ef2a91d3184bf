// The library's string table: the messages that its view parts raise, by id.
#pragma once

#include <string>

enum TNUVLibStringID : int {
  SToolbarPlaceCycle = 65511,
  SToolbarMergeCycle = 65512,
  SServiceIDTaken = 65513,
  SStatusPanelWithoutControl = 65514,
  SStatusPanelTaken = 65515,
  SDataKeyTaken = 65516,
  SWorkSpaceWithoutControl = 65517,
  SViewPartWithoutControl = 65518,
  SToolbarMergeIntoItself = 65519,
  SViewPartNotDockableWindow = 65520,
  SViewPartNotDockablePanel = 65521,
  SPanelIDNotFound = 65522,
  SPanelIDMissing = 65523,
};

// The text of a string-table entry; raises for an id that the table does not have.
const std::string& LoadLibStr(TNUVLibStringID id);
