#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxMetrics.h"
#include "TbxRecordingPeers.h"
#include "TbxStatusBars.h"

TEST(TTBXDockablePanel, DefaultsOfThePanelAndOfTheDockableWindow) {
  TTBXDockablePanel panel(nullptr);
  EXPECT_EQ(panel.GetCaptionRotation(), dpcrAuto);
  EXPECT_TRUE(panel.GetShowCaptionWhenDocked());
  EXPECT_EQ(panel.GetDockedWidth(), 128);
  EXPECT_EQ(panel.GetDockedHeight(), 128);
  EXPECT_TRUE(panel.GetSmoothDockedResize());
  EXPECT_TRUE(panel.GetCloseButton());
  EXPECT_FALSE(panel.GetCloseButtonWhenDocked());
  EXPECT_EQ(panel.GetDockMode(), dmCanFloat);
  EXPECT_EQ(panel.GetDockPos(), -1);
  EXPECT_EQ(panel.GetDockableTo(), (TTBDockPositions{dpTop, dpBottom, dpLeft, dpRight}));
  EXPECT_EQ(EnumIdentifier(dpcrAlwaysVert), "dpcrAlwaysVert");
  EXPECT_TRUE(panel.GetFloating());
}

TEST(TTBXDockablePanel, OnResizeIsRaisedForSizeChangesOnly) {
  TTBXDockablePanel panel(nullptr);
  std::vector<TObject*> senders;
  panel.OnResize = [&](TObject* sender) { senders.push_back(sender); };
  panel.SetBounds(0, 0, 100, 50);
  panel.SetLeft(30);  // a move is not a resize
  panel.SetTop(40);
  panel.SetBounds(30, 40, 100, 50);
  EXPECT_EQ(senders.size(), 1u);
  panel.SetHeight(80);
  panel.SetWidth(90);
  ASSERT_EQ(senders.size(), 3u);
  EXPECT_EQ(senders[2], &panel);
  EXPECT_EQ(panel.GetWidth(), 90);
  EXPECT_EQ(panel.GetHeight(), 80);
  EXPECT_EQ(panel.GetLeft(), 30);
}

TEST(TTBXDockablePanel, ChildrenAreLaidOutAfterAResize) {
  TTBXDockablePanel panel(nullptr);
  TControl child(nullptr);
  child.SetParent(&panel);
  child.SetAlign(alClient);
  int heardWidth = -1;
  panel.OnResize = [&](TObject*) { heardWidth = child.GetWidth(); };
  panel.SetBounds(0, 0, 120, 70);
  const TRect client = panel.GetClientRect();
  EXPECT_EQ(heardWidth, client.Width);  // the handler sees the new layout
  EXPECT_EQ(child.GetBoundsRect(), panel.GetClientArea());
  EXPECT_TRUE(TRect({0, 0, 120, 70}).Encloses(client));
}

TEST(TTBXDockablePanel, DocksInEitherDockKindByParentAndFloatsWithoutOne) {
  TTBXDock dock(nullptr);
  TTBXMultiDock multiDock(nullptr);
  TWinControl window(nullptr);
  auto panel = std::make_unique<TTBXDockablePanel>(nullptr);
  panel->SetParent(&dock);
  EXPECT_EQ(panel->GetCurrentDock(), &dock);
  panel->SetParent(&multiDock);
  EXPECT_EQ(panel->GetCurrentDock(), &multiDock);
  EXPECT_EQ(dock.GetControlCount(), 0);
  panel->SetParent(&window);
  EXPECT_EQ(panel->GetCurrentDock(), nullptr);
  EXPECT_TRUE(panel->GetFloating());
  panel->SetParent(&multiDock);
  panel.reset();  // a destroyed panel leaves its dock
  EXPECT_EQ(multiDock.GetControlCount(), 0);
}

// A window too narrow for the panel: the dock shows it narrower than its docked width.
struct TCrampedLeftDock {
  TWinControl Window{nullptr};
  TTBXDock Dock{nullptr};
  TTBXDockablePanel Panel{nullptr};

  TCrampedLeftDock() {
    Window.SetBounds(0, 0, 60, 300);
    Dock.SetParent(&Window);
    Dock.SetPosition(dpLeft);
    Panel.SetDockedWidth(124);
    Panel.SetParent(&Dock);
  }
};

TEST(TTBXDockablePanel, ASizeAskedForIsKeptEvenWhenTheDockShowsThePanelAtThatSizeAlready) {
  TCrampedLeftDock cramped;
  TTBXDockablePanel& panel = cramped.Panel;
  const int shown = panel.GetWidth();
  ASSERT_LT(shown, 124);
  // Moves and the other dimension leave the docked width as it was.
  panel.SetLeft(panel.GetLeft());
  panel.SetHeight(panel.GetHeight() - 10);
  EXPECT_EQ(panel.GetDockedWidth(), 124);
  // Asked for the width it shows, the panel keeps that width.
  panel.SetBounds(panel.GetLeft(), panel.GetTop(), shown, panel.GetHeight());
  EXPECT_EQ(panel.GetDockedWidth(), shown);
  panel.SetWidth(shown - 5);
  EXPECT_EQ(panel.GetDockedWidth(), shown - 5);
  EXPECT_EQ(panel.GetWidth(), shown - 5);
}

