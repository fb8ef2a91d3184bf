// A toolbar's items: what a separator, a control item and a button measure, in a row and in a
// column; which controls a toolbar takes; the parts of an item; and layouts that wait.
#include <gtest/gtest.h>

#include <string>

#include "TbxDocks.h"
#include "TbxLayoutCounters.h"
#include "TbxMetrics.h"
#include "TbxRecordingPeers.h"
#include "TbxTestToolbars.h"
#include "TbxTextObjects.h"

using namespace TbxMetrics;

namespace {

TTBXSeparatorItem* AddSeparator(TTBCustomToolbar& toolbar) {
  auto* separator = new TTBXSeparatorItem(&toolbar);
  toolbar.Items()->Add(separator);
  return separator;
}

TTBControlItem* AddControlItem(TTBCustomToolbar& toolbar, TControl& control) {
  auto* item = new TTBControlItem(&toolbar, &control);
  toolbar.Items()->Add(item);
  return item;
}

// A window with a dock at the top and one at the left.
struct TDockedToolbar {
  TDockedToolbar() {
    Window.SetBounds(0, 0, 800, 600);
    Top.SetParent(&Window);
    Left.SetPosition(dpLeft);
    Left.SetParent(&Window);
    Toolbar.SetParent(&Top);
  }
  TWinControl Window{nullptr};
  TTBXDock Top{nullptr}, Left{nullptr};
  TTBXToolbar Toolbar{nullptr};
};

// A separator is a thin line across the row, or across the column once the toolbar stands
// upright; it keeps no size measured for the other way.
TEST(TTBCustomToolbar, ASeparatorIsThinAlongTheRowOrTheColumn) {
  TDockedToolbar docked;
  AddButton(docked.Toolbar, "New");
  TTBXSeparatorItem* separator = AddSeparator(docked.Toolbar);
  AddButton(docked.Toolbar, "Open");
  EXPECT_EQ(separator->GetBounds().Width, SeparatorThickness);
  docked.Toolbar.DockTo(docked.Left, 0, -1);
  EXPECT_EQ(separator->GetBounds().Height, SeparatorThickness);
  EXPECT_EQ(separator->GetBounds().Width, docked.Toolbar.Items()->GetItem(0)->GetBounds().Width);
  docked.Toolbar.DockTo(docked.Top, 0, -1);
  EXPECT_EQ(separator->GetBounds().Width, SeparatorThickness);
}

// Only a button has parts: a separator, a control item and an item that does not show have none,
// whatever caption and image they are given.
TEST(TTBCustomToolbar, OnlyAShownButtonHasParts) {
  TDockedToolbar docked;
  TCustomImageList images(nullptr);
  images.Add("a.png");
  docked.Toolbar.SetImages(&images);
  TTBXItem* button = AddButton(docked.Toolbar, "New");
  TTBXSeparatorItem* separator = AddSeparator(docked.Toolbar);
  TTBXLabel label(nullptr);
  label.SetText("Zoom");
  TTBControlItem* control = AddControlItem(docked.Toolbar, label);
  TTBXItem* hidden = AddButton(docked.Toolbar, "Hidden");
  hidden->SetVisible(false);
  for (TTBCustomItem* item : {static_cast<TTBCustomItem*>(button), static_cast<TTBCustomItem*>(separator),
                              static_cast<TTBCustomItem*>(control), static_cast<TTBCustomItem*>(hidden)}) {
    item->SetImageIndex(0);
    if (item->GetCaption().empty()) item->SetCaption("Item");
  }
  EXPECT_FALSE(docked.Toolbar.GetItemParts(*button).Caption.Empty());
  EXPECT_FALSE(docked.Toolbar.GetItemParts(*button).Image.Empty());
  for (const TTBCustomItem* item : {static_cast<TTBCustomItem*>(separator), static_cast<TTBCustomItem*>(control),
                                    static_cast<TTBCustomItem*>(hidden)}) {
    const TTBItemParts parts = docked.Toolbar.GetItemParts(*item);
    EXPECT_TRUE(parts.Image.Empty() && parts.Caption.Empty() && parts.Arrow.Empty()) << item->ClassName();
  }
}

// A control that another window holds stays there; its item shows nothing on the toolbar. A
// control that holds the toolbar itself is not taken either, and measures nothing.
TEST(TTBCustomToolbar, AControlHeldElsewhereOrHoldingTheToolbarStaysWhereItIs) {
  TDockedToolbar docked;
  TWinControl elsewhere(nullptr);
  elsewhere.SetParent(&docked.Window);
  TTBXLabel held(nullptr);
  held.SetText("Held");
  held.SetParent(&elsewhere);
  AddControlItem(docked.Toolbar, held);
  EXPECT_EQ(held.GetParent(), &elsewhere);
  TTBControlItem* around = AddControlItem(docked.Toolbar, docked.Top);
  EXPECT_EQ(docked.Top.GetParent(), &docked.Window);
  EXPECT_EQ(docked.Toolbar.GetParent(), &docked.Top);
  EXPECT_EQ(around->GetBounds().Width, 0);
}

// Two toolbars whose control items hold each other's docks: measuring one reaches it again
// through the other, which counts it as empty instead of measuring for ever.
TEST(TTBCustomToolbar, ToolbarsThatHoldEachOthersDocksMeasureOnce) {
  TWinControl window(nullptr);
  window.SetBounds(0, 0, 800, 600);
  TTBXDock first(nullptr), second(nullptr);
  first.SetParent(&window);
  second.SetPosition(dpBottom);
  second.SetParent(&window);
  TTBXToolbar a(nullptr), b(nullptr);
  AddButton(a, "A");
  AddButton(b, "B");
  a.SetParent(&first);
  b.SetParent(&second);
  AddControlItem(a, second);
  AddControlItem(b, first);
  EXPECT_GT(a.GetWidth(), 0);
  EXPECT_GT(b.GetWidth(), 0);
}

// The same image list set again redraws nothing.
TEST(TTBCustomToolbar, TheSameImagesSetAgainRedrawNothing) {
  TRecordingPeers peers;
  TDockedToolbar docked;
  AddButton(docked.Toolbar, "New");
  TCustomImageList images(nullptr), others(nullptr);
  images.Add("a.png");
  others.Add("b.png");
  docked.Toolbar.SetImages(&images);
  const TPeerLog& log = peers.Watch(docked.Toolbar);
  ExpectRedrawnOnlyByChanges(log, {{"images", [&] { docked.Toolbar.SetImages(&others); }}}, TRedraws::AtLeastOnce);
}

// Inside a deferred bracket a toolbar asked to lay out waits: its items keep their places until
// the bracket ends.
TEST(TTBCustomToolbar, ALayoutAskedForInsideADeferredBracketWaitsForItsEnd) {
  TDockedToolbar docked;
  TTBXItem* first = AddButton(docked.Toolbar, "New");
  TTBXItem* second = AddButton(docked.Toolbar, "Open");
  const int secondLeft = second->GetBounds().Left;
  {
    const TWinControl::TDeferLayouts deferred;
    first->SetCaption("New document");
    docked.Toolbar.Realign();
    EXPECT_EQ(second->GetBounds().Left, secondLeft);
  }
  EXPECT_GT(second->GetBounds().Left, secondLeft);
}

}  // namespace
