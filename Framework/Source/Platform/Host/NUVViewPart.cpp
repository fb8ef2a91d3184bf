#include "NUVViewPart.h"

#include <algorithm>
#include <memory>
#include <typeinfo>
#include <utility>

#include "NUVConfig.h"

namespace {
// The work spaces of this host's classes keep a list of the children that name them.
TNUVCustomWorkSpaceViewPart* WorkSpaceObject(INUVWorkSpace* workSpace) {
  return dynamic_cast<TNUVCustomWorkSpaceViewPart*>(workSpace);
}
}  // namespace

TNUVCustomViewPart::TNUVCustomViewPart(IQIMExtension* extension, INUVWorkItem* workItem)
    : FExtension(extension), FWorkItem(workItem) {
  if (extension) {
    FName = extension->GetName();
    FCaption = extension->GetCaption();
  }
}

TNUVCustomViewPart::~TNUVCustomViewPart() { LeaveWorkSpace(); }

TIntfPtr<IXMLNode> TNUVCustomViewPart::GetExtData() { return FExtension ? FExtension->GetExtData() : nullptr; }

TObject* TNUVCustomViewPart::DoFindMethodInstance(const std::string&) { return this; }

bool TNUVCustomViewPart::GetSupportWorkSpaces() { return false; }

std::string TNUVCustomViewPart::DefaultAlign() { return {}; }

void TNUVCustomViewPart::ReportHostEvent(TNUVEventKind kind) {
  if (!FWorkItem) return;
  if (auto broker = FWorkItem->GetEventBroker()) {
    TNUVEvent event;
    event.Kind = kind;
    event.ViewPart = FName;
    broker->Publish(event);
  }
}

void TNUVCustomViewPart::DoClick(TObject*) { ReportHostEvent(ekClick); }

void TNUVCustomViewPart::DoDblClick(TObject*) { ReportHostEvent(ekDblClick); }

void TNUVCustomViewPart::DoContextPopup(TObject*, TPoint, bool&) { ReportHostEvent(ekContextPopup); }

TIntfPtr<IXMLNode> TNUVCustomViewPart::DoGetPopupMenuNode() {
  return GetChildNode(GetExtData().get(), "PopupMenu", false);
}

void TNUVCustomViewPart::Initialize() { FInitialized = true; }

void TNUVCustomViewPart::Finalize() {
  LeaveWorkSpace();
  FInitialized = false;
}

void TNUVCustomViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {}

void TNUVCustomViewPart::DoWorkItemStopping(const std::string&, INUVParamContext*, bool&) {}

void TNUVCustomViewPart::SetWorkSpace(INUVWorkSpace* workSpace) {
  LeaveWorkSpace();
  FWorkSpace = workSpace;
  if (auto* joined = WorkSpaceObject(workSpace)) joined->FChildren.push_back(this);
}

void TNUVCustomViewPart::LeaveWorkSpace() {
  if (auto* left = WorkSpaceObject(std::exchange(FWorkSpace, nullptr))) std::erase(left->FChildren, this);
}

void TNUVCustomViewPart::SetIsFocused(bool focused) {
  FIsFocused = focused;
  if (!focused) return;
  if (auto* control = dynamic_cast<TWinControl*>(GetControl())) control->SetFocus();
  ReportHostEvent(ekFocus);
}

bool TNUVCustomViewPart::GetVisible() {
  TControl* control = GetControl();
  return control && control->GetVisible();
}

TIntfPtr<INUVDataContext> TNUVCustomViewPart::GetDataContext() const {
  return FWorkItem ? FWorkItem->GetDataContext() : nullptr;
}

TIntfPtr<INUVServiceCenter> TNUVCustomViewPart::GetServiceCenter() const {
  return FWorkItem ? FWorkItem->GetServiceCenter() : nullptr;
}

void TNUVCustomViewPart::CreateAction(const std::string& commandID, bool assign) {
  if (commandID.empty()) return;
  auto service = GetActionService(GetWorkItem(), SActionServiceID);
  TControl* control = GetControl();
  if (!service || !control) return;
  TCustomAction* action = control->InsertComponent(service->CreateAction(commandID));
  if (action && assign) control->SetAction(action);
}

namespace {
// The topic with its %s filled by name. Topics hold one %s and no other directive, and a key that
// changes fires one every time: those are filled without the printf machinery.
std::string FilledTopic(std::string_view topic, const std::string& name) {
  const std::size_t at = topic.find('%');
  if (at == std::string_view::npos || topic.compare(at, 2, "%s") != 0 ||
      topic.find('%', at + 2) != std::string_view::npos)
    return fmt::sprintf(topic, name);
  std::string filled;
  filled.reserve(topic.size() - 2 + name.size());
  return filled.append(topic, 0, at).append(name).append(topic, at + 2);
}
}  // namespace

struct TNUVCustomViewPart::TFiredTopic {
  std::string Template;    // the topic as given, before its %s is filled
  std::string SenderType;  // the mangled name of the sender's class, "" for none
  TNUVEvent Event;
};

namespace {
const char* MangledClassName(const TObject* sender) { return sender ? typeid(*sender).name() : ""; }
}  // namespace

