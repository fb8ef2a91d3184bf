#include "WbApplication.h"

#include <filesystem>
#include <utility>

#include "KolStrings.h"
#include "NUVViewPartSettings.h"
#include "TbxStackPanels.h"
#include "WbDump.h"
#include "WbErrors.h"
#include "WbFactories.h"
#include "WbImageFiles.h"
#include "WbPhaseTimes.h"

namespace {

// Disables the alignment of the window and the areas (parents before their children) until the
// scope ends, so that each is laid out once then, with what lies in them.
auto LayOutOnce(std::vector<TWinControl*> areas) {
  for (TWinControl* area : areas) area->DisableAlign();
  return TScopeExit([areas = std::move(areas)] {
    for (TWinControl* area : areas) area->EnableAlign();
  });
}

// A window large enough that aligned controls get sizes worth reading.
constexpr int KWindowWidth = 800;
constexpr int KWindowHeight = 600;

}  // namespace

TWbApplication::TWbApplication(TWbReporter& reporter, bool strict) : FFaults(reporter, strict) {}

TWbApplication::~TWbApplication() {
  Finish();
  // A view part that outlives the application must not reach it through the image service.
  if (FImages) FImages->GetImageManager()->OnAddImage = nullptr;
  if (!FWindow) return;
  // The host controls of nested work items leave the window one by one: lay it out once at the end.
  // Newest first, so that each leaves the end of its parent's list of children.
  FWindow->DisableAlign();
  while (!FViewParts.empty()) FViewParts.pop_back();
  while (!FWorkItems.empty()) FWorkItems.pop_back();
  FWindow->EnableAlign();
}

template <class F>
void TWbApplication::Guarded(const TViewPart& viewPart, F&& operation) {
  try {
    operation();
  } catch (...) {
    TWbError error = CurrentError();
    PlaceAtDeclaration(error, *viewPart.Decl.Element, viewPart.Decl.Name);
    FReporter.Error(error);
  }
}

// ---------------------------------------------------------------------------------------------
// Loading

void TWbApplication::Load(const TWbAppDecl& decl, const std::string& modulePath) {
  FFaults.Caused([&] {
    for (const TWbWarning& warning : decl.Warnings) FReporter.Warning(warning);
    try {
      FModule = std::make_unique<TNUVModule>(modulePath);
    } catch (const ENUVModuleError& e) {
      throw EWbLoadError(decl.Element->SourceName() + ": " + e.Message());
    }
    WbPhaseEnds("module");
    const auto factories = ResolveFactories(decl);
    CreateWindow(decl.Name);
    CreateServices(decl);
    ComposeAll(decl, factories);
    CheckWorkSpaces();
    ShowInWorkSpaces();
  });
  WbPhaseEnds("compose");
}

// The window and the work items' areas lay their children out once, when all are in: one
// layout per child arriving would make loading quadratic in the number of siblings. Parents come
// before their children in creation order, so each area is laid out after its final size.
void TWbApplication::ComposeAll(const TWbAppDecl& decl, const std::vector<TNUVViewPartFactory>& factories) {
  std::vector<TWinControl*> areas{FWindow.get()};
  FWindow->DisableAlign();
  TScopeExit layOut([&] {
    for (TWinControl* area : areas) area->EnableAlign();
  });
  for (const TWbDeclStep& step : decl.Steps) {
    const auto index = static_cast<size_t>(step.Index);
    if (step.Kind == TWbDeclStep::skWorkItem) {
      AddWorkItem(decl.WorkItems[index]);
      if (TWinControl* area = FWorkItems.back().HostControl.get()) {
        area->DisableAlign();
        areas.push_back(area);
      }
    } else {
      AddViewPart(decl.ViewParts[index], factories[index]);
    }
  }
}

std::vector<TNUVViewPartFactory> TWbApplication::ResolveFactories(const TWbAppDecl& decl) const {
  std::vector<TNUVViewPartFactory> factories;
  for (const auto& viewPart : decl.ViewParts) {
    TNUVViewPartFactory factory = FModule->FindFactory(viewPart.Factory);
    if (!factory)
      throw EWbLoadError(*viewPart.Element, "unknown factory '" + viewPart.Factory + "' of view part '" +
                                                viewPart.Name + "': the module " + FModule->Path() +
                                                " defines no factory of that name (Create<Kind>ViewPart)" +
                                                FactorySuggestion(viewPart.Factory));
    factories.push_back(factory);
  }
  return factories;
}

