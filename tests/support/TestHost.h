// A small in-process host for tests: a window, a running-capable root work item with the data
// context, service center, event broker, action and image services, and a record of events.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "NUVHostObjects.h"
#include "NUVViewPart.h"

class TTestHost {
 public:
  TTestHost();
  ~TTestHost();

  TWinControl& Window() { return *FWindow; }
  TNUVWorkItem& WorkItem() { return *FWorkItem; }
  INUVWorkItem* WorkItemIntf() { return FWorkItem.get(); }
  INUVDataContext& Data() { return *FWorkItem->GetDataContext(); }
  TNUVActionService& Actions() { return *FActions; }
  TNUVImageService& Images() { return *FImages; }
  TNUVServiceCenter& Services() { return *FServices; }
  void RemoveImageService();

  // An extension whose extension data is the given XML (empty: no extension data).
  TIntfPtr<IQIMExtension> Extension(const std::string& name, const std::string& caption,
                                    const std::string& extDataXml = "");

  // Events in order, as "kind:detail" strings: "topic:Topic://ViewPart/X/OnChange:TTBXCheckBox",
  // "command:File.Open", "click:X", "dblclick:X", "popup:X", "focus:X".
  const std::vector<std::string>& Events() const { return FEvents; }
  void ClearEvents() { FEvents.clear(); }

  // Runs and stops a view part the way the host does for its work item.
  static void Run(INUVViewPart& viewPart);
  static void Stop(INUVViewPart& viewPart);

 private:
  std::unique_ptr<TWinControl> FWindow;
  TIntfPtr<TNUVServiceCenter> FServices;
  TIntfPtr<TNUVEventBroker> FBroker;
  TIntfPtr<TNUVImageService> FImages;
  TIntfPtr<TNUVActionService> FActions;
  TIntfPtr<TNUVWorkItem> FWorkItem;
  std::vector<std::string> FEvents;
};
