// The layout rules of docs/layout.md, one behaviour each: sizes that follow from the content, and
// a change that lays out only what it touches.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxLayoutCounters.h"
#include "TbxMetrics.h"
#include "TbxStackPanels.h"
#include "TbxStatusBars.h"
#include "TbxTextMetrics.h"
#include "TbxTestToolbars.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"

using namespace TbxMetrics;

namespace {

int LineHeight() { return TextMetrics().TextSize(TFont(), "x").Height; }

// An 800 x 600 window with a dock along its top.
struct TDockedWindow {
  TDockedWindow() {
    Window.SetBounds(0, 0, 800, 600);
    Dock.SetParent(&Window);
  }
  TWinControl Window{nullptr};
  TTBXDock Dock{nullptr};
};

TEST(LayoutRules, AToolbarIsAsWideAsItsItemsPlusBordersAndItsDragHandle) {
  TDockedWindow docked;
  TTBXDock& dock = docked.Dock;
  TTBXToolbar toolbar(nullptr);
  toolbar.SetParent(&dock);
  std::vector<TTBXItem*> items{AddButton(toolbar, "New"), AddButton(toolbar, "Open"), AddButton(toolbar, "Save")};
  int sum = 0, right = items[0]->GetBounds().Left;
  for (TTBXItem* item : items) {
    const TRect bounds = item->GetBounds();
    EXPECT_EQ(bounds.Left, right) << item->GetCaption() << ": items follow each other";
    EXPECT_EQ(bounds.Width, TextMetrics().TextWidth(TFont(), item->GetCaption()) + 2 * ItemPadding);
    sum += bounds.Width;
    right = bounds.Right();
  }
  EXPECT_EQ(toolbar.GetWidth(), sum + 2 * ToolbarBorder + DragHandleSize);
  EXPECT_EQ(toolbar.GetHeight(), std::max(ImageSize, LineHeight()) + 2 * ItemVerticalPadding + 2 * ToolbarBorder);
  EXPECT_EQ(dock.GetHeight(), toolbar.GetHeight());  // one row, as thick as its toolbar

  dock.SetAllowDrag(false);  // no handle to drag it by
  EXPECT_EQ(toolbar.GetWidth(), sum + 2 * ToolbarBorder);
}

// A toolbar keeps its buttons' sizes between layouts: each thing a button's size depends on
// must be seen when it changes, even those that tell the toolbar nothing.
TEST(LayoutRules, AToolbarMeasuresAButtonAgainWhenWhatItsSizeDependsOnChanges) {
  TDockedWindow docked;
  TTBXToolbar toolbar(nullptr);
  toolbar.SetParent(&docked.Dock);
  TTBXItem* item = AddButton(toolbar, "Open");
  const int frame = toolbar.GetDockedSize(false).Width - (TextMetrics().TextWidth(TFont(), "Open") + 2 * ItemPadding);
  const auto expectWidth = [&](int content, const char* after) {
    EXPECT_EQ(toolbar.GetDockedSize(false).Width, frame + content + 2 * ItemPadding) << "after " << after;
  };

  item->SetCaption("Open a file");
  expectWidth(TextMetrics().TextWidth(TFont(), "Open a file"), "a caption change");
  toolbar.Font().SetSize(20);
  expectWidth(TextMetrics().TextWidth(toolbar.Font(), "Open a file"), "a font change");
  item->Add(new TTBXItem(&toolbar));
  const int withArrow = TextMetrics().TextWidth(toolbar.Font(), "Open a file") + ItemArrowGap + ItemArrowSize;
  expectWidth(withArrow, "a sub-item came");

  // Images that come into the list tell the toolbar nothing; the next measure shows them.
  TCustomImageList images(nullptr);
  item->SetImageIndex(0);
  toolbar.SetImages(&images);
  expectWidth(withArrow, "an empty image list");
  images.Add("open.png");
  expectWidth(withArrow + ImageSize + GlyphGap, "an image came into the list");

  TextMetrics().SetBuiltInOnly(true);
  const int builtIn = TextMetrics().TextWidth(toolbar.Font(), "Open a file");
  expectWidth(builtIn + ItemArrowGap + ItemArrowSize + ImageSize + GlyphGap, "built-in metrics");
  TextMetrics().SetBuiltInOnly(false);

  // Inside a bracket the toolbar lays out nothing, but a measure sees the items as they are.
  toolbar.BeginUpdate();
  TTBXItem* first = new TTBXItem(&toolbar);
  first->SetCaption("New");
  toolbar.Items()->Insert(0, first);
  EXPECT_EQ(toolbar.GetDockedSize(false).Width, frame + withArrow + ImageSize + GlyphGap + 2 * ItemPadding +
                                                    TextMetrics().TextWidth(toolbar.Font(), "New") + 2 * ItemPadding);
  toolbar.EndUpdate();
  toolbar.SetImages(nullptr);
}

TEST(LayoutRules, ALeftDocksRowsStandSideBySideEachAsWideAsItsWidestToolbar) {
  TDockedWindow docked;
  TTBXDock& dock = docked.Dock;
  dock.SetPosition(dpLeft);
  dock.SetAllowDrag(false);
  TTBXToolbar narrow(nullptr), wide(nullptr), beside(nullptr);
  for (TTBXToolbar* toolbar : {&narrow, &wide, &beside}) toolbar->SetParent(&dock);
  AddButton(narrow, "A");
  TTBXItem* first = AddButton(wide, "Wider caption");
  TTBXItem* second = AddButton(wide, "B");
  AddButton(beside, "C");
  narrow.SetDockRow(0);
  wide.SetDockRow(1);
  beside.SetDockRow(1);
  // A vertical toolbar stacks its items downwards and is as wide as its widest one.
  EXPECT_EQ(second->GetBounds().Top, first->GetBounds().Bottom());
  EXPECT_EQ(second->GetBounds().Width, first->GetBounds().Width);
  EXPECT_EQ(wide.GetWidth(), first->GetBounds().Width + 2 * ToolbarBorder);
  // A row is as thick as its widest window, and every window in it takes that thickness.
  EXPECT_EQ(beside.GetWidth(), wide.GetWidth());
  EXPECT_EQ(dock.GetWidth(), narrow.GetWidth() + wide.GetWidth());
  EXPECT_EQ(wide.GetLeft(), narrow.GetWidth());
  EXPECT_EQ(beside.GetLeft(), narrow.GetWidth());
  EXPECT_EQ(beside.GetTop(), wide.GetHeight());
  EXPECT_EQ(dock.GetHeight(), 600);
}

// Rows follow their numbers whatever the order the windows came in; in a row, windows stand by
// position, those without one after them, and windows of equal place in the order they came.
// A dock limited to one row puts them all in it, still by position.
TEST(LayoutRules, ADockOrdersItsRowsByNumberAndEachRowByPosition) {
  TDockedWindow docked;
  TTBXDock& dock = docked.Dock;
  dock.SetAllowDrag(false);
  struct TPlaced {
    int Row, Pos;
    std::unique_ptr<TTBXToolbar> Toolbar = std::make_unique<TTBXToolbar>(nullptr);
  };
  std::vector<TPlaced> placed;
  for (auto [row, pos] : {std::pair{2, -1}, {0, 50}, {2, 10}, {0, -1}, {0, 0}, {1, 0}, {0, 50}}) {
    placed.push_back({row, pos});
    AddButton(*placed.back().Toolbar, "T" + std::to_string(placed.size()));
  }
  for (TPlaced& p : placed) {
    p.Toolbar->SetParent(&dock);
    p.Toolbar->SetDockRow(p.Row);
    p.Toolbar->SetDockPos(p.Pos);
  }
  const auto at = [&](int i) { return placed[static_cast<size_t>(i)].Toolbar.get(); };
  const int thick = at(0)->GetHeight();
  // Row 0: T5 (pos 0), then T2 and T7 (pos 50, in the order they came), then T4 (none).
  EXPECT_EQ(at(4)->GetBoundsRect(), (TRect{0, 0, at(4)->GetWidth(), thick}));
  EXPECT_EQ(at(1)->GetLeft(), std::max(50, at(4)->GetWidth()));
  EXPECT_EQ(at(6)->GetLeft(), at(1)->GetBoundsRect().Right());
  EXPECT_EQ(at(3)->GetLeft(), at(6)->GetBoundsRect().Right());
  EXPECT_EQ(at(5)->GetTop(), thick);      // row 1
  EXPECT_EQ(at(2)->GetTop(), 2 * thick);  // row 2: T3 (pos 10), then T1 (none)
  EXPECT_EQ(at(2)->GetLeft(), 10);
  EXPECT_EQ(at(0)->GetLeft(), at(2)->GetBoundsRect().Right());
  EXPECT_EQ(dock.GetHeight(), 3 * thick);

  dock.SetLimitToOneRow(true);
  EXPECT_EQ(dock.GetHeight(), thick);
  EXPECT_EQ(at(4)->GetLeft(), 0);
  EXPECT_EQ(at(5)->GetLeft(), at(4)->GetBoundsRect().Right());  // pos 0, after T5 which came first
  EXPECT_EQ(at(2)->GetLeft(), at(5)->GetBoundsRect().Right());  // pos 10, past the room the two take
}

// A window destroyed while the dock places another of its row is not touched again (under
// AddressSanitizer: a heap-use-after-free otherwise).
TEST(LayoutRules, AWindowDestroyedWhileTheDockPlacesAnotherIsNotTouched) {
  TDockedWindow docked;
  TTBXDock& dock = docked.Dock;
  dock.SetAllowDrag(false);
  auto killer = std::make_unique<TDestroyingToolbar>(nullptr);
  auto victim = std::make_unique<TTBXToolbar>(nullptr);
  AddButton(*killer, "Killer");
  AddButton(*victim, "Victim");
  killer->SetParent(&dock);
  victim->SetParent(&dock);
  killer->Victim = &victim;
  dock.SetPosition(dpLeft);  // every window is placed anew, the killer first
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(killer->GetBoundsRect().Left, 0);
}

TEST(LayoutRules, ADestroyedToolbarLeavesNoGapInItsDock) {
  TDockedWindow docked;
  auto first = std::make_unique<TTBXToolbar>(nullptr);
  first->SetParent(&docked.Dock);
  AddButton(*first, "First");
  TTBXToolbar second(nullptr);
  second.SetParent(&docked.Dock);
  AddButton(second, "Second");
  ASSERT_GT(second.GetLeft(), first->GetLeft()) << "one row, the second after the first";
  const int start = first->GetLeft();

  first.reset();
  EXPECT_EQ(second.GetLeft(), start) << "the second moves up to where the first began";
  const int thickness = docked.Dock.GetHeight();
  EXPECT_GT(thickness, 0);

  // A row whose last window is destroyed goes at once, and its thickness with it.
  {
    TTBXToolbar tall(nullptr);
    tall.Font().SetSize(20);
    AddButton(tall, "Tall");
    tall.SetParent(&docked.Dock);
    tall.SetDockRow(1);
    EXPECT_GT(docked.Dock.GetHeight(), thickness);
  }
  EXPECT_EQ(docked.Dock.GetHeight(), thickness) << "the second row went with its toolbar";
}

TEST(LayoutRules, ADockThatShowsNothingTakesNoRoom) {
  TWinControl window(nullptr);
  window.SetBounds(0, 0, 800, 600);
  TTBXDock top(nullptr);
  top.SetParent(&window);
  TTBXDock left(nullptr);
  left.SetParent(&window);
  left.SetPosition(dpLeft);
  EXPECT_EQ(top.GetHeight(), 0);
  EXPECT_EQ(left.GetWidth(), 0);
  TTBXToolbar toolbar(nullptr);
  AddButton(toolbar, "Go");
  toolbar.SetParent(&top);
  EXPECT_GT(top.GetHeight(), 0);
  toolbar.Hide();
  EXPECT_EQ(top.GetHeight(), 0);
  EXPECT_EQ(left.GetTop(), 0);  // and the side dock takes the room back
}

TEST(LayoutRules, AStatusPanelsControlFillsItsPanelWhateverItsTextSays) {
  TWinControl window(nullptr);
  window.SetBounds(0, 0, 800, 600);
  TTBXStatusBar bar(nullptr);
  bar.SetParent(&window);
  TTBXStatusPanel& message = *bar.Panels().Add();
  TTBXStatusPanel& caps = *bar.Panels().Add();
  message.SetSize(200);
  caps.SetSize(90);
  TTBXCheckBox box(nullptr);
  box.SetText("CAPS");
  caps.SetControl(&box);
  EXPECT_EQ(box.GetBoundsRect(), caps.GetContentRect());
  box.SetText("A caption far longer than the panel");  // what running a view part does
  box.SetAutoSize(true);
  EXPECT_EQ(box.GetBoundsRect(), caps.GetContentRect());
  caps.SetSize(120);
  EXPECT_EQ(box.GetBoundsRect(), caps.GetContentRect());
  EXPECT_EQ(caps.GetContentRect().Width, 120 - 2 * StatusPanelInset);
}

TEST(LayoutRules, WrappingGrowsALabelDownwardsInItsColumn) {
  TStackPanel window(nullptr);
  window.SetBounds(0, 0, 200, 600);
  TTBXLabel label(nullptr), below(nullptr);
  label.SetParent(&window);
  below.SetParent(&window);
  label.SetWrapping(twWrap);
  label.SetText("word");
  below.SetText("below");
  EXPECT_EQ(label.GetHeight(), LineHeight());
  label.SetText("many words that do not fit on one line of a narrow column of two hundred pixels");
  EXPECT_GE(label.GetHeight(), 3 * LineHeight());
  EXPECT_LE(label.GetWidth(), 200 - 2 * TStackPanel::StackPadding);
  EXPECT_EQ(below.GetTop(), label.GetTop() + label.GetHeight() + TStackPanel::StackGap);  // pushed down
}

TEST(LayoutRules, ACheckBoxIsItsGlyphAGapAndItsText) {
  TTBXCheckBox box(nullptr);
  box.SetText("Word wrap");
  EXPECT_EQ(box.GetWidth(), GlyphSize + GlyphGap + TextMetrics().TextWidth(TFont(), "Word wrap"));
  EXPECT_EQ(box.GetHeight(), std::max(GlyphSize, LineHeight()));
  EXPECT_EQ(box.GetGlyphRect().Width, GlyphSize);
  EXPECT_EQ(box.GetTextRect().Left, GlyphSize + GlyphGap);
}

// A window of the usual shape with many controls in its client area: a change lays out the control
// that changed and its parent chain, not the siblings, and a bracket of changes lays out once.
struct TBusyWindow {
  TStackPanel Window{nullptr};
  TTBXDock Dock{nullptr};
  TTBXToolbar Toolbar{nullptr};
  TTBXStatusBar Bar{nullptr};
  TStackPanel Client{nullptr};
  std::vector<std::unique_ptr<TTBXLabel>> Labels;