// The known factory that the module defines and whose name is closest: "; did you mean X?".
std::string TWbApplication::FactorySuggestion(const std::string& name) const {
  std::vector<std::string> defined;
  for (const auto& known : KnownFactories())
    if (FModule->FindFactory(known.Name)) defined.push_back(known.Name);
  const std::string closest = ClosestFactory(name, defined);
  return closest.empty() ? std::string() : "; did you mean " + closest + "?";
}

void TWbApplication::CreateWindow(const std::string& name) {
  FWindow = std::make_unique<TForm>(nullptr);
  FWindow->SetName(name);
  FWindow->SetBounds(0, 0, KWindowWidth, KWindowHeight);
  ReportWindowGestures();
  ReportKeyboard();
}

void TWbApplication::CreateServices(const TWbAppDecl& decl) {
  FBroker = MakeCounted<TNUVEventBroker>();
  FBroker->Subscribe([this](const TNUVEvent& event) { FReporter.HostEvent(event); });
  FServices = MakeCounted<TNUVServiceCenter>();
  if (decl.ImageService) {
    FImages = MakeCounted<TNUVImageService>();
    FImages->GetImageManager()->OnAddImage = [this, appFile = decl.Element->SourceName()](const std::string& file) {
      CheckImageFile(appFile, file);
    };
    FServices->RegisterService(SImageServiceID, TIntfPtr<IInterface>(FImages.get()));
  }
  FActions = MakeCounted<TNUVActionService>(FBroker, FImages);
  for (const auto& command : decl.Commands) FActions->AddCommand(command);
  FServices->RegisterService(SActionServiceID, TIntfPtr<IInterface>(FActions.get()));
}

// The picture, the live page and the native window read the image files: one that they refuse
// is told as it comes in, while the application loads or runs, and shows as no image.
void TWbApplication::CheckImageFile(const std::string& appFile, const std::string& file) {
  const TWbImageFile image = ResolveImageFile(file, std::filesystem::path(appFile).parent_path().string());
  if (image.Refusal.empty() && !image.Missing) return;
  TWbWarning warning;
  warning.File = appFile;
  warning.Message = image.Missing
                        ? "the image file '" + file + "' does not exist; it shows no image"
                        : "the image file '" + file + "' is refused (" + image.Refusal + "); it shows no image";
  FReporter.Warning(warning);
}

void TWbApplication::AddWorkItem(const TWbWorkItemDecl& decl) {
  TWorkItem item{decl, nullptr, nullptr, {}, false, {}};
  if (decl.Parent < 0) {
    item.Item = MakeCounted<TNUVWorkItem>(decl.ID, FWindow.get(), FServices, FBroker);
    item.Item->GetNamedValues()->SetIntValue("CurrentWorkBench", FWindow->GetHandle());
  } else {
    const TWorkItem& parent = FWorkItems[static_cast<size_t>(decl.Parent)];
    // A nested work item owns an area of its parent's: a windowed control named after it.
    item.HostControl = std::make_unique<TStackPanel>(nullptr);
    item.HostControl->SetName(decl.ID);
    item.HostControl->SetParent(parent.Item->GetHostControl());
    item.HostControl->SetAlign(alClient);
    item.Item = MakeCounted<TNUVWorkItem>(decl.ID, item.HostControl.get(), parent.Item);
  }
  for (const auto& [name, value] : decl.Values) item.Item->GetNamedValues()->SetStrValue(name, value);
  FWorkItemsByID.emplace(decl.ID, FWorkItems.size());
  FWorkItems.push_back(std::move(item));
}

void TWbApplication::AddViewPart(const TWbViewPartDecl& decl, TNUVViewPartFactory factory) {
  const size_t index = FViewParts.size();
  FViewPartsByName.emplace(decl.Name, index);
  FViewParts.push_back({decl, nullptr});
  TViewPart& viewPart = FViewParts.back();
  TWorkItem& workItem = FWorkItems[static_cast<size_t>(decl.WorkItem)];
  workItem.ViewParts.push_back(index);
  TIntfPtr<IQIMExtension> extension = MakeCounted<TNUVExtension>(decl.Name, decl.Caption, decl.ExtData);
  bool returned = false;
  Guarded(viewPart, [&] {
    viewPart.Intf = FModule->Create(factory, extension.get(), workItem.Item.get());
    returned = true;
  });
  if (returned && !viewPart.Intf)
    throw EWbLoadError(*decl.Element,
                       "the factory '" + decl.Factory + "' of view part '" + decl.Name + "' returned no view part");
  if (!viewPart.Intf) return;
  Guarded(viewPart, [&] { viewPart.Intf->Initialize(); });
  Guarded(viewPart, [&] {
    TControl* control = viewPart.Intf->GetControl();
    if (control && control->GetName().empty()) control->SetName(decl.Name);
  });
}