// Windows and docks answer for themselves what they are: a subclass of a dock is a dock to the
// windows in it, a window's base class still finds it a dockable window, and a window whose dock
// is destroyed floats, with no dock left to ask.
TEST(TTBXDockablePanel, ADockOfAnySubclassDocksItsWindowsUntilItIsDestroyed) {
  struct TOwnDock : TTBDock {
    using TTBDock::TTBDock;
  };
  TWinControl window(nullptr);
  window.SetBounds(0, 0, 400, 300);
  auto dock = std::make_unique<TOwnDock>(nullptr);
  dock->SetParent(&window);
  TTBXDockablePanel panel(nullptr);
  panel.SetParent(dock.get());
  EXPECT_EQ(panel.GetCurrentDock(), dock.get());
  EXPECT_EQ(static_cast<TControl&>(panel).AsDockableWindow(), &panel);
  EXPECT_EQ(static_cast<TControl&>(window).AsDockableWindow(), nullptr);
  EXPECT_EQ(window.AsDock(), nullptr);
  EXPECT_GT(dock->GetHeight(), 0);
  dock.reset();
  EXPECT_EQ(panel.GetParent(), nullptr);
  EXPECT_TRUE(panel.GetFloating());
}

// A panel docked in a dock along one side of a 600 x 400 window.
struct TDockedPanel {
  TWinControl Window{nullptr};
  TTBXDock Dock{nullptr};
  TTBXDockablePanel Panel{nullptr};

  explicit TDockedPanel(TTBDockPosition position) {
    Window.SetBounds(0, 0, 600, 400);
    Dock.SetParent(&Window);
    Dock.SetPosition(position);
    Panel.SetParent(&Dock);
  }
};

TEST(TTBXDockablePanel, TheDockedCaptionStandsAcrossATopOrBottomDockUnlessTheRotationIsFixed) {
  struct TCase {
    TTBDockPosition Position;
    TDPCaptionRotation Rotation;
    bool Vertical;
  };
  for (const TCase& c : {TCase{dpTop, dpcrAuto, true}, TCase{dpBottom, dpcrAuto, true}, TCase{dpLeft, dpcrAuto, false},
                         TCase{dpTop, dpcrAlwaysHorz, false}, TCase{dpLeft, dpcrAlwaysVert, true},
                         TCase{dpRight, dpcrAlwaysHorz, false}}) {
    TDockedPanel docked(c.Position);
    docked.Panel.SetCaptionRotation(c.Rotation);
    const TDockableFrame frame = docked.Panel.GetFrame();
    const std::string name = EnumIdentifier(c.Position) + " " + EnumIdentifier(c.Rotation);
    EXPECT_EQ(frame.CaptionVertical, c.Vertical) << name;
    EXPECT_FALSE(frame.Caption.Empty()) << name;
    // An upright caption takes the leading side, a flat one the top.
    EXPECT_EQ(c.Vertical ? frame.Caption.Right() : frame.Caption.Bottom(),
              c.Vertical ? frame.Client.Left : frame.Client.Top)
        << name;
  }
}

TEST(TTBXDockablePanel, ADockedPanelShowsItsCloseButtonOnlyWithItsCaptionAndBothCloseSettings) {
  TDockedPanel docked(dpLeft);
  TTBXDockablePanel& panel = docked.Panel;
  EXPECT_TRUE(panel.GetFrame().CloseButton.Empty());  // CloseButtonWhenDocked is off at first
  panel.SetCloseButtonWhenDocked(true);
  EXPECT_FALSE(panel.GetFrame().CloseButton.Empty());
  EXPECT_TRUE(panel.GetFrame().Caption.Encloses(panel.GetFrame().CloseButton));
  panel.SetCloseButton(false);
  EXPECT_TRUE(panel.GetFrame().CloseButton.Empty());
  panel.SetCloseButton(true);
  panel.SetShowCaptionWhenDocked(false);
  EXPECT_TRUE(panel.GetFrame().Caption.Empty());
  EXPECT_TRUE(panel.GetFrame().CloseButton.Empty());
  panel.SetShowCaptionWhenDocked(true);
  panel.SetShowCaption(false);
  EXPECT_TRUE(panel.GetFrame().Caption.Empty());
  EXPECT_TRUE(panel.GetFrame().CloseButton.Empty());
  // Along a top dock the caption stands upright, and its close button sits at its top.
  TDockedPanel top(dpTop);
  top.Panel.SetCloseButtonWhenDocked(true);
  const TDockableFrame upright = top.Panel.GetFrame();
  ASSERT_TRUE(upright.CaptionVertical);
  EXPECT_EQ(upright.CloseButton.Top, upright.Caption.Top + TbxMetrics::CloseButtonMargin);
  EXPECT_EQ(upright.CloseButton.Left, upright.Caption.Left + (upright.Caption.Width - upright.CloseButton.Width) / 2);
  EXPECT_TRUE(upright.Caption.Encloses(upright.CloseButton));
  // Floating, the caption and its close button follow the floating settings alone.
  panel.SetShowCaption(true);
  panel.SetCloseButtonWhenDocked(false);
  panel.SetParent(&docked.Window);
  EXPECT_FALSE(panel.GetFrame().CloseButton.Empty());
}

