#include "LifecycleWorld.h"

#include "NUVCheckBoxViewPart.h"
#include "NUVDockablePanelViewPart.h"
#include "NUVLabelViewPart.h"
#include "NUVLinkViewPart.h"
#include "NUVMultiDockPanelViewPart.h"
#include "NUVRadioButtonViewPart.h"
#include "NUVStatusBarViewPart.h"
#include "NUVToolbarDockViewPart.h"
#include "NUVToolbarViewPart.h"

namespace {

// A view part of class T that reports its construction and destruction and whether it ran.
template <class T>
class TTracked : public T {
 public:
  TTracked(IQIMExtension* extension, INUVWorkItem* workItem, TLiveViewParts& live, TLiveViewPart entry)
      : T(extension, workItem), FLive(live) {
    entry.Object = this;
    FLive.Add(this, entry);
  }
  void Initialize() override {
    SetRan(false);
    T::Initialize();
  }
  void Finalize() override {
    T::Finalize();
    SetRan(false);
  }
  void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) override {
    T::DoWorkItemRunning(name, context, handled);
    SetRan(true);
  }

 protected:
  ~TTracked() override { FLive.Remove(this); }

 private:
  void SetRan(bool ran) {
    if (TLiveViewPart* entry = FLive.Find(this)) entry->Ran = ran;
  }
  TLiveViewParts& FLive;
};

template <class T>
TIntfPtr<INUVViewPart> NewTracked(IQIMExtension* extension, INUVWorkItem* workItem, TLiveViewParts& live,
                                  const TLiveViewPart& entry) {
  return MakeCounted<TTracked<T>>(extension, workItem, live, entry);
}

TIntfPtr<INUVViewPart> NewViewPart(IQIMExtension* extension, INUVWorkItem* workItem, TLiveViewParts& live,
                                   const TLiveViewPart& entry) {
  switch (entry.Kind) {
    case TLifeKind::Label:
      return NewTracked<TNUVLabelViewPart>(extension, workItem, live, entry);
    case TLifeKind::Link:
      return NewTracked<TNUVLinkViewPart>(extension, workItem, live, entry);
    case TLifeKind::RadioButton:
      return NewTracked<TNUVRadioButtonViewPart>(extension, workItem, live, entry);
    case TLifeKind::CheckBox:
      return NewTracked<TNUVCheckBoxViewPart>(extension, workItem, live, entry);
    case TLifeKind::ToolbarDock:
      return NewTracked<TNUVToolbarDockViewPart>(extension, workItem, live, entry);
    case TLifeKind::DockablePanel:
      return NewTracked<TNUVDockablePanelViewPart>(extension, workItem, live, entry);
    case TLifeKind::MultiDockPanel:
      return NewTracked<TNUVMultiDockPanelViewPart>(extension, workItem, live, entry);
    case TLifeKind::Toolbar:
      return NewTracked<TNUVToolBarViewPart>(extension, workItem, live, entry);
    case TLifeKind::StatusBar:
      return NewTracked<TNUVStatusBarViewPart>(extension, workItem, live, entry);
  }
  return nullptr;
}

std::string Ext(const std::string& inside) { return "<ExtData>" + inside + "</ExtData>"; }

