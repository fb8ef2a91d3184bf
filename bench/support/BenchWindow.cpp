#include "BenchWindow.h"

#include <stdexcept>
#include <utility>

#include "NUV.ViewParts.TBX.h"

TNUVViewPartFactory FindBenchFactory(const std::string& name) {
  static const std::unordered_map<std::string, TNUVViewPartFactory> factories{
      {"CreateMultiDockPanelViewPart", CreateMultiDockPanelViewPart},
      {"CreateStatusBarViewPart", CreateStatusBarViewPart},
      {"CreateDockablePanelViewPart", CreateDockablePanelViewPart},
      {"CreateToolbarViewPart", CreateToolbarViewPart},
      {"CreateToolbarDockViewPart", CreateToolbarDockViewPart},
      {"CreateCheckBoxViewPart", CreateCheckBoxViewPart},
      {"CreateRadioButtonViewPart", CreateRadioButtonViewPart},
      {"CreateLinkViewPart", CreateLinkViewPart},
      {"CreateLabelViewPart", CreateLabelViewPart}};
  auto it = factories.find(name);
  if (it == factories.end()) throw std::invalid_argument("unknown factory " + name);
  return it->second;
}

namespace {
// A window large enough that aligned controls get sizes, as the workbench makes it.
constexpr int KWindowWidth = 800;
constexpr int KWindowHeight = 600;

template <class F>
void ForEachChild(const IXMLNode& node, F&& visit) {
  auto children = node.ChildNodes();
  for (int i = 0; i < children->Count(); ++i) visit(children->Get(i));
}
}  // namespace

TBenchWindow::TBenchWindow(const TIntfPtr<IXMLNode>& root) : FWindow(std::make_unique<TForm>(nullptr)) {
  FWindow->SetName(root->GetAttribute("Name"));
  FWindow->SetBounds(0, 0, KWindowWidth, KWindowHeight);
  CreateServices(*root);
  {
    // As the workbench does: the window and the work items' areas lay their children out once,
    // when all are in, parents first.
    FAreas.push_back(FWindow.get());
    FWindow->DisableAlign();
    TScopeExit layOut([&] {
      for (TWinControl* area : FAreas) area->EnableAlign();
    });
    ForEachChild(*root, [&](const TIntfPtr<IXMLNode>& child) {
      if (child->NodeName() == "WorkItem") AddWorkItem(child, -1);
    });
  }
  ShowInWorkSpaces();
}

TBenchWindow::~TBenchWindow() { Teardown(); }

void TBenchWindow::CreateServices(const IXMLNode& root) {
  FBroker = MakeCounted<TNUVEventBroker>();
  FServices = MakeCounted<TNUVServiceCenter>();
  FImages = MakeCounted<TNUVImageService>();
  FServices->RegisterService(SImageServiceID, TIntfPtr<IInterface>(FImages.get()));
  FActions = MakeCounted<TNUVActionService>(FBroker, FImages);
  ForEachChild(root, [&](const TIntfPtr<IXMLNode>& child) {
    if (child->NodeName() != "Commands") return;
    ForEachChild(*child, [&](const TIntfPtr<IXMLNode>& command) {
      FActions->AddCommand({command->GetAttribute("ID"), command->GetAttribute("Caption"), "", "", {}});
    });
  });
  FServices->RegisterService(SActionServiceID, TIntfPtr<IInterface>(FActions.get()));
}

