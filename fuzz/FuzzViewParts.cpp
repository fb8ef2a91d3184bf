// fuzz_viewparts: the nine view-part kinds driven through their life over arbitrary extension
// data, the way a host may drive them. The input's first bytes choose the kinds and a sequence
// of operations; the rest is the extension data that every view part of the run reads.
#include <array>
#include <set>
#include <utility>
#include <vector>

#include "FuzzHost.h"
#include "FuzzSupport.h"
#include "NUVViewPart.h"
#include "NUV.ViewParts.TBX.h"
#include "TbxStatusBars.h"
#include "TbxToolbars.h"

namespace {

using TFactory = INUVViewPart* (*)(IQIMExtension*, INUVWorkItem*);

// Work spaces first, so that a 0 byte gives one.
constexpr std::array<TFactory, 9> KFactories{
    CreateToolbarDockViewPart, CreateDockablePanelViewPart, CreateMultiDockPanelViewPart,
    CreateToolbarViewPart,     CreateStatusBarViewPart,     CreateLabelViewPart,
    CreateLinkViewPart,        CreateRadioButtonViewPart,   CreateCheckBoxViewPart};

constexpr int KMaxViewParts = 4;
constexpr int KMaxOperations = 32;

struct THostOperation {
  std::uint8_t Kind, Target, Other, Value;
};

enum TOperationKind {
  okShow,
  okHide,
  okClose,
  okActivate,
  okRun,
  okStop,
  okClick,
  okDblClick,
  okPopup,
  okWriteKey,
  okFinalize,
  okFocus,
  okClickItem,
  okSetWorkSpace,
  okQuery,
  okCount
};

// A run: the host, the view parts (nil once finalized) and the work item's run state.
class TFuzzRun {
 public:
  TFuzzRun(TTestHost& host) : FHost(host) {}

  void Create(int kind, const std::string& name, const TIntfPtr<IXMLNode>& extData) {
    TIntfPtr<IQIMExtension> extension = MakeCounted<TNUVExtension>(name, name + " caption", extData);
    TIntfPtr<INUVViewPart> viewPart;
    FuzzStep([&] {
      viewPart =
          TIntfPtr<INUVViewPart>::Adopt(KFactories[static_cast<size_t>(kind)](extension.get(), FHost.WorkItemIntf()));
    });
    FViewParts.push_back(viewPart);
    if (!viewPart) return;
    FuzzStep([&] { viewPart->Initialize(); });
    FuzzStep([&] {
      if (TControl* control = viewPart->GetControl(); control && control->GetName().empty()) control->SetName(name);
    });
  }

  void Apply(const THostOperation& op) {
    INUVViewPart* target = At(op.Target);
    INUVViewPart* other = At(op.Other);
    switch (op.Kind % okCount) {
      case okShow:
      case okHide:
      case okClose:
      case okActivate:
        if (target) WorkSpaceStep(op.Kind % okCount, other, target);
        break;
      case okRun:
        Run();
        break;
      case okStop:
        Stop();
        break;
      case okClick:
      case okDblClick:
      case okPopup:
        if (target) ControlStep(op.Kind % okCount, *target);
        break;
      case okWriteKey:
        WriteKey(op.Other, op.Value);
        break;
      case okFinalize:
        Finalize(op.Target);
        break;
      case okFocus:
        if (target) FuzzStep([&] { target->SetIsFocused(op.Value & 1); });
        break;
      case okClickItem:
        if (target) ClickItem(*target, op.Value);
        break;
      case okSetWorkSpace:
        if (target) SetWorkSpace(*target, other, op.Value);
        break;
      case okQuery:
        if (target) Query(*target);
        break;
    }
  }

  // As a host ends: stop the work item, then finalize in reverse creation order.
  void Finish() {
    Stop();
    for (size_t i = FViewParts.size(); i-- > 0;) Finalize(static_cast<std::uint8_t>(i));
  }

 private:
  INUVViewPart* At(std::uint8_t index) { return FViewParts[index % FViewParts.size()].get(); }

  void WorkSpaceStep(int kind, INUVViewPart* workSpaceViewPart, INUVViewPart* child) {
    auto workSpace = Supports<INUVWorkSpace>(static_cast<IInterface*>(workSpaceViewPart));
    if (!workSpace) return;
    // A host never shows a view part in a work space that lies inside that view part: the toolkit
    // refuses the cycle, at once or when the work item runs.
    if (kind == okShow && (LiesInside(workSpaceViewPart, child) || ShownWithin(workSpaceViewPart, child))) return;
    if (kind == okShow) FShownIn.insert({child, workSpaceViewPart});
    if (kind == okClose) FShownIn.erase({child, workSpaceViewPart});
    FuzzStep([&] {
      if (kind == okShow) workSpace->ShowViewPart(child);
      if (kind == okHide) workSpace->HideViewPart(child);
      if (kind == okClose) workSpace->CloseViewPart(child);
      if (kind == okActivate) workSpace->ActivateViewPart(child);
    });
  }

  static bool LiesInside(INUVViewPart* inner, INUVViewPart* outer) {
    TControl* outerControl = outer->GetControl();
    for (TControl* control = inner->GetControl(); control && outerControl; control = control->GetParent())
      if (control == outerControl) return true;
    return false;
  }

