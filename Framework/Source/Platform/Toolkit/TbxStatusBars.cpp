// The status bar, its panel collection and its panels.
#include "TbxStatusBars.h"

#include <algorithm>
#include <cstdint>

#include "KolEnums.h"
#include "KolExceptions.h"
#include "TbxFields.h"
#include "TbxLayoutCounters.h"
#include "TbxMetrics.h"
#include "TbxPeers.h"
#include "TbxTextBlocks.h"

using namespace TbxMetrics;

const TEnumTypeInfo& TextTruncationTypeInfo() {
  static const TEnumTypeInfo info("TTextTruncation", "twNone, twEndEllipsis, twPathEllipsis");
  return info;
}

// ---------------------------------------------------------------------------------------------
// TTBXStatusPanel

TTBXStatusPanel::TTBXStatusPanel(TTBXStatusPanels* collection) : FCollection(collection) {
  NUV_ASSERT(collection != nullptr);
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

void TTBXStatusPanel::SetCaption(const std::string& caption) {
  if (UpdateField(FCaption, caption)) FCollection->GetStatusBar().Repaint();
}

void TTBXStatusPanel::SetAlignment(TAlignment alignment) {
  if (UpdateField(FAlignment, alignment)) FCollection->GetStatusBar().Repaint();
}

void TTBXStatusPanel::SetFramed(bool framed) {
  if (UpdateField(FFramed, framed)) FCollection->GetStatusBar().Repaint();
}

void TTBXStatusPanel::SetImageIndex(int index) {
  if (UpdateField(FImageIndex, index)) FCollection->GetStatusBar().Repaint();
}

TRect TTBXStatusPanel::GetContentRect() const { return FBounds.Inset(StatusPanelInset); }

TRect TTBXStatusPanel::GetImageRect() const {
  const TCustomImageList* images = FCollection->GetStatusBar().GetImages();
  if (!images || FImageIndex < 0 || FImageIndex >= images->Count()) return {};
  const TRect content = GetContentRect();
  const int size = std::min({ImageSize, content.Width, content.Height});
  return {content.Left, content.Top + (content.Height - size) / 2, size, size};
}

TRect TTBXStatusPanel::GetTextRect() const {
  const TRect content = GetContentRect();
  const TRect image = GetImageRect();
  return image.Empty() ? content : content.Inset(image.Width + GlyphGap, 0, 0, 0);
}

std::string TTBXStatusPanel::GetDisplayText() const {
  const auto lines = TbxText::Lines(FCollection->GetStatusBar().Font(), FCaption, FTextTruncation, GetTextRect().Width);
  return lines.empty() ? std::string() : lines.front();
}

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

void TTBXStatusPanels::OutOfRange(int index) const {
  throw Exception("panel index " + std::to_string(index) + " out of range 0.." + std::to_string(Count() - 1));
}

int TTBXStatusPanels::IndexOf(const TTBXStatusPanel* panel) const {
  auto it = std::find(FItems.begin(), FItems.end(), panel);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

// Each panel takes itself out as it is destroyed, so the front is always the next one.
void TTBXStatusPanels::Clear() {
  while (!FItems.empty()) delete FItems.front();
}

TTBXStatusPanel* TTBXStatusPanels::Add() { return Add(std::make_unique<TTBXStatusPanel>(this)); }

void TTBXStatusPanels::Attach(std::unique_ptr<TTBXStatusPanel> panel) {
  NUV_ASSERT(panel && panel->GetCollection() == this && IndexOf(panel.get()) < 0);
  FItems.push_back(panel.get());
  panel.release();  // the list owns it now
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
  TakePreferredSize();
}

// The panels go while the bar is still whole: their destructors may reach out (a view part's
// panel withdraws its data keys).
TTBXCustomStatusBar::~TTBXCustomStatusBar() {
  Destroying();
  FPanels.Clear();
}

void TTBXCustomStatusBar::Repaint() {
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
}

void TTBXCustomStatusBar::SetSizeGrip(bool sizeGrip) {
  if (UpdateField(FSizeGrip, sizeGrip)) PanelsChanged();
}

void TTBXCustomStatusBar::SetImages(TCustomImageList* images) {
  if (images == FImages) return;
  FImages = images;
  AdjustSize();
  PanelsChanged();
}

void TTBXCustomStatusBar::SetSimplePanel(bool simplePanel) {
  if (UpdateField(FSimplePanel, simplePanel)) PanelsChanged();
}

void TTBXCustomStatusBar::SetSimpleText(const std::string& text) {
  if (UpdateField(FSimpleText, text)) Repaint();
}

void TTBXCustomStatusBar::BeginUpdate() { ++FUpdateCount; }

void TTBXCustomStatusBar::EndUpdate() {
  NUV_ASSERT(FUpdateCount > 0);
  if (--FUpdateCount > 0) return;
  CountCompletedUpdate(*this);
  ArrangePanels();
}

TSize TTBXCustomStatusBar::GetPreferredSize(int) const {
  const int content = std::max(TbxText::LineHeight(Font()), FImages ? ImageSize : 0);
  return {GetWidth(), content + 2 * StatusBarPadding + StatusBarTopLine};
}

TRect TTBXCustomStatusBar::GetSizeGripRect() const {
  if (!FSizeGrip) return {};
  const int width = SizeGripWidthNow();
  return {GetWidth() - width, StatusBarTopLine, width, std::max(0, GetHeight() - StatusBarTopLine)};
}

TRect TTBXCustomStatusBar::GetSimpleTextRect() const {
  return TRect{0, StatusBarTopLine, GetWidth() - SizeGripWidthNow(), GetHeight() - StatusBarTopLine}.Inset(
      StatusPanelInset);
}

int TTBXCustomStatusBar::PanelAt(TPoint point) const {
  if (FSimplePanel) return -1;
  for (int i = 0; i < FPanels.Count(); ++i)
    if (FPanels.GetItem(i)->GetBounds().Contains(point)) return i;
  return -1;
}

void TTBXCustomStatusBar::AlignControls() {
  TWinControl::AlignControls();
  ArrangePanels();
}

void TTBXCustomStatusBar::PanelsChanged() {
  if (FUpdateCount == 0 && !IsDestroying()) ArrangePanels();
}

bool TTBXCustomStatusBar::PlacesChild(const TControl& child) const {
  for (int i = 0; i < FPanels.Count(); ++i)
    if (FPanels.GetItem(i)->GetControl() == &child) return true;
  return TWinControl::PlacesChild(child);
}

// A panel's control that sizes itself anew is put back to fill its panel.
void TTBXCustomStatusBar::ChildChanged(TControl& child) {
  if (PlacesChild(child)) PanelsChanged();
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

// Panels stand left to right from the bar's left edge below its top line; the width that their
// sizes leave free (less the size grip) goes to them by stretch priority. A panel's control
// fills the panel inside its frame.
void TTBXCustomStatusBar::ArrangePanels() {
  Repaint();
  const std::span<TTBXStatusPanel* const> panels = FPanels.Items();
  // Panels reach no further than the size grip: what lies past it is cut off.
  const std::int64_t end = std::int64_t{GetWidth()} - SizeGripWidthNow();
  std::int64_t free = end;
  std::int64_t priorities = 0;
  for (const TTBXStatusPanel* panel : panels) {
    free -= PanelSize(*panel);
    priorities += panel->GetStretchPriority();
  }
  const int height = std::max(0, GetHeight() - StatusBarTopLine);
  std::int64_t left = 0;
  for (TTBXStatusPanel* panel : panels) {
    const std::int64_t width = PanelWidth(*panel, free, priorities);
    const std::int64_t shown = std::clamp<std::int64_t>(end - left, 0, width);
    panel->FBounds =
        FSimplePanel ? TRect{} : TRect{ClampPixels(std::min(left, end)), StatusBarTopLine, ClampPixels(shown), height};
    if (TControl* control = panel->GetControl(); control && control->GetParent() == this)
      PlaceChild(*control, panel->FBounds.Empty() ? TRect{} : panel->GetContentRect());
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