  TBusyWindow() {
    Window.SetBounds(0, 0, 800, 600);
    Dock.SetParent(&Window);
    Toolbar.SetParent(&Dock);
    for (const char* caption : {"New", "Open", "Save"}) AddButton(Toolbar, caption);
    Bar.SetParent(&Window);
    Client.SetParent(&Window);
    Client.SetAlign(alClient);
    for (int i = 0; i < 200; ++i) {
      Labels.push_back(std::make_unique<TTBXLabel>(nullptr));
      Labels.back()->SetText("Label " + std::to_string(i));
      Labels.back()->SetParent(&Client);
    }
  }
  ~TBusyWindow() { Labels.clear(); }
};

TEST(LayoutRules, AChangeLaysOutOnlyWhatItTouches) {
  TBusyWindow busy;
  TTbxLayoutProbe window(busy.Window), dock(busy.Dock);
  const auto before = TbxLayoutCounters();
  busy.Labels[150]->SetText("A longer caption than before");
  const auto after = TbxLayoutCounters();
  EXPECT_EQ(window.AlignPasses(), 0);
  EXPECT_EQ(dock.AlignPasses(), 0);
  // Only the labels from the changed one down may move.
  EXPECT_LE(after.ControlsPlaced - before.ControlsPlaced, 50u);
  EXPECT_EQ(busy.Labels[151]->GetTop(),
            busy.Labels[150]->GetTop() + busy.Labels[150]->GetHeight() + TStackPanel::StackGap);
}

TEST(LayoutRules, ABracketOfChangesLaysOutOnceAtItsEnd) {
  TBusyWindow busy;
  TTbxLayoutProbe dock(busy.Dock);
  busy.Toolbar.BeginUpdate();
  for (int i = 0; i < 20; ++i) AddButton(busy.Toolbar, "Item " + std::to_string(i));
  EXPECT_EQ(dock.AlignPasses(), 0);  // nothing moved yet
  busy.Toolbar.EndUpdate();
  EXPECT_EQ(dock.AlignPasses(), 1);
  EXPECT_EQ(busy.Toolbar.Items()->GetItem(22)->GetBounds().Right() + ToolbarBorder, busy.Toolbar.GetWidth());

  TTbxLayoutProbe client(busy.Client);
  busy.Client.DisableAlign();
  for (auto& label : busy.Labels) label->SetText(label->GetText() + "!");
  busy.Client.EnableAlign();
  EXPECT_EQ(client.AlignPasses(), 1);
}

}  // namespace