  // Whether the host has shown inner, or a work space it was shown in and so on up, in outer.
  // Some work spaces place their children only when the work item runs, and keep every child
  // shown in them, so a view part may stand in several.
  bool ShownWithin(INUVViewPart* inner, INUVViewPart* outer) const {
    std::set<INUVViewPart*> seen;
    std::vector<INUVViewPart*> pending{inner};
    while (!pending.empty()) {
      INUVViewPart* viewPart = pending.back();
      pending.pop_back();
      if (viewPart == outer) return true;
      if (!seen.insert(viewPart).second) continue;
      for (const auto& [child, workSpace] : FShownIn)
        if (child == viewPart) pending.push_back(workSpace);
    }
    return false;
  }

  void Run() {
    if (FRunning) return;
    FRunning = true;
    FHost.WorkItem().SetState(wsRunning);
    for (auto& viewPart : FViewParts)
      if (viewPart) FuzzStep([&] { TTestHost::Run(*viewPart); });
  }

  void Stop() {
    if (!FRunning) return;
    for (auto& viewPart : FViewParts)
      if (viewPart) FuzzStep([&] { TTestHost::Stop(*viewPart); });
    FHost.WorkItem().SetState(wsStopped);
    FRunning = false;
  }

  void ControlStep(int kind, INUVViewPart& viewPart) {
    FuzzGestureStep([&] {
      TControl* control = viewPart.GetControl();
      if (!control) return;
      if (kind == okClick) control->Click();
      if (kind == okDblClick) control->DblClick();
      if (kind == okPopup) {
        bool handled = false;
        control->ContextPopup(TPoint{1, 1}, handled);
      }
    });
  }

  // Reads every key, then writes one with a value of any type.
  void WriteKey(std::uint8_t which, std::uint8_t value) {
    INUVDataContext& data = FHost.Data();
    const auto keys = data.Keys();
    for (const auto& key : keys) FuzzStep([&] { data.ReadValue(key); });
    static const std::array<const char*, 8> texts{"", "Text", "0", "1", "True", "-5", "${User}", "#FF0000"};
    TNUVValue written;
    if (value % 3 == 0) written = std::string(texts[value / 3 % texts.size()]);
    if (value % 3 == 1) written = static_cast<int>(value / 3) - 20;
    if (value % 3 == 2) written = (value / 3) % 2 == 1;
    const std::string key = keys.empty() ? "Unknown" : keys[which % keys.size()];
    FuzzStep([&] { data.WriteValue(key, written); });
  }

  // As a host finalizes one view part: it is finalized, then released.
  void Finalize(std::uint8_t index) {
    auto& slot = FViewParts[index % FViewParts.size()];
    if (!slot) return;
    FuzzStep([&] { slot->Finalize(); });
    std::erase_if(FShownIn, [&](const auto& shown) { return shown.first == slot.get() || shown.second == slot.get(); });
    slot = nullptr;
  }

  void ClickItem(INUVViewPart& viewPart, std::uint8_t value) {
    FuzzGestureStep([&] {
      TControl* control = viewPart.GetControl();
      if (auto* toolbar = dynamic_cast<TTBCustomToolbar*>(control)) {
        TTBCustomItem* items = toolbar->Items();
        if (items->Count() == 0) return;
        TTBCustomItem* item = items->GetItem(value % items->Count());
        if (item->Count() > 0) item = item->GetItem(value / 16 % item->Count());
        item->Click();
      } else if (auto* statusBar = dynamic_cast<TTBXCustomStatusBar*>(control)) {
        const int index = value % (statusBar->Panels().Count() + 1);
        (value & 0x80) ? statusBar->PanelDblClick(index) : statusBar->PanelClick(index);
      }
    });
  }

  void SetWorkSpace(INUVViewPart& viewPart, INUVViewPart* workSpaceViewPart, std::uint8_t value) {
    auto workSpace = Supports<INUVWorkSpace>(static_cast<IInterface*>(workSpaceViewPart));
    FuzzStep([&] { viewPart.SetWorkSpace(value & 1 ? workSpace.get() : nullptr); });
  }

  void Query(INUVViewPart& viewPart) {
    FuzzStep([&] { viewPart.GetVisible(); });
    FuzzStep([&] { viewPart.GetCaption(); });
    FuzzStep([&] { viewPart.DefaultAlign(); });
    FuzzStep([&] { viewPart.GetExtData(); });
    FuzzStep([&] { viewPart.GetIsFocused(); });
  }

  TTestHost& FHost;
  std::vector<TIntfPtr<INUVViewPart>> FViewParts;
  std::set<std::pair<INUVViewPart*, INUVViewPart*>> FShownIn;  // (view part, work space it was shown in)
  bool FRunning = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFuzzInput input(data, size);
  std::vector<int> kinds(static_cast<size_t>(1 + input.Choose(KMaxViewParts)));
  for (int& kind : kinds) kind = input.Choose(static_cast<int>(KFactories.size()));
  std::vector<THostOperation> operations(static_cast<size_t>(input.Choose(KMaxOperations + 1)));
  for (auto& op : operations) op = {input.Byte(), input.Byte(), input.Byte(), input.Byte()};

  TIntfPtr<IXMLNode> extData;
  if (!input.Rest().empty()) FuzzStep([&] { extData = LoadXMLDocument(input.Rest(), "ExtData.xml"); });
  if (!input.Rest().empty() && !extData) return 0;

  TTestHost host;
  PrepareFuzzHost(host);
  TFuzzRun run(host);
  for (size_t i = 0; i < kinds.size(); ++i) run.Create(kinds[i], "VP" + std::to_string(i), extData);
  for (const auto& op : operations) run.Apply(op);
  run.Finish();
  return 0;
}
