// The living window's model: the form's size, and the docking gestures with every refusal, each
// followed by the layout invariants.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "LayoutInvariants.h"
#include "TbxDockablePanels.h"
#include "TbxForms.h"
#include "TbxLayoutCounters.h"
#include "TbxMetrics.h"
#include "TbxRecordingPeers.h"
#include "TbxStatusBars.h"
#include "TbxTestToolbars.h"

using namespace TbxMetrics;

namespace {

// An 800 x 600 form with docks on all four edges (the right one a multi-dock), a status bar, a
// toolbar in the top dock and a panel in the left one; the events of the gestures are logged.
struct TDockingForm {
  TDockingForm() {
    Form.SetName("Form");
    Form.SetBounds(0, 0, 800, 600);
    // The status bar takes the bottom edge first, as it comes first among the form's children.
    Status.SetParent(&Form);
    Status.SetAlign(alBottom);
    for (auto [dock, name, position] : {std::tuple<TTBDock*, const char*, TTBDockPosition>{&Top, "Top", dpTop},
                                        {&Bottom, "Bottom", dpBottom},
                                        {&Left, "Left", dpLeft},
                                        {&Right, "Right", dpRight}}) {
      dock->SetName(name);
      dock->SetPosition(position);
      dock->SetParent(&Form);
    }
    Toolbar.SetName("Toolbar");
    AddButton(Toolbar, "New");
    AddButton(Toolbar, "Open");
    Toolbar.SetParent(&Top);
    Panel.SetName("Panel");
    Panel.SetText("Panel");
    Panel.SetParent(&Left);
    Form.OnDock = [this](TTBCustomDockableWindow& window, TTBDock* from, TTBDock* to) {
      Log.push_back("dock " + window.GetName() + " " + (from ? from->GetName() : "-") + " " +
                    (to ? to->GetName() : "-"));
    };
    Form.OnFloat = [this](TTBCustomDockableWindow& window) { Log.push_back("float " + window.GetName()); };
  }
  void ExpectLaidOut(const char* after) const {
    const std::vector<std::string> violations = LayoutViolations(Form);
    EXPECT_TRUE(violations.empty()) << after << ": " << (violations.empty() ? "" : violations.front());
  }
  TForm Form{nullptr};
  TTBXDock Top{nullptr}, Bottom{nullptr}, Left{nullptr};
  TTBXMultiDock Right{nullptr};
  TTBXStatusBar Status{nullptr};
  TTBXToolbar Toolbar{nullptr};
  TTBXDockablePanel Panel{nullptr};
  std::vector<std::string> Log;
};

// Where a window stands and what it is set to: what a refused gesture must leave as it was.
struct TPlaceOf {
  explicit TPlaceOf(const TTBCustomDockableWindow& w)
      : Parent(w.GetParent()), Row(w.GetDockRow()), Pos(w.GetDockPos()), Bounds(w.GetWindowRect()) {}
  const TWinControl* Parent;
  int Row, Pos;
  TRect Bounds;
  friend bool operator==(const TPlaceOf&, const TPlaceOf&) = default;
};

template <class F>
void ExpectRefused(TTBCustomDockableWindow& window, F gesture, const std::string& why) {
  const TPlaceOf before(window);
  try {
    gesture();
    ADD_FAILURE() << "not refused: " << why;
  } catch (const EDockError& e) {
    EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
  }
  EXPECT_TRUE(TPlaceOf(window) == before) << "a refused gesture moved " << window.GetName();
}

TEST(TForm, TheMinimumSizeKeepsTheEdgesApartAndAResizeLaysEverythingOutOnce) {
  TDockingForm f;
  const TSize least = f.Form.GetMinimumSize();
  EXPECT_EQ(least.Height, f.Top.GetHeight() + f.Status.GetHeight());
  EXPECT_EQ(least.Width, f.Left.GetWidth());
  int resizes = 0;
  f.Form.OnResize = [&](TObject*) { ++resizes; };

  f.Form.Resize(1000, 700);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(f.Top.GetWidth(), 1000) << "the top dock spans the width";
  EXPECT_EQ(f.Status.GetBoundsRect().Bottom(), 700) << "the status bar keeps to the bottom edge";
  EXPECT_EQ(f.Left.GetHeight(), 700 - f.Top.GetHeight() - f.Status.GetHeight());
  f.ExpectLaidOut("a larger window");

  f.Form.Resize(1000, 700);
  EXPECT_EQ(resizes, 1) << "the same size is no resize";

  f.Form.Resize(10, 10);
  EXPECT_EQ(f.Form.GetBoundsRect().Size(), least) << "never below the minimum";
  EXPECT_EQ(f.Status.GetTop(), f.Top.GetHeight()) << "the status bar stays below the top dock";
  f.ExpectLaidOut("the smallest window");
}

TEST(TForm, AnAreaThatFillsTheFormAddsTheEdgesOfItsOwn) {
  TDockingForm f;
  TStackPanel area(nullptr);
  area.SetParent(&f.Form);
  area.SetAlign(alClient);
  TTBXDock areaDock(nullptr);
  areaDock.SetParent(&area);
  TTBXToolbar areaToolbar(nullptr);
  AddButton(areaToolbar, "Print");
  areaToolbar.SetParent(&areaDock);
  EXPECT_EQ(f.Form.GetMinimumSize().Height, f.Top.GetHeight() + f.Status.GetHeight() + areaDock.GetHeight());
}

TEST(TTBCustomDockableWindow, DockToMovesAWindowIntoAnotherDockAndTellsTheForm) {
  TDockingForm f;
  f.Toolbar.DockTo(f.Bottom, 0, 40);
  EXPECT_EQ(f.Toolbar.GetCurrentDock(), &f.Bottom);
  EXPECT_EQ(f.Toolbar.GetDockPos(), 40);
  EXPECT_EQ(f.Toolbar.GetLeft(), 40);
  EXPECT_EQ(f.Top.GetHeight(), 0) << "the empty dock takes no room";
  EXPECT_EQ(f.Bottom.GetBoundsRect().Bottom(), f.Status.GetTop()) << "the bottom dock stands on the status bar";
  EXPECT_EQ(f.Log, std::vector<std::string>{"dock Toolbar Top Bottom"});
  f.ExpectLaidOut("a toolbar moved to the bottom");

  f.Panel.DockTo(f.Right, 0, -1);  // a multi-dock takes a panel
  EXPECT_EQ(f.Panel.GetCurrentDock(), &f.Right);
  f.ExpectLaidOut("a panel moved to the multi-dock");
}

TEST(TTBCustomDockableWindow, AToolbarInALeftOrRightDockStandsUpright) {
  TDockingForm f;
  const int rowWidth = f.Toolbar.GetWidth();
  f.Toolbar.DockTo(f.Left, 1, -1);
  const TTBRootItem& items = *f.Toolbar.Items();
  EXPECT_EQ(items.GetItem(0)->GetBounds().Left, items.GetItem(1)->GetBounds().Left);
  EXPECT_EQ(items.GetItem(0)->GetBounds().Bottom(), items.GetItem(1)->GetBounds().Top);
  EXPECT_LT(f.Toolbar.GetWidth(), rowWidth);
  EXPECT_GT(f.Toolbar.GetHeight(), f.Toolbar.GetWidth());
  f.ExpectLaidOut("an upright toolbar");
}

TEST(TTBCustomDockableWindow, AWindowDroppedBetweenTwoInARowLandsBetweenThem) {
  TDockingForm f;
  TTBXToolbar second(nullptr), third(nullptr);
  AddButton(second, "Second");
  AddButton(third, "Third");
  second.SetName("Second");
  second.SetParent(&f.Top);
  const int secondLeft = second.GetLeft();
  third.DockTo(f.Top, 0, secondLeft - 1);
  EXPECT_EQ(f.Toolbar.GetLeft(), 0);
  EXPECT_EQ(third.GetLeft(), f.Toolbar.GetBoundsRect().Right()) << "it cannot cover the one before";
  EXPECT_EQ(second.GetLeft(), third.GetBoundsRect().Right()) << "the one it landed on moves along";
  f.ExpectLaidOut("three toolbars in a row");
}

TEST(TTBCustomDockableWindow, EveryRuleOfTheSettingsRefusesAndChangesNothing) {
  TDockingForm f;
  ExpectRefused(
      f.Toolbar, [&] { f.Toolbar.DockTo(f.Right, 0, -1); }, "takes dockable panels only");
  f.Bottom.SetAllowDrag(false);
  ExpectRefused(
      f.Toolbar, [&] { f.Toolbar.DockTo(f.Bottom, 0, -1); }, "'Bottom' does not allow dragging");
  f.Top.SetAllowDrag(false);
  ExpectRefused(
      f.Toolbar,
      [&] {
        f.Toolbar.FloatAt({300, 300});
      },
      "which does not allow dragging");
  ExpectRefused(
      f.Toolbar, [&] { f.Toolbar.DockTo(f.Left, 0, -1); }, "which does not allow dragging");
  f.Top.SetAllowDrag(true);
  f.Toolbar.SetDockableTo({dpTop, dpBottom});
  ExpectRefused(
      f.Toolbar, [&] { f.Toolbar.DockTo(f.Left, 0, -1); }, "may dock to dpTop,dpBottom");
  f.Toolbar.SetDockMode(dmCannotFloat);
  ExpectRefused(
      f.Toolbar,
      [&] {
        f.Toolbar.FloatAt({300, 300});
      },
      "DockMode dmCannotFloat");
  f.Panel.SetDockMode(dmCannotFloatOrChangeDocks);
  ExpectRefused(
      f.Panel, [&] { f.Panel.DockTo(f.Right, 0, -1); }, "stays in the dock 'Left'");
  ExpectRefused(
      f.Panel,
      [&] {
        f.Panel.FloatAt({300, 300});
      },
      "does not float");
  f.Panel.DockTo(f.Left, 2, -1);  // along its own dock it still moves
  EXPECT_EQ(f.Panel.GetDockRow(), 2);
  ExpectRefused(
      f.Panel, [&] { f.Panel.DockTo(f.Left, -1, 0); }, "row -1");
  ExpectRefused(
      f.Panel, [&] { f.Panel.DockBack(); }, "is docked already");
  EXPECT_TRUE(f.Log.size() == 1) << "only the move along its dock was told";
}

TEST(TTBCustomDockableWindow, AFloatedWindowKeepsItsCaptionOnTheDesktopAndGoesBackByDockBack) {
  TDockingForm f;
  f.Toolbar.DockTo(f.Top, 0, 25);
  f.Log.clear();
  f.Toolbar.FloatAt({300, 200});
  EXPECT_TRUE(f.Toolbar.GetFloating());
  EXPECT_EQ(f.Toolbar.GetParent(), &f.Form);
  EXPECT_EQ(f.Toolbar.GetWindowRect().Left, 300);
  EXPECT_EQ(f.Toolbar.GetWindowRect().Top, 200);
  EXPECT_EQ(f.Toolbar.GetBoundsRect().Size(), f.Toolbar.GetFloatingSize());
  EXPECT_FALSE(f.Toolbar.GetFrame().Caption.Empty()) << "a floating toolbar shows its caption";
  EXPECT_FALSE(f.Toolbar.GetFrame().CloseButton.Empty());
  EXPECT_EQ(f.Toolbar.GetLastDock(), &f.Top);

  f.Toolbar.FloatAt({5000, -300});  // dragged off the form
  const TRect at = f.Toolbar.GetWindowRect();
  EXPECT_EQ(at.Right(), 800);
  EXPECT_EQ(at.Top, 0);
  f.Form.SetDesktopRect({-200, -100, 2000, 1500});  // a screen larger than the form
  f.Toolbar.FloatAt({-150, 1450});
  EXPECT_EQ(f.Toolbar.GetWindowRect().Left, -150);
  EXPECT_EQ(f.Toolbar.GetWindowRect().Top, 1400 - f.Toolbar.GetFrame().Caption.Bottom());

  f.Toolbar.DockBack();
  EXPECT_EQ(f.Toolbar.GetCurrentDock(), &f.Top);
  EXPECT_EQ(f.Toolbar.GetDockPos(), 25);
  EXPECT_EQ(f.Log, (std::vector<std::string>{"float Toolbar", "float Toolbar", "float Toolbar", "dock Toolbar - Top"}));
  f.ExpectLaidOut("floated and docked back");

  TTBXDockablePanel loose(nullptr);
  loose.SetName("Loose");
  loose.SetParent(&f.Form);
  ExpectRefused(
      loose, [&] { loose.DockBack(); }, "has not floated out of a dock");
}

TEST(TTBCustomDockableWindow, AFloatingPanelResizesByItsBordersDownToItsMinimum) {
  TDockingForm f;
  f.Panel.FloatAt({200, 150});
  const TRect start = f.Panel.GetBoundsRect();
  EXPECT_EQ(f.Panel.HitTest({0, start.Height / 2}), dhLeft);
  EXPECT_EQ(f.Panel.HitTest({start.Width - 1, start.Height - 1}), dhBottomRight);
  EXPECT_EQ(f.Panel.HitTest({start.Width / 2, 1}), dhTop);
  EXPECT_EQ(f.Panel.HitTest({start.Width / 2, FloatingBorder + 3}), dhCaption);
  EXPECT_EQ(f.Panel.HitTest({start.Width / 2, start.Height / 2}), dhClient);
  const TRect close = f.Panel.GetFrame().CloseButton;
  EXPECT_EQ(f.Panel.HitTest({close.Left + 2, close.Top + 2}), dhCloseButton);

  f.Panel.ResizeFloating({start.Left - 20, start.Top, start.Width + 20, start.Height + 40});
  EXPECT_EQ(f.Panel.GetBoundsRect(), (TRect{start.Left - 20, start.Top, start.Width + 20, start.Height + 40}));
  EXPECT_EQ(f.Panel.GetDockedHeight(), f.Panel.GetClientRect().Height) << "the size sticks for the next docking";
  f.Panel.ResizeFloating({start.Left + 500, start.Top, start.Width - 500, 3});
  EXPECT_EQ(f.Panel.GetBoundsRect().Size(), f.Panel.GetMinimumFloatingSize());
  EXPECT_EQ(f.Panel.GetBoundsRect().Right(), start.Right()) << "a left border held at the minimum keeps the right edge";

  f.Toolbar.FloatAt({100, 100});
  ExpectRefused(
      f.Toolbar,
      [&] {
        f.Toolbar.ResizeFloating({100, 100, 300, 300});
      },
      "does not resize while it floats");
  EXPECT_EQ(f.Toolbar.HitTest({0, 10}), dhClient) << "no resize border on a toolbar";
  f.Panel.DockBack();
  ExpectRefused(
      f.Panel,
      [&] {
        f.Panel.ResizeFloating({0, 0, 300, 300});
      },
      "is docked");
}

TEST(TDockDrag, ADragShowsWhereTheWindowWouldLandAndMovesNothingUntilTheDrop) {
  TDockingForm f;
  const TRect handle = f.Toolbar.GetFrame().DragHandle;
  const TPoint press{f.Toolbar.GetWindowRect().Left + handle.Left + 2, f.Toolbar.GetWindowRect().Top + 5};
  f.Form.BeginDockDrag(f.Toolbar, press);
  ASSERT_NE(f.Form.GetDockDrag(), nullptr);
  const TPlaceOf before(f.Toolbar);
  const auto placed = TbxLayoutCounters().ControlsPlaced;

  const TPoint overBottom{300, f.Status.GetTop() - 3};
  f.Form.DockDragTo(overBottom);
  const TDockTarget target = f.Form.GetDockDrag()->Target();  // a copy: the drop ends the drag
  EXPECT_EQ(target.Dock, &f.Bottom);
  EXPECT_TRUE(target.NewRow);
  EXPECT_EQ(target.Pos, overBottom.X - 2 - handle.Left);
  EXPECT_EQ(target.Outline.Height, f.Toolbar.GetHeight());
  EXPECT_EQ(target.Outline.Bottom(), f.Status.GetTop()) << "a new bottom row grows upwards";

  f.Form.DockDragTo({400, 300});
  EXPECT_TRUE(f.Form.GetDockDrag()->Target().Floating);
  EXPECT_EQ(f.Form.GetDockDrag()->Target().Outline.Size(), f.Toolbar.GetFloatingSize());
  EXPECT_EQ(TbxLayoutCounters().ControlsPlaced, placed) << "a move places no control";
  EXPECT_TRUE(TPlaceOf(f.Toolbar) == before);

  f.Form.DockDragTo(overBottom);
  f.Form.EndDockDrag();
  EXPECT_EQ(f.Form.GetDockDrag(), nullptr);
  EXPECT_EQ(f.Toolbar.GetCurrentDock(), &f.Bottom);
  EXPECT_EQ(f.Toolbar.GetLeft(), target.Outline.Left - f.Bottom.GetWindowRect().Left);
  EXPECT_EQ(f.Log, std::vector<std::string>{"dock Toolbar Top Bottom"});
  f.ExpectLaidOut("dropped on the bottom dock");
}

TEST(TDockDrag, DroppingOnARowEdgeMakesANewRowBetweenTheRows) {
  TDockingForm f;
  TTBXToolbar second(nullptr), moved(nullptr);
  AddButton(second, "Second");
  AddButton(moved, "Moved");
  second.SetName("Second");
  moved.SetName("Moved");
  second.SetDockRow(5);
  second.SetParent(&f.Top);
  moved.SetParent(&f.Bottom);
  const int boundary = f.Top.GetWindowRect().Top + second.GetTop();
  f.Form.BeginDockDrag(moved, {moved.GetWindowRect().Left + 2, moved.GetWindowRect().Top + 2});
  f.Form.DockDragTo({200, boundary});
  EXPECT_EQ(f.Form.GetDockDrag()->Target().Dock, &f.Top);
  EXPECT_TRUE(f.Form.GetDockDrag()->Target().NewRow);
  f.Form.EndDockDrag();
  EXPECT_EQ(f.Toolbar.GetDockRow(), 0);
  EXPECT_EQ(moved.GetDockRow(), 1);
  EXPECT_EQ(second.GetDockRow(), 2) << "the rows are numbered anew from 0";
  EXPECT_EQ(moved.GetTop(), f.Toolbar.GetBoundsRect().Bottom());
  f.ExpectLaidOut("a new middle row");

  f.Form.BeginDockDrag(moved, {moved.GetWindowRect().Left + 2, moved.GetWindowRect().Top + 2});
  f.Form.DockDragTo({500, f.Top.GetWindowRect().Top + second.GetTop() + second.GetHeight() / 2});
  EXPECT_FALSE(f.Form.GetDockDrag()->Target().NewRow) << "the middle of a row joins it";
  f.Form.EndDockDrag();
  EXPECT_EQ(moved.GetDockRow(), 1);
  EXPECT_EQ(second.GetDockRow(), 1);
}

TEST(TDockDrag, WhatTheWindowMayNotDoIsNoTargetAndADestroyedWindowEndsTheDragQuietly) {
  TDockingForm f;
  f.Top.SetAllowDrag(false);
  EXPECT_THROW(f.Form.BeginDockDrag(f.Toolbar, {5, 5}), EDockError);
  EXPECT_EQ(f.Form.GetDockDrag(), nullptr);
  f.Top.SetAllowDrag(true);

  f.Toolbar.SetDockMode(dmCannotFloat);
  f.Form.BeginDockDrag(f.Toolbar, {5, 5});
  f.Form.DockDragTo({400, 300});
  EXPECT_EQ(f.Form.GetDockDrag()->Target().Dock, nullptr);
  EXPECT_FALSE(f.Form.GetDockDrag()->Target().Floating);
  EXPECT_EQ(f.Form.GetDockDrag()->Target().Outline, f.Toolbar.GetWindowRect()) << "the outline stays on the window";
  f.Form.DockDragTo({795, 300});  // over the multi-dock, which takes panels only
  EXPECT_EQ(f.Form.GetDockDrag()->Target().Dock, nullptr);
  f.Form.EndDockDrag();
  EXPECT_EQ(f.Toolbar.GetCurrentDock(), &f.Top);

  auto* doomed = new TTBXDockablePanel(nullptr);
  doomed->SetParent(&f.Left);
  f.Form.BeginDockDrag(*doomed, {5, doomed->GetWindowRect().Top + 5});
  f.Form.DockDragTo({400, 300});
  ASSERT_TRUE(f.Form.GetDockDrag()->Target().Floating);
  delete doomed;  // while it would float
  f.Form.DockDragTo({400, 300});
  f.Form.EndDockDrag();
  EXPECT_TRUE(f.Log.empty());
}

// A hidden dock catches nothing.
TEST(TDockDrag, AHiddenDockIsNoTarget) {
  TDockingForm f;
  const TPoint nearBottom{400, f.Bottom.GetWindowRect().Top - 3};
  f.Form.BeginDockDrag(f.Toolbar, {5, 5});
  f.Form.DockDragTo(nearBottom);
  ASSERT_EQ(f.Form.GetDockDrag()->Target().Dock, &f.Bottom);
  f.Form.CancelDockDrag();
  f.Bottom.Hide();
  f.Form.BeginDockDrag(f.Toolbar, {5, 5});
  f.Form.DockDragTo(nearBottom);
  EXPECT_NE(f.Form.GetDockDrag()->Target().Dock, &f.Bottom);
  f.Form.CancelDockDrag();
}

// Every border and corner of a floating panel, on both sides of each edge of its grips.
TEST(TTBCustomDockableWindow, AFloatingPanelsBordersAndCornersEndWhereTheirGripsEnd) {
  TDockingForm f;
  f.Panel.FloatAt({200, 150});
  const int w = f.Panel.GetWidth(), h = f.Panel.GetHeight();
  const int grip = std::max(FloatingResizeGrip, f.Panel.GetFrame().Border), corner = FloatingCornerGrip;
  const auto inside = [&](TPoint p) { return f.Panel.GetFrame().Caption.Contains(p) ? dhCaption : dhClient; };
  const std::vector<std::pair<TPoint, TDockableHit>> points = {
      {{-1, h / 2}, dhNone},
      {{w, h / 2}, dhNone},
      {{w / 2, -1}, dhNone},
      {{w / 2, h}, dhNone},
      {{grip - 1, h / 2}, dhLeft},
      {{grip, h / 2}, dhClient},
      {{w - grip, h / 2}, dhRight},
      {{w - grip - 1, h / 2}, dhClient},
      {{w / 2, grip - 1}, dhTop},
      {{w / 2, grip}, inside({w / 2, grip})},
      {{w / 2, h - grip}, dhBottom},
      {{w / 2, h - grip - 1}, dhClient},
      {{corner - 1, 0}, dhTopLeft},
      {{corner, 0}, dhTop},
      {{0, corner - 1}, dhTopLeft},
      {{0, corner}, dhLeft},
      {{w - corner, 0}, dhTopRight},
      {{w - corner - 1, 0}, dhTop},
      {{w - 1, corner - 1}, dhTopRight},
      {{w - 1, corner}, dhRight},
      {{corner - 1, h - 1}, dhBottomLeft},
      {{corner, h - 1}, dhBottom},
      {{0, h - corner}, dhBottomLeft},
      {{0, h - corner - 1}, dhLeft},
      {{w - corner, h - 1}, dhBottomRight},
      {{w - corner - 1, h - 1}, dhBottom},
      {{w - 1, h - corner}, dhBottomRight},
      {{w - 1, h - corner - 1}, dhRight},
  };
  for (const auto& [point, hit] : points)
    EXPECT_EQ(f.Panel.HitTest(point), hit) << point.X << "," << point.Y << " of " << w << "x" << h;
}

TEST(TTBCustomDockableWindow, AWindowNeitherDocksInsideItselfNorFloatsWithoutAWindowAround) {
  TDockingForm f;
  TTBXDock inner(nullptr);
  inner.SetName("Inner");
  inner.SetParent(&f.Panel);
  ExpectRefused(
      f.Panel, [&] { f.Panel.DockTo(inner, 0, -1); }, "the dock 'Inner' lies inside 'Panel'");
  TTBXToolbar loose(nullptr);
  loose.SetName("Loose");
  ExpectRefused(
      loose,
      [&] {
        loose.FloatAt({10, 10});
      },
      "'Loose' lies in no window to float over");
  TTBXDock lonelyDock(nullptr);
  loose.SetParent(&lonelyDock);
  ExpectRefused(
      loose,
      [&] {
        loose.FloatAt({10, 10});
      },
      "'Loose' lies in no window to float over");
}

// Docking at a position first gives the visible windows of that row that have none the place
// where they stand, so that the position falls between them; a window's own position, and the
// windows of other rows or hidden ones, are left as they are.
TEST(TTBCustomDockableWindow, DockingAtAPositionPinsTheUnpositionedWindowsOfThatRowWhereTheyStand) {
  TDockingForm f;
  TTBXToolbar positioned(nullptr), alsoAtZero(nullptr), pushed(nullptr), hidden(nullptr), nextRow(nullptr),
      coming(nullptr);
  for (TTBXToolbar* toolbar : {&positioned, &alsoAtZero, &pushed, &hidden, &nextRow, &coming})
    AddButton(*toolbar, "Button");
  positioned.SetDockPos(0);
  positioned.SetParent(&f.Top);
  alsoAtZero.SetDockPos(0);  // stands after the other one, and still asks for 0
  alsoAtZero.SetParent(&f.Top);
  pushed.SetParent(&f.Top);
  hidden.SetParent(&f.Top);
  hidden.Hide();
  nextRow.SetDockRow(1);
  nextRow.SetParent(&f.Top);
  TControl stray(nullptr);  // a control that is no window, put in the dock by hand
  stray.SetParent(&f.Top);
  stray.Hide();
  const int toolbarLeft = f.Toolbar.GetLeft(), pushedLeft = pushed.GetLeft();
  ASSERT_GT(toolbarLeft, 0);
  coming.DockTo(f.Top, 0, 0);
  EXPECT_EQ(f.Toolbar.GetDockPos(), toolbarLeft);
  EXPECT_EQ(pushed.GetDockPos(), pushedLeft);
  EXPECT_EQ(positioned.GetDockPos(), 0);
  EXPECT_EQ(alsoAtZero.GetDockPos(), 0);
  EXPECT_EQ(hidden.GetDockPos(), -1);
  EXPECT_EQ(nextRow.GetDockPos(), -1);
  EXPECT_EQ(coming.GetDockPos(), 0);
  f.ExpectLaidOut("a window docked at 0");
}

// A right or bottom border dragged past the minimum leaves the left and top edges where they are.
TEST(TTBCustomDockableWindow, ARightOrBottomBorderHeldAtTheMinimumKeepsTheLeftAndTopEdges) {
  TDockingForm f;
  f.Panel.FloatAt({200, 150});
  const TRect start = f.Panel.GetBoundsRect();
  f.Panel.ResizeFloating({start.Left, start.Top, 5, 5});
  EXPECT_EQ(f.Panel.GetBoundsRect(), (TRect{start.Left, start.Top, f.Panel.GetMinimumFloatingSize().Width,
                                            f.Panel.GetMinimumFloatingSize().Height}));
}

// The form hears of a border drag once it ends, not at every step.
TEST(TTBCustomDockableWindow, AFloatingResizeTellsTheFormOnlyWhenItIsDone) {
  TDockingForm f;
  f.Panel.FloatAt({200, 150});
  f.Log.clear();
  const TRect start = f.Panel.GetBoundsRect();
  f.Panel.ResizeFloating({start.Left, start.Top, start.Width + 10, start.Height}, false);
  EXPECT_TRUE(f.Log.empty());
  f.Panel.ResizeFloating({start.Left, start.Top, start.Width + 20, start.Height}, true);
  EXPECT_EQ(f.Log, std::vector<std::string>{"float Panel"});
}

// A hidden edge takes no room, so it does not count toward the least size.
TEST(TForm, AHiddenEdgeAddsNothingToTheMinimumSize) {
  TDockingForm f;
  const TSize least = f.Form.GetMinimumSize();
  f.Status.Hide();
  EXPECT_EQ(f.Form.GetMinimumSize().Height, least.Height - f.Status.GetHeight());
}

// The form tells its peer when its least size changes, and only then; a drag that was never
// begun is cancelled quietly, ended or moved with an error, and a window of another form is not
// dragged here.
TEST(TForm, ThePeerHearsOfANewMinimumSizeAndOfDragsThatAreBegun) {
  TRecordingPeers peers;
  TDockingForm f;
  const TPeerLog& log = peers.Watch(f.Form);
  f.Form.Resize(900, 700);  // the first layout the peer sees tells it the least size
  const int before = log.FormChanges;
  f.Form.Resize(950, 720);
  EXPECT_EQ(log.FormChanges, before) << "the same least size";
  f.Toolbar.DockTo(f.Left, 1, -1);
  const int moved = log.FormChanges;
  EXPECT_GT(moved, before) << "the left dock is wider";
  f.Form.CancelDockDrag();
  EXPECT_EQ(log.FormChanges, moved);
  EXPECT_THROW(f.Form.EndDockDrag(), EDockError);
  EXPECT_THROW(f.Form.DockDragTo({10, 10}), EDockError);
  TDockingForm other;
  try {
    f.Form.BeginDockDrag(other.Toolbar, {5, 5});
    ADD_FAILURE() << "a window of another form was dragged";
  } catch (const EDockError& e) {
    EXPECT_EQ(std::string(e.what()), "the window 'Toolbar' lies in another form");
  }
}

// Where a drag over a dock's row lands, at the pixels where it changes: near the row's edges a
// new row before or after it, in between the row itself.
TEST(TDockDrag, TheEdgesOfARowMakeNewRowsAndItsMiddleJoinsIt) {
  TDockingForm f;
  f.Form.BeginDockDrag(f.Panel, {f.Panel.GetWindowRect().Left + 2, f.Panel.GetWindowRect().Top + 2});
  const TPoint origin = ClientOrigin(f.Top);
  const int thickness = f.Toolbar.GetHeight(), edge = std::max(2, thickness / 4);
  const auto at = [&](int across) {
    f.Form.DockDragTo({300, origin.Y + across});
    const TDockTarget& target = f.Form.GetDockDrag()->Target();
    EXPECT_EQ(target.Dock, &f.Top) << across;
    return std::make_pair(target.NewRow, target.Row);
  };
  EXPECT_EQ(at(edge - 1), std::make_pair(true, 0)) << "a new row before it";
  EXPECT_EQ(at(edge), std::make_pair(false, 0));
  EXPECT_EQ(at(thickness - edge - 1), std::make_pair(false, 0));
  EXPECT_EQ(at(thickness - edge), std::make_pair(true, 1)) << "a new row after it";
  f.Form.CancelDockDrag();
}

// A panel's place in a row only orders it: its outline spans the row from the start, and its
// position goes up to the last pixel. A new row of a bottom or right dock grows towards the
// window's middle, one of a top or left dock away from it.
TEST(TDockDrag, APanelsOutlineSpansTheRowAndNewRowsGrowTowardsTheMiddle) {
  TDockingForm f;
  ASSERT_EQ(f.Panel.GetDockedSize(false).Width, 0) << "a panel has no length of its own";
  f.Form.BeginDockDrag(f.Panel, {f.Panel.GetWindowRect().Left + 2, f.Panel.GetWindowRect().Top + 2});
  const TPoint top = ClientOrigin(f.Top);
  const int length = f.Top.GetClientArea().Width;
  f.Form.DockDragTo({top.X + length - 1, top.Y + f.Toolbar.GetHeight() / 2});
  TDockTarget target = f.Form.GetDockDrag()->Target();
  ASSERT_EQ(target.Dock, &f.Top);
  EXPECT_EQ(target.Pos, length - 1);
  EXPECT_EQ(target.Outline.Left, top.X);
  EXPECT_EQ(target.Outline.Width, length);

  f.Form.DockDragTo({300, top.Y + f.Toolbar.GetHeight() - 1});  // a new row under the toolbar's
  target = f.Form.GetDockDrag()->Target();
  ASSERT_TRUE(target.NewRow);
  EXPECT_EQ(target.Outline.Top, top.Y + f.Toolbar.GetHeight());

  const TRect right = f.Right.GetWindowRect();
  f.Form.DockDragTo({right.Left - 3, right.Top + 50});
  target = f.Form.GetDockDrag()->Target();
  ASSERT_EQ(target.Dock, &f.Right);
  EXPECT_EQ(target.Outline.Right(), ClientOrigin(f.Right).X);
  f.Form.CancelDockDrag();
}

// Two docks catch the pointer in their strips and neither holds it: the first in the window's
// order takes the window. Controls that are not windows are passed over.
TEST(TDockDrag, WhereTwoStripsMeetTheFirstDockTakesTheWindow) {
  TDockingForm f;
  TControl plain(nullptr);
  plain.SetParent(&f.Form);
  f.Form.BeginDockDrag(f.Toolbar, {f.Toolbar.GetWindowRect().Left + 2, f.Toolbar.GetWindowRect().Top + 2});
  const TRect left = f.Left.GetWindowRect(), top = f.Top.GetWindowRect();
  f.Form.DockDragTo({left.Right() + 3, top.Bottom() + 3});
  EXPECT_EQ(f.Form.GetDockDrag()->Target().Dock, &f.Top);
  f.Form.CancelDockDrag();
}

// A rule that changes during a drag refuses the drop, and the dock's rows keep their numbers.
TEST(TDockDrag, ADropThatARuleNowRefusesChangesNothing) {
  TDockingForm f;
  f.Form.BeginDockDrag(f.Panel, {f.Panel.GetWindowRect().Left + 2, f.Panel.GetWindowRect().Top + 2});
  f.Form.DockDragTo({300, ClientOrigin(f.Top).Y + f.Toolbar.GetHeight() - 1});
  ASSERT_TRUE(f.Form.GetDockDrag()->Target().NewRow);
  f.Top.SetAllowDrag(false);
  EXPECT_THROW(f.Form.EndDockDrag(), EDockError);
  EXPECT_EQ(f.Toolbar.GetDockRow(), 0);
  EXPECT_EQ(f.Panel.GetCurrentDock(), &f.Left);
}

}  // namespace