// Main (root) holds the main toolbar and every kind of work space; Doc (in Main) a toolbar that
// merges into the main toolbar; Sub (in Doc) a toolbar that merges into Doc's and a plain one.
// Children name panels and group indexes, some of them wrongly on purpose.
std::vector<TSlotDecl> Declarations() {
  using K = TLifeKind;
  return {
      {"MainToolbar", K::Toolbar, 0,
       Ext(R"(<Toolbar><ServiceID>Main.Toolbar</ServiceID><Item Caption="A"/><Item Caption="B" GroupIndex="5"/>
              <Item Caption="C" GroupIndex="7"><Item Caption="C1"/><Item Caption="C2" GroupIndex="20"/></Item>
              <Item Caption="D" GroupIndex="10" CommandID="File.Open"/></Toolbar>)"),
       "Main.Toolbar"},
      {"Dock", K::ToolbarDock, 0,
       Ext("<ToolbarDock><Position>Top</Position><BoundLines>Top</BoundLines></ToolbarDock>")},
      {"MultiDock", K::ToolbarDock, 0,
       Ext("<ToolbarDock><MultiDock>True</MultiDock><Position>Right</Position></ToolbarDock>")},
      {"Panel", K::DockablePanel, 0, Ext("<DockablePanel/><PanelID>Msg</PanelID><GroupIndex>6</GroupIndex>")},
      {"Side", K::MultiDockPanel, 0, Ext("<MultiDockPanel><DockSize>120</DockSize></MultiDockPanel>")},
      {"Status",
       K::StatusBar,
       0,
       Ext(R"(<StatusBar><Panels><Panel ID="Pos" Size="80" StretchPriority="30"/><Panel Caption="plain"/>
              <Panel ID="Msg"/></Panels></StatusBar>)"),
       "",
       false,
       {"Pos", "Msg"}},
      {"Hint", K::StatusBar, 0,
       Ext("<StatusBar><SimplePanel>True</SimplePanel><SimpleText>Ready</SimpleText></StatusBar>"), "", true},
      {"Title", K::Label, 0,
       Ext("<Label><CommandID>File.Open</CommandID></Label><PanelID>Pos</PanelID><GroupIndex>3</GroupIndex>")},
      {"Home", K::Link, 0, Ext("<TBXLink><ImageFile>home.png</ImageFile></TBXLink><PanelID>pos</PanelID>")},
      {"OptA", K::RadioButton, 0,
       Ext("<TBXRadioButton><GroupIndex>1</GroupIndex><Checked>True</Checked></TBXRadioButton>"
           "<GroupIndex>5</GroupIndex>")},
      {"OptB", K::RadioButton, 0,
       Ext("<TBXRadioButton><GroupIndex>1</GroupIndex></TBXRadioButton><PanelID>Nowhere</PanelID>")},
      {"Flag", K::CheckBox, 0, Ext("<TBXCheckBox><AllowGrayed>True</AllowGrayed></TBXCheckBox><PanelID>Msg</PanelID>")},
      {"DocBar", K::Toolbar, 1,
       Ext(R"(<Toolbar MergeWithMainToolbarViewPart="maintoolbar"><Item Caption="P" GroupIndex="5"/>
              <Item Caption="Q" GroupIndex="7"><Item Caption="Q1"/><Item Caption="Q2" GroupIndex="15"/>
              <Item Caption="Q3" GroupIndex="15"/></Item><Item Caption="R" GroupIndex="8" CommandID="Edit.Find"/>
              </Toolbar><GroupIndex>4</GroupIndex>)")},
      {"DocPanel", K::DockablePanel, 1, Ext("<DockablePanel><CloseButton>False</CloseButton></DockablePanel>")},
      {"DocFlag", K::CheckBox, 1,
       Ext("<TBXCheckBox><State>Grayed</State></TBXCheckBox><PanelID>MSG</PanelID><GroupIndex>9</GroupIndex>")},
      {"DocTitle", K::Label, 1, ""},
      {"SubBar", K::Toolbar, 2, Ext(R"(<Toolbar MergeWithMainToolbarViewPart="DocBar"><Item Caption="S" GroupIndex="5"/>
              <Item Caption="T" GroupIndex="8"><Item Caption="T1" GroupIndex="1"/></Item></Toolbar>)")},
      {"Tools", K::Toolbar, 2, Ext(R"(<Toolbar><Item Caption="X" GroupIndex="7"/><Item Caption="Y" GroupIndex="2"/>
              <Item Caption="Z" GroupIndex="5"/></Toolbar><GroupIndex>1</GroupIndex>)")},
      {"SubLink", K::Link, 2, Ext("<TBXLink/><PanelID>Pos</PanelID>")},
      {"SubOpt", K::RadioButton, 2, Ext("<TBXRadioButton><Checked>True</Checked></TBXRadioButton>")},
  };
}

}  // namespace

bool IsWorkSpaceKind(TLifeKind kind) {
  return kind == TLifeKind::ToolbarDock || kind == TLifeKind::DockablePanel || kind == TLifeKind::MultiDockPanel ||
         kind == TLifeKind::Toolbar || kind == TLifeKind::StatusBar;
}

TLiveViewPart* TLiveViewParts::Find(const INUVViewPart* intf) {
  auto it = FParts.find(intf);
  return it == FParts.end() ? nullptr : &it->second;
}

TLifeWorld::TLifeWorld(TLiveViewParts& live) : LiveParts(live) {
  Host.Actions().AddCommand({"File.Open", "Open", "", "", std::nullopt});
  Host.Actions().AddCommand({"Edit.Find", "Find", "", "", false});
  WorkItems.push_back({-1, nullptr, TIntfPtr<TNUVWorkItem>(&Host.WorkItem())});
  for (const char* id : {"Doc", "Sub"}) {
    TLifeWorkItem item;
    item.Parent = static_cast<int>(WorkItems.size()) - 1;
    const TLifeWorkItem& parent = WorkItems.back();
    item.HostControl = std::make_unique<TWinControl>(nullptr);
    item.HostControl->SetName(id);
    item.HostControl->SetParent(parent.Item->GetHostControl());
    item.HostControl->SetAlign(alClient);
    item.Item = MakeCounted<TNUVWorkItem>(id, item.HostControl.get(), parent.Item);
    WorkItems.push_back(std::move(item));
  }
  for (auto& decl : Declarations()) Slots.push_back({decl, nullptr, -1});
  for (size_t i = 0; i < Slots.size(); ++i) Create(i);
}

TLifeWorld::~TLifeWorld() { Teardown(); }

void TLifeWorld::Create(size_t index) {
  TSlot& slot = Slots[index];
  ++slot.Generation;
  const std::string name = slot.Decl.Name + (slot.Generation ? std::to_string(slot.Generation) : "");
  auto extension = Host.Extension(name, slot.Decl.Name + " caption", slot.Decl.ExtData);
  TLifeWorkItem& workItem = WorkItems[static_cast<size_t>(slot.Decl.WorkItem)];
  slot.ViewPart = NewViewPart(extension.get(), workItem.Item.get(), LiveParts,
                              {nullptr, slot.Decl.Kind, slot.Decl.WorkItem, index, false});
  slot.ViewPart->Initialize();
  NameControl(slot);
  if (IsRunning(slot.Decl.WorkItem)) {
    bool handled = false;
    slot.ViewPart->DoWorkItemRunning("", nullptr, handled);
  }
}

void TLifeWorld::NameControl(TSlot& slot) {
  if (TControl* control = slot.ViewPart->GetControl()) control->SetName(slot.Decl.Name);
}

TNUVCustomViewPart* TLifeWorld::Object(const TSlot& slot) {
  TLiveViewPart* live = Live(slot);
  return live ? live->Object : nullptr;
}

TLiveViewPart* TLifeWorld::Live(const TSlot& slot) {
  return slot.ViewPart ? LiveParts.Find(slot.ViewPart.get()) : nullptr;
}

void TLifeWorld::Teardown() {
  for (size_t w = WorkItems.size(); w-- > 0;) {
    if (!IsRunning(static_cast<int>(w))) continue;
    for (TSlot& slot : Slots) {
      if (slot.Decl.WorkItem != static_cast<int>(w) || !slot.ViewPart) continue;
      bool handled = false;
      if (Object(slot)->IsInitialized()) slot.ViewPart->DoWorkItemStopping("", nullptr, handled);
    }
    WorkItems[w].Item->SetState(wsStopped);
  }
  for (size_t i = Slots.size(); i-- > 0;)
    if (Slots[i].ViewPart && Object(Slots[i])->IsInitialized()) Slots[i].ViewPart->Finalize();
  for (size_t i = Slots.size(); i-- > 0;) Slots[i].ViewPart = nullptr;
}
