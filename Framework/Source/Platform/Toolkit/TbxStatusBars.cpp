// The status bar, its panel collection and its panels.
#include "TbxStatusBars.h"

#include <algorithm>
#include <cstdint>

#include "KolEnums.h"
#include "KolExceptions.h"
#include "TbxFields.h"

const TEnumTypeInfo& TextTruncationTypeInfo() {
  static const TEnumTypeInfo info("TTextTruncation", "twNone, twEndEllipsis, twPathEllipsis");
  return info;
}

// ---------------------------------------------------------------------------------------------
// TTBXStatusPanel

TTBXStatusPanel::TTBXStatusPanel(TTBXStatusPanels* collection) : FCollection(collection) {
  NUV_ASSERT(collection != nullptr);
  FCollection->Attach(this);
}

// The panel leaves its collection before the bar lays out anew; a handler that raises during that
// layout must not escape a destructor, and the panel is gone either way.
TTBXStatusPanel::~TTBXStatusPanel() {
  try {
    FCollection->Detach(this);
  } catch (...) {
  }
}

int TTBXStatusPanel::GetIndex() const { return FCollection->IndexOf(this); }

std::string TTBXStatusPanel::GetDisplayName() const { return {}; }

void TTBXStatusPanel::Changed() { FCollection->Changed(); }

void TTBXStatusPanel::SetSize(int size) {
  if (UpdateField(FSize, size)) Changed();
}

void TTBXStatusPanel::SetMaxSize(int maxSize) {
  if (UpdateField(FMaxSize, maxSize)) Changed();
}

void TTBXStatusPanel::SetStretchPriority(int priority) {
  if (priority < 0 || priority > 100)
    throw Exception("stretch priority " + std::to_string(priority) + " is out of range 0..100");
  if (UpdateField(FStretchPriority, priority)) Changed();
}

void TTBXStatusPanel::SetTextTruncation(TTextTruncation truncation) {
  if (static_cast<int>(truncation) < 0 || static_cast<int>(truncation) >= TextTruncationTypeInfo().Count())
    throw Exception("text truncation " + EnumIdentifier(truncation) + " is not one of " +
                    EnumNamesText(TextTruncationTypeInfo(), ""));
  FTextTruncation = truncation;
}

void TTBXStatusPanel::SetControl(TControl* control) {
  TTBXCustomStatusBar& bar = FCollection->GetStatusBar();
  for (TControl* c = &bar; c; c = c->GetParent())
    if (c == control)
      throw Exception("control " + (control->GetName().empty() ? control->ClassName() : control->GetName()) +
                      " contains the status bar and cannot sit in its panel");
  FControl = control;
  if (control) control->SetParent(&bar);
  Changed();
}

// ---------------------------------------------------------------------------------------------
// TTBXStatusPanels

TTBXStatusPanels::~TTBXStatusPanels() { Clear(); }

TTBXStatusPanel* TTBXStatusPanels::GetItem(int index) const {
  if (index < 0 || index >= Count())
    throw Exception("panel index " + std::to_string(index) + " out of range 0.." + std::to_string(Count() - 1));
  return FItems[static_cast<size_t>(index)];
}