namespace {

// Labels on the toolbar of a busy window, each on a control item, then a longer caption for each.
void PlaceLabelsOnToolbar(TBusyWindow& busy, std::vector<std::unique_ptr<TTBXLabel>>& labels) {
  for (int i = 0; i < 30; ++i) {
    labels.push_back(std::make_unique<TTBXLabel>(nullptr));
    busy.Toolbar.Items()->Add(new TTBControlItem(&busy.Toolbar, labels.back().get()));
    labels.back()->SetParent(&busy.Toolbar);
  }
  for (auto& label : labels) label->SetText("Label " + std::to_string(&label - labels.data()));
}

TEST(LayoutRules, DeferredLayoutsLayEachContainerOutOnceAndEndAsImmediateOnes) {
  TBusyWindow immediate, deferred;
  std::vector<std::unique_ptr<TTBXLabel>> immediateLabels, deferredLabels;
  PlaceLabelsOnToolbar(immediate, immediateLabels);
  TTbxLayoutProbe toolbar(deferred.Toolbar), dock(deferred.Dock);
  {
    const TWinControl::TDeferLayouts once;
    PlaceLabelsOnToolbar(deferred, deferredLabels);
    EXPECT_EQ(toolbar.AlignPasses(), 0);
    EXPECT_EQ(dock.AlignPasses(), 0);
  }
  EXPECT_LE(toolbar.AlignPasses(), 2);  // the items once, and again when the dock gives the new size
  EXPECT_EQ(dock.AlignPasses(), 1);
  EXPECT_EQ(deferred.Toolbar.GetBoundsRect(), immediate.Toolbar.GetBoundsRect());
  EXPECT_EQ(deferred.Dock.GetBoundsRect(), immediate.Dock.GetBoundsRect());
  for (size_t i = 0; i < deferredLabels.size(); ++i)
    EXPECT_EQ(deferredLabels[i]->GetBoundsRect(), immediateLabels[i]->GetBoundsRect()) << "label " << i;
  deferredLabels.clear();
  immediateLabels.clear();
}

TEST(LayoutRules, AContainerDestroyedWhileItsLayoutWaitsIsNotTouched) {
  TBusyWindow busy;
  {
    const TWinControl::TDeferLayouts once;
    auto toolbar = std::make_unique<TTBXToolbar>(nullptr);
    toolbar->SetParent(&busy.Dock);
    AddButton(*toolbar, "Gone");
    AddButton(busy.Toolbar, "Kept");
  }
  EXPECT_EQ(busy.Toolbar.Items()->GetItem(3)->GetBounds().Right() + ToolbarBorder, busy.Toolbar.GetWidth());
}

// A toolbar lays itself out when a child changes only while one of its top-level items holds that
// child: not for an item in a submenu, nor for the control an item held before, nor once the item
// is gone, also after many items came and went.
TEST(LayoutRules, AToolbarLaysOutForTheChildrenThatItsTopLevelItemsHold) {
  TBusyWindow busy;
  TTBXLabel first(nullptr), second(nullptr), passing(nullptr);
  auto relaysOut = [&](TTBXLabel& label) {
    label.SetParent(&busy.Toolbar);
    TTbxLayoutProbe toolbar(busy.Toolbar);
    label.SetText(label.GetText() + "!");
    return toolbar.AlignPasses() > 0;
  };
  auto* item = busy.Toolbar.Items()->Add(std::make_unique<TTBControlItem>(&busy.Toolbar, &first));
  EXPECT_TRUE(relaysOut(first));
  EXPECT_FALSE(relaysOut(second));

  auto* submenu = busy.Toolbar.Items()->Add(std::make_unique<TTBXSubmenuItem>(&busy.Toolbar));
  busy.Toolbar.Items()->Remove(item);
  submenu->Add(item);
  EXPECT_FALSE(relaysOut(first));
  submenu->Remove(item);
  busy.Toolbar.Items()->Insert(0, item);
  EXPECT_TRUE(relaysOut(first));

  item->SetControl(&second);
  EXPECT_FALSE(relaysOut(first));
  EXPECT_TRUE(relaysOut(second));

  for (int i = 0; i < 100; ++i) delete busy.Toolbar.Items()->Add(std::make_unique<TTBControlItem>(nullptr, &passing));
  EXPECT_FALSE(relaysOut(first));
  EXPECT_TRUE(relaysOut(second));
  EXPECT_FALSE(relaysOut(passing));

  delete item;
  EXPECT_FALSE(relaysOut(second));
}

}  // namespace