TWbApplication::TViewPart* TWbApplication::WorkSpaceOf(const TViewPart& child) {
  if (child.Decl.WorkSpace.empty()) return nullptr;
  return &FViewParts[ViewPartIndex(child.Decl.WorkSpace)];
}

void TWbApplication::CheckWorkSpaces() {
  for (const TViewPart& child : FViewParts) {
    const TViewPart* workSpace = WorkSpaceOf(child);
    if (workSpace && workSpace->Intf && !Supports<INUVWorkSpace>(workSpace->Intf))
      throw EWbLoadError(*child.Decl.Element, "the work space '" + workSpace->Decl.Name + "' of view part '" +
                                                  child.Decl.Name + "' is not a work space (made by " +
                                                  workSpace->Decl.Factory + ")");
  }
}

// Children come into a work space one by one: each area, toolbar and dock is laid out once.
void TWbApplication::ShowInWorkSpaces() {
  const auto areas = LayOutOnce(Areas());
  const TWinControl::TDeferLayouts containers;
  for (TViewPart& child : FViewParts) {
    const TViewPart* workSpace = WorkSpaceOf(child);
    // View parts whose factory failed were reported already.
    if (!workSpace || !workSpace->Intf || !child.Intf) continue;
    Guarded(child, [&] {
      Supports<INUVWorkSpace>(workSpace->Intf)->ShowViewPart(child.Intf.get());
      child.WorkSpace = static_cast<int>(workSpace - FViewParts.data());
    });
  }
}

// ---------------------------------------------------------------------------------------------
// Running and ending

void TWbApplication::RunAll() {
  FFaults.Caused([&] {
    for (size_t i = 0; i < FWorkItems.size(); ++i) RunAt(i);
  });
}

void TWbApplication::Run(const std::string& workItemID) { RunAt(WorkItemIndex(workItemID)); }

void TWbApplication::Stop(const std::string& workItemID) { StopAt(WorkItemIndex(workItemID)); }

// Running a running work item, or stopping a stopped one, changes nothing.
// What a work item's first run raises is the application file's; a later run is the script's.
void TWbApplication::RunAt(size_t index) {
  TWorkItem& workItem = FWorkItems[index];
  if (workItem.Item->GetState() == wsRunning) return;
  workItem.Item->SetState(wsRunning);
  auto run = [&] {
    // Children placed into a toolbar or leaving an area, and their captions, come one by one:
    // lay each out once, at the end.
    const auto areas = LayOutOnce(Areas());
    const TWinControl::TDeferLayouts containers;
    for (size_t i : workItem.ViewParts) {
      TViewPart& viewPart = FViewParts[i];
      if (!viewPart.Intf) continue;
      Guarded(viewPart, [&] {
        bool handled = false;
        viewPart.Intf->DoWorkItemRunning("", nullptr, handled);
      });
    }
  };
  if (std::exchange(workItem.Ran, true))
    run();
  else
    FFaults.Caused(run);
}

void TWbApplication::StopAt(size_t index) {
  TWorkItem& workItem = FWorkItems[index];
  if (workItem.Item->GetState() == wsStopped) return;
  const TIntfPtr<INUVDataContext> context = workItem.Item->GetDataContext();
  const std::vector<std::string> running = context->Keys();
  for (size_t i : workItem.ViewParts) {
    TViewPart& viewPart = FViewParts[i];
    if (!viewPart.Intf) continue;
    Guarded(viewPart, [&] {
      bool handled = false;
      viewPart.Intf->DoWorkItemStopping("", nullptr, handled);
    });
  }
  workItem.Item->SetState(wsStopped);
  const std::vector<std::string> kept = context->Keys();
  workItem.KeysOfLastRun = {running.begin(), running.end()};
  for (const auto& key : kept) workItem.KeysOfLastRun.erase(key);
}

