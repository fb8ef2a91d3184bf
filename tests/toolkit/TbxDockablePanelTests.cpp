#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"

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
