#include "NUVStrings.h"

#include <map>

#include "KolSystem.h"

const std::string& LoadLibStr(TNUVLibStringID id) {
  static const std::map<int, std::string> table = {
      {SToolbarPlaceCycle, "Toolbar[%s] cannot be placed on Toolbar[%s], which lies on it"},
      {SToolbarMergeCycle, "Toolbar[%s] cannot merge its items into Toolbar[%s], which merges its items into it"},
      {SServiceIDTaken, "Toolbar[%s] cannot publish itself as service %s: the service center holds another under it"},
      {SStatusPanelWithoutControl, "ViewPart[%s] has no control to place in StatusPanel[%s]"},
      {SStatusPanelTaken, "ViewPart[%s] cannot go into StatusPanel[%s], which holds ViewPart[%s]"},
      {SDataKeyTaken, "ViewPart[%s] cannot publish the data key %s: another view part or panel publishes it"},
      {SWorkSpaceWithoutControl,
       "WorkSpace[%s] cannot show ViewPart[%s]: it has no control, as its Initialize did not complete"},
      {SViewPartWithoutControl, "ViewPart[%s] has no control to place on Toolbar[%s]"},
      {SToolbarMergeIntoItself, "Toolbar[%s] cannot merge its items into its own toolbar"},
      {SViewPartNotDockableWindow, "ViewPart[%s]不是TBXCustomDockableWindows类型的派生类，无法泊靠在ToolbarDock[%s]上"},
      {SViewPartNotDockablePanel, "ViewPart[%s]不是TBXDockablePanel，无法泊靠在ToolbarDock[%s]上"},
      {SPanelIDNotFound, "插件[%s]中定义的PanelID[%s]在StatusBar中不存在"},
      {SPanelIDMissing, "插件[%s]没有在ExtData中定义的PanelID"},
  };
  auto it = table.find(id);
  if (it == table.end()) throw Exception("the library's string table has no entry " + std::to_string(id));
  return it->second;
}