void TWbApplication::Finalize(const std::string& viewPartName) { FinalizeAt(LiveViewPartIndex(viewPartName)); }

void TWbApplication::FinalizeAt(size_t index) {
  TViewPart& viewPart = FViewParts[index];
  if (!viewPart.Intf) return;
  Guarded(viewPart, [&] { viewPart.Intf->Finalize(); });
  viewPart.Intf = nullptr;
}

void TWbApplication::Finish() {
  if (FFinished) return;
  FFinished = true;
  // Nested work items stop before the work items that contain them.
  for (size_t i = FWorkItems.size(); i-- > 0;) StopAt(i);
  // The controls leave their areas, toolbars and docks one by one: each is laid out once, when
  // all have gone, instead of once per control that leaves it (and per dock that shrinks as its
  // bars go).
  const auto layout = LayOutOnce(Areas());
  const TWinControl::TDeferLayouts containers;
  for (size_t i = FViewParts.size(); i-- > 0;) FinalizeAt(i);
}

// The window and the work items' areas, parents before their children.
std::vector<TWinControl*> TWbApplication::Areas() const {
  std::vector<TWinControl*> areas;
  if (FWindow) areas.push_back(FWindow.get());
  for (const TWorkItem& workItem : FWorkItems)
    if (workItem.HostControl) areas.push_back(workItem.HostControl.get());
  return areas;
}

// ---------------------------------------------------------------------------------------------
// Lookups

size_t TWbApplication::WorkItemIndex(const std::string& id) const {
  if (auto it = FWorkItemsByID.find(id); it != FWorkItemsByID.end()) return it->second;
  throw EWbScriptError("unknown work item '" + id + "'");
}

size_t TWbApplication::ViewPartIndex(const std::string& name) const {
  if (auto it = FViewPartsByName.find(name); it != FViewPartsByName.end()) return it->second;
  throw EWbScriptError("unknown view part '" + name + "'");
}

size_t TWbApplication::LiveViewPartIndex(const std::string& name) const {
  const size_t index = ViewPartIndex(name);
  if (!FViewParts[index].Intf) throw EWbScriptError("view part '" + name + "' has been finalized or was never created");
  return index;
}

INUVViewPart& TWbApplication::ViewPart(const std::string& name) { return *FViewParts[LiveViewPartIndex(name)].Intf; }

TIntfPtr<INUVWorkSpace> TWbApplication::WorkSpace(const std::string& name) {
  auto workSpace = Supports<INUVWorkSpace>(static_cast<IInterface*>(&ViewPart(name)));
  if (!workSpace) throw EWbScriptError("view part '" + name + "' is not a work space");
  return workSpace;
}

const TWbApplication::TViewPart* TWbApplication::FinalizedWorkSpaceAround(const TViewPart& viewPart) const {
  // The toolkit refuses cycles of work spaces; the bound keeps a walk finite all the same.
  int index = viewPart.WorkSpace;
  for (size_t steps = 0; index >= 0 && steps < FViewParts.size(); ++steps) {
    const TViewPart& workSpace = FViewParts[static_cast<size_t>(index)];
    if (!workSpace.Intf) return &workSpace;
    index = workSpace.WorkSpace;
  }
  return nullptr;
}

void TWbApplication::ShownIn(const std::string& child, const std::string& workSpace) {
  FViewParts[ViewPartIndex(child)].WorkSpace = static_cast<int>(ViewPartIndex(workSpace));
}

void TWbApplication::ClosedIn(const std::string& child, const std::string& workSpace) {
  TViewPart& viewPart = FViewParts[ViewPartIndex(child)];
  if (viewPart.WorkSpace == static_cast<int>(ViewPartIndex(workSpace))) viewPart.WorkSpace = -1;
}

const TWbApplication::TWorkItem& TWbApplication::WorkItemOf(const TViewPart& viewPart) const {
  return FWorkItems[static_cast<size_t>(viewPart.Decl.WorkItem)];
}

TControl& TWbApplication::GestureControlOf(const std::string& viewPartName) {
  const TWorkItem& workItem = WorkItemOf(FViewParts[LiveViewPartIndex(viewPartName)]);
  if (workItem.Item->GetState() != wsRunning)
    throw EWbScriptError("view part '" + viewPartName + "' takes no gestures: its work item '" + workItem.Decl.ID +
                         "' is not running (run " + workItem.Decl.ID + " first)");
  return ControlOf(viewPartName);
}