void TNUVCustomViewPart::DoFireSimpleEvent(std::string_view topic, TObject* sender) {
  if (!FWorkItem) return;
  auto broker = FWorkItem->GetEventBroker();
  if (!broker) return;
  // The type's name is compared as text: a type_info of another module may be gone by now.
  const char* senderType = MangledClassName(sender);
  std::shared_ptr<const TFiredTopic> fired = FLastFired;
  if (!fired || fired->Template != topic || fired->Event.ViewPart != FName || fired->SenderType != senderType) {
    TFiredTopic made{std::string(topic), senderType, {}};
    made.Event.Kind = ekTopic;
    made.Event.Topic = FilledTopic(topic, FName);
    made.Event.ViewPart = FName;
    if (sender) made.Event.SenderClass = sender->ClassName();
    fired = FLastFired = std::make_shared<const TFiredTopic>(std::move(made));
  }
  // The local reference keeps the event while a handler fires another topic or releases this view part.
  broker->Publish(fired->Event);
}

// ---------------------------------------------------------------------------------------------

TNUVCustomWorkSpaceViewPart::~TNUVCustomWorkSpaceViewPart() { ForgetChildren(); }

void TNUVCustomWorkSpaceViewPart::Finalize() {
  ForgetChildren();
  TNUVCustomViewPart::Finalize();
}

void TNUVCustomWorkSpaceViewPart::ForgetChildren() {
  for (TNUVCustomViewPart* child : std::exchange(FChildren, {})) child->FWorkSpace = nullptr;
}

bool TNUVCustomWorkSpaceViewPart::HoldsChild(INUVViewPart* child) {
  TControl* control = child->GetControl();
  if (!control) return child->GetWorkSpace() == this;
  const TControl* own = GetControl();
  for (const TControl* c = control->GetParent(); c; c = c->GetParent())
    if (c == own) return true;
  return false;
}

bool TNUVCustomWorkSpaceViewPart::GetSupportWorkSpaces() { return true; }

void TNUVCustomWorkSpaceViewPart::BindChildViewPart(INUVViewPart* child, TWinControl* parent, TAlign align) {
  NUV_ASSERT(child != nullptr);
  if (TControl* control = child->GetControl()) {
    control->SetParent(parent);
    control->SetAlign(align);
    control->SetVisible(true);
  }
  child->SetWorkSpace(this);
}

void TNUVCustomWorkSpaceViewPart::UnBindChildViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  TControl* control = child->GetControl();
  if (control && HoldsChild(child)) control->SetParent(nullptr);
  if (child->GetWorkSpace() == this) child->SetWorkSpace(nullptr);
}

namespace {
TAlign ChildDefaultAlign(INUVViewPart* child) {
  int ordinal = alNone;
  TryGetEnumValue(child->DefaultAlign(), TypeInfo<TAlign>(), "al", ordinal);
  return static_cast<TAlign>(ordinal);
}
}  // namespace

void TNUVCustomWorkSpaceViewPart::ShowViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  BindChildViewPart(child, dynamic_cast<TWinControl*>(GetControl()), ChildDefaultAlign(child));
}

void TNUVCustomWorkSpaceViewPart::HideViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  if (TControl* control = child->GetControl()) control->SetVisible(false);
}

void TNUVCustomWorkSpaceViewPart::CloseViewPart(INUVViewPart* child) { UnBindChildViewPart(child); }

void TNUVCustomWorkSpaceViewPart::ActivateViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  TNUVWorkItemUtils::SetViewPartFocused(child, true);
}

void TNUVCustomWorkSpaceViewPart::ApplyViewPartInfo(INUVViewPart*) {}

// ---------------------------------------------------------------------------------------------

int TNUVViewPartList::IndexOf(const INUVViewPart* viewPart) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == viewPart) return static_cast<int>(i);
  return -1;
}

TNUVMultiBindingViewPart::~TNUVMultiBindingViewPart() = default;

void TNUVMultiBindingViewPart::Finalize() {
  FBoundViewParts.Clear();
  TNUVCustomWorkSpaceViewPart::Finalize();
}

void TNUVMultiBindingViewPart::ShowViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  if (FBoundViewParts.IndexOf(child) < 0) {
    PlaceChildViewPart(child);
    if (ActiveOnAdd()) DoActiveViewPart(child);
  } else if (TControl* control = child->GetControl()) {
    control->SetVisible(true);
  }
  if (AutoActive()) DoActiveViewPart(child);
}

int TNUVMultiBindingViewPart::CheckBound(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  int index = FBoundViewParts.IndexOf(child);
  if (index < 0) NUVViewPartErrorFmt(this, SViewPartNotOnMe, child->GetName(), GetName());
  return index;
}

// A control that another work space has taken since is not this work space's to hide.
void TNUVMultiBindingViewPart::HideViewPart(INUVViewPart* child) {
  CheckBound(child);
  if (HoldsChild(child)) TNUVCustomWorkSpaceViewPart::HideViewPart(child);
}

void TNUVMultiBindingViewPart::ActivateViewPart(INUVViewPart* child) {
  CheckBound(child);
  TNUVCustomWorkSpaceViewPart::ActivateViewPart(child);
}

void TNUVMultiBindingViewPart::CloseViewPart(INUVViewPart* child) {
  int index = CheckBound(child);
  UnBindChildViewPart(child);
  FBoundViewParts.Delete(index);
}

bool TNUVMultiBindingViewPart::ActiveOnAdd() { return false; }

bool TNUVMultiBindingViewPart::AutoActive() { return false; }

TAlign TNUVMultiBindingViewPart::BindChildAlign() { return alClient; }

void TNUVMultiBindingViewPart::DoActiveViewPart(INUVViewPart* child) {
  TNUVWorkItemUtils::SetViewPartFocused(child, true);
}

void TNUVMultiBindingViewPart::PlaceChildViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  FBoundViewParts.Add(child);
  BindChildViewPart(child, dynamic_cast<TWinControl*>(GetControl()), BindChildAlign());
}
