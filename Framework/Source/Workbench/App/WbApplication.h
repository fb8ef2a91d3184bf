// The running application: the window, work items, services and view parts built from the
// application file's declarations, and the operations that the command line and scripts drive.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "NUVHostObjects.h"
#include "NUVModule.h"
#include "TbxForms.h"
#include "WbAppFile.h"
#include "WbEvents.h"
#include "WbFileFaults.h"
#include "WbJson.h"

class TWbApplication {
 public:
  // strict: the first error or warning that the application file causes (while it loads, while a
  // work item runs for the first time) ends the run with EWbLoadError (--strict).
  explicit TWbApplication(TWbReporter& reporter, bool strict = false);
  // Finishes what is still running.
  ~TWbApplication();
  TWbApplication(const TWbApplication&) = delete;
  TWbApplication& operator=(const TWbApplication&) = delete;

  // Loads the module and builds the application. Raises EWbLoadError for a module that cannot
  // be loaded, an unknown factory or a work space that is none; errors that view parts raise are
  // reported and loading goes on (with strict: the first of them ends it).
  void Load(const TWbAppDecl& decl, const std::string& modulePath);

  void RunAll();
  void Run(const std::string& workItemID);
  void Stop(const std::string& workItemID);
  // Finalizes and releases one view part.
  void Finalize(const std::string& viewPartName);
  // Stops the running work items, then finalizes and releases the view parts in reverse creation
  // order. Later calls do nothing.
  void Finish();

  // Script lookups; each raises EWbScriptError for a name that is unknown or already finalized.
  INUVViewPart& ViewPart(const std::string& name);
  TIntfPtr<INUVWorkSpace> WorkSpace(const std::string& name);
  // The control that the user's gestures reach; also refuses a view part whose work space, or a
  // work space around that, has been finalized: its control is no longer in the window.
  TControl& ControlOf(const std::string& viewPartName);
  // ControlOf for a gesture of a script or the page: also refuses a view part whose work item is
  // not running, which has not wired its control yet (or no longer).
  TControl& GestureControlOf(const std::string& viewPartName);
  bool IsDeclaredViewPart(const std::string& name) const { return FViewPartsByName.contains(name); }
  // The view parts not finalized, in creation order.
  struct TLiveViewPart {
    std::string Name, Factory;
  };
  std::vector<TLiveViewPart> LiveViewParts() const;
  // Why a data key is not found, to follow the message: ": ..." when the work item that published
  // it when it last ran is stopped, "; did you mean ...?" with the closest key published now, else "".
  std::string UnknownKeyHint(const std::string& key) const;
  // The script showed child in workSpace, or closed it there: where its control now lives.
  void ShownIn(const std::string& child, const std::string& workSpace);
  void ClosedIn(const std::string& child, const std::string& workSpace);

  // What the application file caused: its errors and warnings so far.
  TWbFileFaults& Faults() { return FFaults; }

  TWinControl& Window() { return *FWindow; }
  const TWinControl& Window() const { return *FWindow; }
  TForm& Form() { return *FWindow; }
  // The view part a control stands for: the one whose control it is, else the first one shown in
  // it (a multi-dock's panels belong to no view part and are named by what they show); "" if none.
  std::string NamingViewPart(const TControl& control) const;
  INUVServiceCenter& Services() { return *FServices; }
  const INUVServiceCenter& Services() const { return *FServices; }
  // The data contexts of the work items, in document order.
  std::vector<TIntfPtr<INUVDataContext>> DataContexts() const;
  // Which view part each control belongs to (the control its GetControl gives).
  std::unordered_map<const TControl*, std::string> ControlOwners() const;
  // The window's control tree as the dump writes it, with the file names of shared images.
  TWbJson WindowJson() const;
  // The image service's list of image files; nil without an image service.
  const TCustomImageList* ImageList() const;

 private:
  struct TWorkItem {
    TWbWorkItemDecl Decl;
    TIntfPtr<TNUVWorkItem> Item;
    std::unique_ptr<TWinControl> HostControl;  // nil for a root work item: the window hosts it
    std::vector<size_t> ViewParts;             // indices into FViewParts, document order
    bool Ran = false;                          // has run once: its first run is the file's
    std::set<std::string> KeysOfLastRun;       // the data keys its last stop withdrew
  };
  struct TViewPart {
    TWbViewPartDecl Decl;
    TIntfPtr<INUVViewPart> Intf;  // nil when its factory failed and once it is finalized
    int WorkSpace = -1;           // index of the work space it was last shown in; -1: none
  };

  void ComposeAll(const TWbAppDecl& decl, const std::vector<TNUVViewPartFactory>& factories);
  std::vector<TNUVViewPartFactory> ResolveFactories(const TWbAppDecl& decl) const;
  std::string FactorySuggestion(const std::string& name) const;
  void CreateWindow(const std::string& name);
  // The events of the window's gestures: window-resize, dock and float.
  void ReportWindowGestures();
  // The events of the keyboard: keyboard-focus and toolbar-keyboard.
  void ReportKeyboard();
  void CreateServices(const TWbAppDecl& decl);
  void CheckImageFile(const std::string& appFile, const std::string& file);
  void AddWorkItem(const TWbWorkItemDecl& decl);
  void AddViewPart(const TWbViewPartDecl& decl, TNUVViewPartFactory factory);
  void CheckWorkSpaces();
  void ShowInWorkSpaces();
  void RunAt(size_t index);
  void StopAt(size_t index);
  void FinalizeAt(size_t index);
  std::vector<TWinControl*> Areas() const;
  size_t WorkItemIndex(const std::string& id) const;
  size_t ViewPartIndex(const std::string& name) const;
  size_t LiveViewPartIndex(const std::string& name) const;  // also refuses a finalized one
  const TWorkItem& WorkItemOf(const TViewPart& viewPart) const;
  TViewPart* WorkSpaceOf(const TViewPart& child);
  // The nearest work space around the view part that has been finalized, or nullptr.
  const TViewPart* FinalizedWorkSpaceAround(const TViewPart& viewPart) const;
  // Runs one view-part operation; what it raises is reported with the place of the declaration,
  // and the run goes on.
  template <class F>
  void Guarded(const TViewPart& viewPart, F&& operation);

  TWbFileFaults FFaults;
  TWbReporter& FReporter = FFaults;
  // Declared first, destroyed last: the code of every view part lives in the module.
  std::unique_ptr<TNUVModule> FModule;
  std::unique_ptr<TForm> FWindow;
  TIntfPtr<TNUVEventBroker> FBroker;
  TIntfPtr<TNUVServiceCenter> FServices;
  TIntfPtr<TNUVImageService> FImages;
  TIntfPtr<TNUVActionService> FActions;
  std::vector<TWorkItem> FWorkItems;  // document order
  std::vector<TViewPart> FViewParts;  // creation order
  // Name lookups into the two lists above, so that loading and scripts stay linear.
  std::unordered_map<std::string, size_t> FWorkItemsByID;
  std::unordered_map<std::string, size_t> FViewPartsByName;
  bool FFinished = false;
};