TControl& TWbApplication::ControlOf(const std::string& viewPartName) {
  const size_t index = LiveViewPartIndex(viewPartName);
  if (const TViewPart* workSpace = FinalizedWorkSpaceAround(FViewParts[index]))
    throw EWbScriptError("view part '" + viewPartName + "' takes no gestures: its work space '" + workSpace->Decl.Name +
                         "' has been finalized");
  TControl* control = FViewParts[index].Intf->GetControl();
  if (!control) throw EWbScriptError("view part '" + viewPartName + "' has no control");
  return *control;
}

std::vector<TWbApplication::TLiveViewPart> TWbApplication::LiveViewParts() const {
  std::vector<TLiveViewPart> live;
  for (const auto& viewPart : FViewParts)
    if (viewPart.Intf) live.push_back({viewPart.Decl.Name, viewPart.Decl.Factory});
  return live;
}

namespace {

// Whether a view part of this factory, named name, publishes key while its work item runs, as the
// reference lists its keys ("<Name>_Caption", "<Name>_<ID>_Size"); true for a kind it does not list.
bool MayPublishKey(const std::string& factory, const std::string& name, const std::string& key) {
  const TNUVViewPartReference* reference = FindViewPartReference(factory);
  if (!reference) return true;
  const std::string_view rest = std::string_view(key).substr(name.size());
  for (const TNUVPublished& published : reference->Published) {
    if (published.Kind != pkDataKey) continue;
    std::string_view pattern = published.Name;
    pattern.remove_prefix(std::string_view("<Name>").size());
    if (pattern.starts_with("_<ID>")) {
      pattern.remove_prefix(std::string_view("_<ID>").size());
      if (rest.size() > pattern.size() + 1 && rest.ends_with(pattern)) return true;
    } else if (rest == pattern) {
      return true;
    }
  }
  return false;
}

}  // namespace

// Keys are named after their view part ("Title_Caption"): the longest declared name that the key
// begins with is the one meant. The hint names its work item only for a key that the view part
// publishes: one it published when its work item last ran, or before any run one of its kind's keys.
std::string TWbApplication::UnknownKeyHint(const std::string& key) const {
  const TViewPart* owner = nullptr;
  for (const auto& viewPart : FViewParts) {
    const std::string& name = viewPart.Decl.Name;
    if (key.size() > name.size() && key.starts_with(name) && key[name.size()] == '_' &&
        (!owner || name.size() > owner->Decl.Name.size()))
      owner = &viewPart;
  }
  if (owner && owner->Intf) {
    const TWorkItem& workItem = WorkItemOf(*owner);
    const bool publishes =
        workItem.Ran ? workItem.KeysOfLastRun.contains(key) : MayPublishKey(owner->Decl.Factory, owner->Decl.Name, key);
    if (workItem.Item->GetState() != wsRunning && publishes)
      return ": view part '" + owner->Decl.Name + "' publishes it while its work item '" + workItem.Decl.ID +
             "' runs, and it is not running (run " + workItem.Decl.ID + " first)";
  }
  std::vector<std::string> published;
  for (const auto& context : DataContexts())
    for (auto& name : context->Keys()) published.push_back(std::move(name));
  const std::string closest = ClosestName(key, published);
  return closest.empty() ? std::string() : "; did you mean " + closest + "?";
}

std::vector<TIntfPtr<INUVDataContext>> TWbApplication::DataContexts() const {
  std::vector<TIntfPtr<INUVDataContext>> contexts;
  for (const auto& workItem : FWorkItems) contexts.push_back(workItem.Item->GetDataContext());
  return contexts;
}

std::unordered_map<const TControl*, std::string> TWbApplication::ControlOwners() const {
  std::unordered_map<const TControl*, std::string> owners;
  for (const auto& viewPart : FViewParts) {
    if (!viewPart.Intf) continue;
    try {
      if (TControl* control = viewPart.Intf->GetControl()) owners.emplace(control, viewPart.Decl.Name);
    } catch (const std::exception&) {
      // A view part that cannot name its control simply owns none in the dump.
    }
  }
  return owners;
}

const TCustomImageList* TWbApplication::ImageList() const {
  return FImages ? FImages->GetImageManager()->GetImageList() : nullptr;
}

TWbJson TWbApplication::WindowJson() const { return ControlTreeJson(*FWindow, ControlOwners(), ImageList()); }
