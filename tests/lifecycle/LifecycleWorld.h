// The world of the lifecycle test: a host window with three nested work items and one slot per
// declared view part, covering all nine kinds. The host drives the view parts the way the
// workbench does; every view part object is tracked from construction to destruction, so that
// the checks know which objects are alive and what each one has published.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "NUVViewPart.h"
#include "TestHost.h"

enum class TLifeKind {
  Label,
  Link,
  RadioButton,
  CheckBox,
  ToolbarDock,
  DockablePanel,
  MultiDockPanel,
  Toolbar,
  StatusBar
};

bool IsWorkSpaceKind(TLifeKind kind);

// One live view part object, whoever holds it.
struct TLiveViewPart {
  TNUVCustomViewPart* Object = nullptr;
  TLifeKind Kind = TLifeKind::Label;
  int WorkItem = 0;
  size_t Slot = 0;
  bool Ran = false;  // DoWorkItemRunning reached its end since the last Initialize
};

// Every view part object from construction to destruction.
class TLiveViewParts {
 public:
  void Add(const INUVViewPart* intf, const TLiveViewPart& entry) { FParts[intf] = entry; }
  void Remove(const INUVViewPart* intf) { FParts.erase(intf); }
  TLiveViewPart* Find(const INUVViewPart* intf);
  bool Contains(const INUVViewPart* intf) const { return FParts.count(intf) > 0; }
  const std::map<const INUVViewPart*, TLiveViewPart>& All() const { return FParts; }

 private:
  std::map<const INUVViewPart*, TLiveViewPart> FParts;
};

// A declared view part: fixed kind, work item and configuration.
struct TSlotDecl {
  TSlotDecl(std::string name, TLifeKind kind, int workItem, std::string extData, std::string serviceID = "",
            bool simpleText = false, std::vector<std::string> panelIDs = {})
      : Name(std::move(name)),
        Kind(kind),
        WorkItem(workItem),
        ExtData(std::move(extData)),
        ServiceID(std::move(serviceID)),
        SimpleText(simpleText),
        PanelIDs(std::move(panelIDs)) {}
  std::string Name;  // also the name of its control, which merges look for
  TLifeKind Kind;
  int WorkItem;
  std::string ExtData;
  std::string ServiceID;              // toolbars that publish themselves
  bool SimpleText;                    // status bars in simple-text mode
  std::vector<std::string> PanelIDs;  // status bars in panel mode: the panels with an ID
};

struct TSlot {
  TSlotDecl Decl;
  TIntfPtr<INUVViewPart> ViewPart;  // the host's reference; nil once released
  int Generation = 0;
};

struct TLifeWorkItem {
  int Parent = -1;
  std::unique_ptr<TWinControl> HostControl;  // nil at the root, whose host control is the window
  TIntfPtr<TNUVWorkItem> Item;
};

class TLifeWorld {
 public:
  explicit TLifeWorld(TLiveViewParts& live);
  ~TLifeWorld();
  TLifeWorld(const TLifeWorld&) = delete;
  TLifeWorld& operator=(const TLifeWorld&) = delete;

  // A new object for the slot (its name carries the generation), initialised, its control named
  // after the slot, and run when its work item runs.
  void Create(size_t slot);
  // Stops every work item, nested ones first, then finalizes and releases in reverse order.
  void Teardown();

  bool IsRunning(int workItem) const { return WorkItems[static_cast<size_t>(workItem)].Item->GetState() == wsRunning; }
  TNUVCustomViewPart* Object(const TSlot& slot);
  TLiveViewPart* Live(const TSlot& slot);
  // The workbench names every control after its view part; merges find their target by it.
  void NameControl(TSlot& slot);

  TLiveViewParts& LiveParts;  // outlives the world: view parts that the host frees report here
  TTestHost Host;
  std::vector<TLifeWorkItem> WorkItems;
  std::vector<TSlot> Slots;
};
