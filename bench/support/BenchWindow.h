// A window composed in-process the way the workbench composes one: window (a form), services, work items,
// view parts (factory, then Initialize), work spaces, run; and ended the same way: stop, Finalize
// in reverse creation order, last release. The module's factories are linked in statically.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "NUVHostObjects.h"
#include "NUVModule.h"
#include "TbxForms.h"

class TBenchWindow {
 public:
  // Builds everything the document declares and shows each child in its work space. Raises what
  // a view part raises.
  explicit TBenchWindow(const TIntfPtr<IXMLNode>& root);
  ~TBenchWindow();
  TBenchWindow(const TBenchWindow&) = delete;
  TBenchWindow& operator=(const TBenchWindow&) = delete;

  void RunAll();
  // Stops the work items (nested ones first), finalizes the view parts in reverse creation order
  // and releases everything, the window last.
  void Teardown();

  TNUVWorkItem& RootWorkItem() { return *FWorkItems.front().Item; }
  TWinControl& Window() { return *FWindow; }
  TForm& Form() { return *FWindow; }
  INUVViewPart& ViewPart(const std::string& name) { return *FViewParts[FViewPartIndex.at(name)].Intf; }
  size_t ViewPartCount() const { return FViewParts.size(); }

 private:
  struct TWorkItem {
    TIntfPtr<TNUVWorkItem> Item;
    std::unique_ptr<TWinControl> HostControl;  // nil for a root work item
    std::vector<size_t> ViewParts;
  };
  struct TViewPart {
    TIntfPtr<INUVViewPart> Intf;
    std::string WorkSpace;
  };

  void CreateServices(const IXMLNode& root);
  void AddWorkItem(const TIntfPtr<IXMLNode>& node, int parent);
  void AddViewPart(const TIntfPtr<IXMLNode>& node, size_t workItem);
  void ShowInWorkSpaces();

  std::unique_ptr<TForm> FWindow;
  TIntfPtr<TNUVEventBroker> FBroker;
  TIntfPtr<TNUVServiceCenter> FServices;
  TIntfPtr<TNUVImageService> FImages;
  TIntfPtr<TNUVActionService> FActions;
  std::vector<TWorkItem> FWorkItems;
  std::vector<TViewPart> FViewParts;
  std::unordered_map<std::string, size_t> FViewPartIndex;
  // The window and the work items' areas, parents first: laid out once when the constructor has
  // added every view part, and once when teardown has finalized them.
  std::vector<TWinControl*> FAreas;
};

// The module's factory of that export name; raises for an unknown one.
TNUVViewPartFactory FindBenchFactory(const std::string& name);
