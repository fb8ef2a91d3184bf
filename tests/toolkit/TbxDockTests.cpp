// Docks: how the windows of a row share its length, how many windows a dock holds, and what a
// change of a dock's own settings redraws.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxLayoutCounters.h"
#include "TbxMetrics.h"
#include "TbxRecordingPeers.h"
#include "TbxTestToolbars.h"
#include "TbxToolbars.h"

namespace {

// A dock along the top of a window 601 pixels wide.
struct TTopDock {
  TTopDock() {
    Window.SetBounds(0, 0, 601, 400);
    Dock.SetParent(&Window);
    Dock.SetAllowDrag(false);
  }
  TTBXDockablePanel* AddPanel() {
    Panels.push_back(std::make_unique<TTBXDockablePanel>(nullptr));
    Panels.back()->SetParent(&Dock);
    return Panels.back().get();
  }
  // A toolbar with one button, docked.
  TTBXToolbar& AddToolbar(const std::string& caption) {
    Toolbars.push_back(std::make_unique<TTBXToolbar>(nullptr));
    AddButton(*Toolbars.back(), caption);
    Toolbars.back()->SetParent(&Dock);
    return *Toolbars.back();
  }
  TWinControl Window{nullptr};
  TTBXDock Dock{nullptr};
  std::vector<std::unique_ptr<TTBXDockablePanel>> Panels;
  std::vector<std::unique_ptr<TTBXToolbar>> Toolbars;
};

TEST(TTBDock, PanelsShareTheirRowEquallyAndTheLastTakesWhatTheDivisionLeaves) {
  TTopDock docked;
  TTBXDockablePanel* a = docked.AddPanel();
  EXPECT_EQ(a->GetBoundsRect(), (TRect{0, 0, 601, 128}));
  TTBXDockablePanel* b = docked.AddPanel();
  TTBXDockablePanel* c = docked.AddPanel();
  EXPECT_EQ(a->GetWidth(), 200);
  EXPECT_EQ(b->GetLeft(), 200);
  EXPECT_EQ(b->GetWidth(), 200);
  EXPECT_EQ(c->GetLeft(), 400);
  EXPECT_EQ(c->GetWidth(), 201);
  EXPECT_EQ(docked.Dock.GetHeight(), 128);
}

// A toolbar takes its own length; the panels share the rest. With sharers in the row the
// toolbar's DockPos leaves no gap: the row is packed.
TEST(TTBDock, AToolbarTakesItsOwnLengthAndThePanelsOfItsRowTheRest) {
  TTopDock docked;
  TTBXToolbar& toolbar = docked.AddToolbar("Go");
  toolbar.SetDockPos(300);
  const int length = toolbar.GetDockedSize(false).Width;
  ASSERT_GT(length, 0);
  EXPECT_EQ(toolbar.GetLeft(), 300);  // alone, it stands at its position
  TTBXDockablePanel* panel = docked.AddPanel();
  EXPECT_EQ(toolbar.GetLeft(), 0);
  EXPECT_EQ(panel->GetLeft(), length);
  EXPECT_EQ(panel->GetWidth(), 601 - length);
  EXPECT_EQ(toolbar.GetHeight(), 128);  // the row is as thick as its thickest window
}

TEST(TTBDock, AToolbarThatGrowsMovesTheNextInItsRow) {
  TTopDock docked;
  TTBXToolbar& first = docked.AddToolbar("A");
  TTBXToolbar& second = docked.AddToolbar("B");
  const int thickness = docked.Dock.GetHeight();
  AddButton(first, "Another");
  EXPECT_EQ(second.GetLeft(), first.GetBoundsRect().Right());
  EXPECT_EQ(docked.Dock.GetHeight(), thickness);
  first.Font().SetSize(24);  // taller: the dock grows, and the window's client below it shrinks
  EXPECT_EQ(docked.Dock.GetHeight(), first.GetHeight());
  EXPECT_GT(docked.Dock.GetHeight(), thickness);
  EXPECT_EQ(second.GetLeft(), first.GetBoundsRect().Right());
}

// A dock keeps a few windows' places on the stack and many on the heap; the rows come out the
// same either way.
TEST(TTBDock, ADockOfManyWindowsPlacesEveryOneInItsRow) {
  TTopDock docked;
  const auto& toolbars = docked.Toolbars;
  for (int i = 0; i < 20; ++i) docked.AddToolbar("T").SetDockRow(i % 4);
  const int thick = toolbars[0]->GetHeight();
  EXPECT_EQ(docked.Dock.GetHeight(), 4 * thick);
  for (int i = 0; i < 20; ++i) {
    const TTBXToolbar& toolbar = *toolbars[static_cast<size_t>(i)];
    EXPECT_EQ(toolbar.GetTop(), (i % 4) * thick) << i;
    EXPECT_EQ(toolbar.GetLeft(), (i / 4) * toolbar.GetWidth()) << i;
  }
  toolbars[4]->Hide();  // a hidden window takes no place
  EXPECT_EQ(toolbars[8]->GetLeft(), toolbars[0]->GetBoundsRect().Right());
  EXPECT_EQ(docked.Dock.GetRowExtents().size(), 4u);
}

TEST(TTBDock, AWindowAtPositionZeroStandsBeforeOneWithoutAPosition) {
  TTopDock docked;
  TTBXToolbar& unplaced = docked.AddToolbar("Unplaced");
  TTBXToolbar& atZero = docked.AddToolbar("Zero");
  atZero.SetDockPos(0);
  EXPECT_EQ(atZero.GetLeft(), 0);
  EXPECT_EQ(unplaced.GetLeft(), atZero.GetBoundsRect().Right());
}

TEST(TTBDock, BoundLinesFrameTheRowsAndAnEmptyDockHasNoClientArea) {
  TTopDock docked;
  TTBXDock& dock = docked.Dock;
  dock.SetBoundLines({blTop, blBottom, blLeft});
  EXPECT_EQ(dock.GetHeight(), 0);  // no windows, no lines
  EXPECT_EQ(dock.GetClientRect(), TRect{});
  TTBXDockablePanel* panel = docked.AddPanel();
  const int line = TbxMetrics::BoundLineSize;
  EXPECT_EQ(dock.GetHeight(), 128 + 2 * line);  // a top dock draws only its top and bottom lines
  EXPECT_EQ(dock.GetClientRect(), (TRect{line, line, 601 - line, 128}));
  EXPECT_EQ(panel->GetBoundsRect(), (TRect{0, 0, 601 - line, 128}));  // from the client's corner
}

TEST(TTBDock, ASettingThatChangesRedrawsTheDockAndTheSameValueDoesNot) {
  TRecordingPeers peers;
  TTopDock docked;
  TTBXToolbar& toolbar = docked.AddToolbar("Go");
  const TPeerLog& log = peers.Watch(docked.Dock);
  const TSteps steps{
      {"allow drag", [&] { docked.Dock.SetAllowDrag(true); }},
      {"one row", [&] { docked.Dock.SetLimitToOneRow(true); }},
      {"bound lines", [&] { docked.Dock.SetBoundLines({blBottom}); }},
  };
  ExpectRedrawnOnlyByChanges(log, steps, TRedraws::Once);
  EXPECT_EQ(docked.Dock.GetHeight(), toolbar.GetHeight() + TbxMetrics::BoundLineSize);
}

// A change of a window lays its dock out once, however the dock's thickness moves, and waits for
// the end of a deferred bracket; a control in the dock that is no dockable window lays nothing out.
TEST(TTBDock, AWindowsChangeLaysTheDockOutOnceOrAtTheEndOfADeferredBracket) {
  TTopDock docked;
  TTBXToolbar& first = docked.AddToolbar("A");
  TTBXToolbar& second = docked.AddToolbar("B");
  TControl plain(nullptr);
  plain.SetParent(&docked.Dock);
  TTbxLayoutProbe probe(docked.Dock);
  AddButton(first, "Longer");
  EXPECT_EQ(probe.AlignPasses(), 1);
  first.Font().SetSize(24);  // thicker: the dock grows, which lays its rows out
  EXPECT_EQ(probe.AlignPasses(), 2);
  plain.SetBounds(0, 0, 30, 30);
  EXPECT_EQ(probe.AlignPasses(), 2);
  {
    const TWinControl::TDeferLayouts deferred;
    AddButton(second, "Later");
    EXPECT_EQ(probe.AlignPasses(), 2);
  }
  EXPECT_EQ(probe.AlignPasses(), 3);
  EXPECT_EQ(second.GetLeft(), first.GetBoundsRect().Right());
}

// The rows after the one where a window was destroyed are left for the next pass, which the
// destroyed window no longer takes part in.
TEST(TTBDock, AWindowDestroyedWhileTheDockPlacesAnEarlierRowIsNotTouched) {
  TTopDock docked;
  auto killer = std::make_unique<TDestroyingToolbar>(nullptr);
  auto victim = std::make_unique<TTBXToolbar>(nullptr);
  TTBXToolbar survivor(nullptr);
  AddButton(*killer, "Killer");
  AddButton(*victim, "Victim");
  AddButton(survivor, "Survivor");
  killer->SetParent(&docked.Dock);
  victim->SetParent(&docked.Dock);
  survivor.SetParent(&docked.Dock);
  victim->SetDockRow(1);
  survivor.SetDockRow(2);
  killer->Victim = &victim;
  TTBXToolbar tall(nullptr);
  tall.Font().SetSize(24);
  AddButton(tall, "Tall");
  tall.SetParent(&docked.Dock);  // row 0 grows thicker: the killer is placed anew first
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(killer->GetHeight(), tall.GetHeight());
  EXPECT_EQ(survivor.GetTop(), tall.GetHeight());  // the victim's row went
  EXPECT_EQ(docked.Dock.GetHeight(), tall.GetHeight() + survivor.GetHeight());
  EXPECT_EQ(docked.Dock.GetRowExtents().size(), 2u);
}

}  // namespace