int TTBXStatusPanels::IndexOf(const TTBXStatusPanel* panel) const {
  auto it = std::find(FItems.begin(), FItems.end(), panel);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

// Each panel takes itself out as it is destroyed, so the front is always the next one.
void TTBXStatusPanels::Clear() {
  while (!FItems.empty()) delete FItems.front();
}

void TTBXStatusPanels::Attach(TTBXStatusPanel* panel) {
  FItems.push_back(panel);
  Changed();
}

void TTBXStatusPanels::Detach(TTBXStatusPanel* panel) {
  if (std::erase(FItems, panel) > 0) Changed();
}

void TTBXStatusPanels::Changed() { FStatusBar.PanelsChanged(); }

// ---------------------------------------------------------------------------------------------
// TTBXCustomStatusBar

TTBXCustomStatusBar::TTBXCustomStatusBar(TComponent* owner) : TWinControl(owner) {
  SetAlign(alBottom);
  SetHeight(22);
}

// The panels go while the bar is still whole: their destructors may reach out (a view part's
// panel withdraws its data keys).
TTBXCustomStatusBar::~TTBXCustomStatusBar() {
  Destroying();
  FPanels.Clear();
}

void TTBXCustomStatusBar::SetSizeGrip(bool sizeGrip) {
  if (UpdateField(FSizeGrip, sizeGrip)) PanelsChanged();
}

void TTBXCustomStatusBar::BeginUpdate() { ++FUpdateCount; }

void TTBXCustomStatusBar::EndUpdate() {
  NUV_ASSERT(FUpdateCount > 0);
  if (--FUpdateCount > 0) return;
  ++FCompletedUpdates;
  ArrangePanels();
}

void TTBXCustomStatusBar::AlignControls() {
  TWinControl::AlignControls();
  ArrangePanels();
}

void TTBXCustomStatusBar::PanelsChanged() {
  if (FUpdateCount == 0 && !IsDestroying()) ArrangePanels();
}

namespace {
// Sizes come from configuration and data keys, so they may add up past any int: the layout is
// reckoned in 64 bits, and a panel takes at most the largest extent of a control.
std::int64_t PanelSize(const TTBXStatusPanel& panel) {
  return std::clamp<std::int64_t>(panel.GetSize(), 0, MaxControlExtent);
}

// The panel's size plus its share of the free width, held to MaxSize when that is set.
std::int64_t PanelWidth(const TTBXStatusPanel& panel, std::int64_t free, std::int64_t priorities) {
  const std::int64_t size = PanelSize(panel);
  if (free <= 0 || priorities == 0) return size;
  const std::int64_t width = size + free * panel.GetStretchPriority() / priorities;
  return panel.GetMaxSize() > 0 ? std::min(width, std::max<std::int64_t>(size, panel.GetMaxSize())) : width;
}
}  // namespace

// Panels stand left to right up to the largest extent of a control; what lies beyond it is cut
// off there, and a panel that starts there has no width.
void TTBXCustomStatusBar::ArrangePanels() {
  std::int64_t free = std::int64_t{GetWidth()} - (FSizeGrip ? SizeGripWidth : 0);
  std::int64_t priorities = 0;
  for (int i = 0; i < FPanels.Count(); ++i) {
    free -= PanelSize(*FPanels.GetItem(i));
    priorities += FPanels.GetItem(i)->GetStretchPriority();
  }
  int left = 0;
  for (int i = 0; i < FPanels.Count(); ++i) {
    const TTBXStatusPanel* panel = FPanels.GetItem(i);
    const int width =
        static_cast<int>(std::min<std::int64_t>(PanelWidth(*panel, free, priorities), MaxControlExtent - left));
    if (TControl* control = panel->GetControl()) control->SetBounds(left, 0, width, GetHeight());
    left += width;
  }
}

TTBXStatusPanel* TTBXCustomStatusBar::ClickedPanel(int index) const {
  if (FSimplePanel)
    throw Exception("the status bar shows its simple text: panel " + std::to_string(index) + " cannot be clicked");
  return FPanels.GetItem(index);
}

void TTBXCustomStatusBar::PanelClick(int index) {
  TTBXStatusPanel* panel = ClickedPanel(index);
  if (OnPanelClick) OnPanelClick(this, panel);
}

void TTBXCustomStatusBar::PanelDblClick(int index) {
  TTBXStatusPanel* panel = ClickedPanel(index);
  if (OnPanelDblClick) OnPanelDblClick(this, panel);
}

TTBXStatusBar::TTBXStatusBar(TComponent* owner) : TTBXCustomStatusBar(owner) {}
TTBXStatusBar::~TTBXStatusBar() = default;