// A size given from outside the dock's layout becomes the docked size of the dimension the
// panel's place lets it choose: its thickness in a dock, its client area while it floats.
TEST(TTBXDockablePanel, AGivenSizeBecomesTheDockedSizeOfTheDimensionThePanelChooses) {
  TDockedPanel left(dpLeft);
  left.Panel.SetWidth(150);
  left.Panel.SetHeight(90);
  EXPECT_EQ(left.Panel.GetDockedWidth(), 150);
  EXPECT_EQ(left.Panel.GetDockedHeight(), 128);
  EXPECT_EQ(left.Panel.GetWidth(), 150);

  TDockedPanel top(dpTop);
  top.Panel.SetHeight(70);
  top.Panel.SetWidth(300);
  EXPECT_EQ(top.Panel.GetDockedHeight(), 70);
  EXPECT_EQ(top.Panel.GetDockedWidth(), 128);
  EXPECT_EQ(top.Panel.GetHeight(), 70);

  TTBXDockablePanel floating(nullptr);
  floating.SetBounds(10, 10, 200, 150);
  const TDockableFrame frame = floating.GetFrame();
  ASSERT_LT(frame.Client.Width, 200);  // the floating frame takes its border and caption
  EXPECT_EQ(floating.GetDockedWidth(), frame.Client.Width);
  EXPECT_EQ(floating.GetDockedHeight(), frame.Client.Height);
  floating.SetWidth(240);
  EXPECT_EQ(floating.GetDockedWidth(), floating.GetFrame().Client.Width);
  EXPECT_EQ(floating.GetDockedHeight(), frame.Client.Height);
  // Docked into a top dock, it keeps the height its floating client had.
  floating.SetParent(&top.Dock);
  EXPECT_EQ(floating.GetDockedHeight(), frame.Client.Height);
}

TEST(TTBXDockablePanel, ALookSettingThatChangesRedrawsThePanelAndTheSameValueDoesNot) {
  TRecordingPeers peers;
  TDockedPanel docked(dpTop);
  TTBXDockablePanel& panel = docked.Panel;
  const TPeerLog& log = peers.Watch(panel);
  const TSteps steps{
      {"caption rotation", [&] { panel.SetCaptionRotation(dpcrAlwaysHorz); }},
      {"caption when docked", [&] { panel.SetShowCaptionWhenDocked(false); }},
      {"docked width", [&] { panel.SetDockedWidth(140); }},
      {"docked height", [&] { panel.SetDockedHeight(60); }},
      {"a docked height below 0", [&] { panel.SetDockedHeight(-5); }},
  };
  ExpectRedrawnOnlyByChanges(log, steps, TRedraws::AtLeastOnce);
  EXPECT_EQ(panel.GetDockedHeight(), 0);
  EXPECT_EQ(Repaints(log, [&] { panel.SetDockedHeight(0); }), 0);
}

// Sizes that a layout gives are the layout's: a panel placed by a parent that is no dock (a
// status bar's panel holding it), or resized by a handler while its dock lays out, keeps the
// docked size it had.
TEST(TTBXDockablePanel, ASizeALayoutGivesIsNotKeptAsTheDockedSize) {
  TTBXStatusBar bar(nullptr);
  bar.SetBounds(0, 0, 300, 22);
  TTBXDockablePanel held(nullptr);
  bar.Panels().Add()->SetControl(&held);
  EXPECT_LT(held.GetWidth(), 128);
  EXPECT_EQ(held.GetDockedWidth(), 128);
  EXPECT_EQ(held.GetDockedHeight(), 128);

  TDockedPanel docked(dpLeft);
  TTBXDockablePanel other(nullptr);
  other.SetParent(&docked.Dock);
  other.SetDockRow(1);
  docked.Panel.OnResize = [&](TObject*) { other.SetWidth(200); };
  docked.Panel.SetDockedWidth(150);  // the dock lays out, and the handler runs inside it
  EXPECT_EQ(other.GetDockedWidth(), 128);
  docked.Panel.OnResize = nullptr;
}