void TBenchWindow::AddWorkItem(const TIntfPtr<IXMLNode>& node, int parent) {
  TWorkItem item;
  const std::string id = node->GetAttribute("ID");
  if (parent < 0) {
    item.Item = MakeCounted<TNUVWorkItem>(id, FWindow.get(), FServices, FBroker);
    item.Item->GetNamedValues()->SetIntValue("CurrentWorkBench", FWindow->GetHandle());
  } else {
    const TWorkItem& parentItem = FWorkItems[static_cast<size_t>(parent)];
    item.HostControl = std::make_unique<TWinControl>(nullptr);
    item.HostControl->SetName(id);
    item.HostControl->SetParent(parentItem.Item->GetHostControl());
    item.HostControl->SetAlign(alClient);
    item.HostControl->DisableAlign();
    FAreas.push_back(item.HostControl.get());
    item.Item = MakeCounted<TNUVWorkItem>(id, item.HostControl.get(), parentItem.Item);
  }
  const size_t index = FWorkItems.size();
  FWorkItems.push_back(std::move(item));
  ForEachChild(*node, [&](const TIntfPtr<IXMLNode>& child) {
    const std::string name = child->NodeName();
    if (name == "Value")
      FWorkItems[index].Item->GetNamedValues()->SetStrValue(child->GetAttribute("Name"), child->GetAttribute("Value"));
    else if (name == "ViewPart")
      AddViewPart(child, index);
    else if (name == "WorkItem")
      AddWorkItem(child, static_cast<int>(index));
  });
}

void TBenchWindow::AddViewPart(const TIntfPtr<IXMLNode>& node, size_t workItem) {
  const std::string name = node->GetAttribute("Name");
  TIntfPtr<IXMLNode> extData = FindChildNode(node.get(), "ExtData");
  TIntfPtr<IQIMExtension> extension = MakeCounted<TNUVExtension>(name, node->GetAttribute("Caption"), extData);
  TWorkItem& item = FWorkItems[workItem];
  auto viewPart =
      TIntfPtr<INUVViewPart>::Adopt(FindBenchFactory(node->GetAttribute("Factory"))(extension.get(), item.Item.get()));
  viewPart->Initialize();
  if (TControl* control = viewPart->GetControl(); control && control->GetName().empty()) control->SetName(name);
  item.ViewParts.push_back(FViewParts.size());
  FViewPartIndex.emplace(name, FViewParts.size());
  FViewParts.push_back({std::move(viewPart), node->GetAttribute("WorkSpace")});
}

void TBenchWindow::ShowInWorkSpaces() {
  for (const TViewPart& child : FViewParts) {
    if (child.WorkSpace.empty()) continue;
    Supports<INUVWorkSpace>(FViewParts[FViewPartIndex.at(child.WorkSpace)].Intf)->ShowViewPart(child.Intf.get());
  }
}

void TBenchWindow::RunAll() {
  for (TWorkItem& workItem : FWorkItems) {
    if (workItem.Item->GetState() == wsRunning) continue;
    workItem.Item->SetState(wsRunning);
    bool handled = false;
    for (size_t i : workItem.ViewParts) FViewParts[i].Intf->DoWorkItemRunning("", nullptr, handled);
  }
}

void TBenchWindow::Teardown() {
  for (size_t w = FWorkItems.size(); w-- > 0;) {
    TWorkItem& workItem = FWorkItems[w];
    if (workItem.Item->GetState() == wsStopped) continue;
    bool handled = false;
    for (size_t i : workItem.ViewParts) FViewParts[i].Intf->DoWorkItemStopping("", nullptr, handled);
    workItem.Item->SetState(wsStopped);
  }
  {
    // As the workbench does: the areas are laid out once, when their controls have gone.
    for (TWinControl* area : FAreas) area->DisableAlign();
    TScopeExit layOut([&] {
      for (TWinControl* area : FAreas) area->EnableAlign();
    });
    for (size_t i = FViewParts.size(); i-- > 0;) {
      if (!FViewParts[i].Intf) continue;
      FViewParts[i].Intf->Finalize();
      FViewParts[i].Intf = nullptr;
    }
  }
  FViewParts.clear();
  FViewPartIndex.clear();
  FAreas.clear();  // the areas go with their work items
  // Nested host controls go before the window that holds them, laid out once when all are gone.
  if (FWindow) FWindow->DisableAlign();
  while (!FWorkItems.empty()) FWorkItems.pop_back();
  if (FWindow) FWindow->EnableAlign();
  FActions = nullptr;
  FImages = nullptr;
  FServices = nullptr;
  FBroker = nullptr;
  FWindow.reset();
}
