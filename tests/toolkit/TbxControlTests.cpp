#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "KolExceptions.h"
#include "TbxControls.h"
#include "TbxStackPanels.h"
#include "TbxLayoutCounters.h"
#include "TbxRecordingPeers.h"

namespace {
struct TBounds {
  int Left, Top, Width, Height;
  friend bool operator==(const TBounds&, const TBounds&) = default;
};

TBounds BoundsOf(const TControl& c) { return {c.GetLeft(), c.GetTop(), c.GetWidth(), c.GetHeight()}; }

void PrintTo(const TBounds& b, std::ostream* os) {
  *os << "(" << b.Left << "," << b.Top << " " << b.Width << "x" << b.Height << ")";
}

// A child of the given size and alignment.
std::unique_ptr<TControl> AlignedChild(TWinControl& parent, TAlign align, int width, int height) {
  auto child = std::make_unique<TControl>(nullptr);
  child->SetBounds(1, 1, width, height);
  child->SetParent(&parent);
  child->SetAlign(align);
  return child;
}
}  // namespace

TEST(TControlParent, SetParentMovesTheControlBetweenLists) {
  TWinControl first(nullptr), second(nullptr);
  TControl a(nullptr), b(nullptr);
  a.SetParent(&first);
  b.SetParent(&first);
  a.SetParent(&second);
  EXPECT_EQ(first.GetControlCount(), 1);
  EXPECT_EQ(first.GetControl(0), &b);
  EXPECT_EQ(second.IndexOfControl(&a), 0);
  EXPECT_EQ(a.GetParent(), &second);
  b.SetParent(nullptr);
  EXPECT_EQ(first.GetControlCount(), 0);
  EXPECT_EQ(b.GetParent(), nullptr);
}

TEST(TControlParent, AControlCannotGoIntoItselfOrAControlInsideIt) {
  TWinControl outer(nullptr), inner(nullptr);
  outer.SetName("Outer");
  inner.SetParent(&outer);
  EXPECT_THROW(outer.SetParent(&outer), Exception);
  try {
    outer.SetParent(&inner);
    ADD_FAILURE() << "a cycle was accepted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "control Outer cannot be placed in TWinControl, which lies inside it");
  }
  EXPECT_EQ(outer.GetParent(), nullptr);  // nothing changed
  EXPECT_EQ(inner.GetParent(), &outer);
  EXPECT_EQ(inner.GetControlCount(), 0);
}

TEST(TControlParent, DestroyedParentDetachesChildrenWithoutDestroyingThem) {
  TComponent owner(nullptr);
  auto* parent = new TWinControl(nullptr);
  auto* child = new TControl(&owner);
  auto* winChild = new TWinControl(&owner);
  child->SetParent(parent);
  winChild->SetParent(parent);
  delete parent;
  EXPECT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_EQ(winChild->GetParent(), nullptr);
}

TEST(TControlParent, DestroyedChildLeavesItsParent) {
  TWinControl parent(nullptr);
  auto* a = new TControl(nullptr);
  auto* b = new TWinControl(nullptr);
  a->SetParent(&parent);
  b->SetParent(&parent);
  delete a;
  ASSERT_EQ(parent.GetControlCount(), 1);
  EXPECT_EQ(parent.GetControl(0), b);
  delete b;
  EXPECT_EQ(parent.GetControlCount(), 0);
}

TEST(TWinControlHandle, HandlesAreUniqueAndFindTheirControlWhileItLives) {
  auto* a = new TWinControl(nullptr);
  TWinControl b(nullptr);
  THandle handle = a->GetHandle();
  EXPECT_NE(handle, 0);
  EXPECT_NE(handle, b.GetHandle());
  EXPECT_EQ(FindControl(handle), a);
  EXPECT_EQ(FindControl(b.GetHandle()), &b);
  EXPECT_EQ(FindControl(0), nullptr);
  delete a;
  EXPECT_EQ(FindControl(handle), nullptr);
}

TEST(TWinControlFocus, FocusFollowsSetFocusAndClearsOnDestruction) {
  auto* a = new TWinControl(nullptr);
  TWinControl b(nullptr);
  a->SetFocus();
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(FocusedControl(), a);
  b.SetFocus();
  EXPECT_FALSE(a->Focused());
  a->SetFocus();
  delete a;
  EXPECT_EQ(FocusedControl(), nullptr);
  EXPECT_FALSE(b.Focused());
}

TEST(TWinControlAlign, EdgesAreTakenInOrderAndClientFillsTheRest) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 200, 100);
  auto client = AlignedChild(parent, alClient, 5, 5);
  auto left = AlignedChild(parent, alLeft, 30, 5);
  auto top1 = AlignedChild(parent, alTop, 5, 10);
  auto bottom = AlignedChild(parent, alBottom, 5, 20);
  auto right = AlignedChild(parent, alRight, 40, 5);
  auto top2 = AlignedChild(parent, alTop, 5, 15);
  auto unaligned = AlignedChild(parent, alNone, 7, 8);
  EXPECT_EQ(BoundsOf(*top1), (TBounds{0, 0, 200, 10}));
  EXPECT_EQ(BoundsOf(*top2), (TBounds{0, 10, 200, 15}));
  EXPECT_EQ(BoundsOf(*bottom), (TBounds{0, 80, 200, 20}));
  EXPECT_EQ(BoundsOf(*left), (TBounds{0, 25, 30, 55}));
  EXPECT_EQ(BoundsOf(*right), (TBounds{160, 25, 40, 55}));
  EXPECT_EQ(BoundsOf(*client), (TBounds{30, 25, 130, 55}));
  EXPECT_EQ(BoundsOf(*unaligned), (TBounds{1, 1, 7, 8}));
}

TEST(TWinControlAlign, HiddenChildrenAndResizeRealign) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  auto top = AlignedChild(parent, alTop, 5, 10);
  auto client = AlignedChild(parent, alClient, 5, 5);
  top->Hide();
  EXPECT_EQ(BoundsOf(*client), (TBounds{0, 0, 100, 100}));
  top->Show();
  EXPECT_EQ(BoundsOf(*client), (TBounds{0, 10, 100, 90}));
  parent.SetBounds(0, 0, 50, 60);
  EXPECT_EQ(BoundsOf(*top), (TBounds{0, 0, 50, 10}));
  EXPECT_EQ(BoundsOf(*client), (TBounds{0, 10, 50, 50}));
}

// A control that destroys another when its size changes, as a handler of the host may.
class TDestroyingOnResize : public TControl {
 public:
  using TControl::TControl;
  std::unique_ptr<TControl>* Victim = nullptr;
  int Spared = 0;  // resizes that pass before the victim is destroyed

 protected:
  void Resized() override {
    if (Victim && Spared-- == 0) std::exchange(Victim, nullptr)->reset();
  }
};

// A child whose resize destroys a sibling still to be placed, edge-aligned or client-aligned, in
// the same layout: the rest is laid out without the destroyed one (under AddressSanitizer: and
// without touching it).
TEST(TWinControlAlign, AChildDestroyedByAnotherBeingPlacedIsLeftOutOfTheLayout) {
  for (TAlign victimAlign : {alTop, alBottom, alClient}) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 100);
    auto killer = std::make_unique<TDestroyingOnResize>(nullptr);
    killer->SetBounds(0, 0, 5, 10);
    killer->SetParent(&parent);
    killer->SetAlign(alTop);
    auto victim = AlignedChild(parent, victimAlign, 5, 20);
    auto client = AlignedChild(parent, alClient, 5, 5);
    killer->Victim = &victim;
    parent.SetBounds(0, 0, 80, 100);  // the killer's width changes first
    EXPECT_EQ(victim, nullptr);
    EXPECT_EQ(BoundsOf(*killer), (TBounds{0, 0, 80, 10}));
    EXPECT_EQ(BoundsOf(*client), (TBounds{0, 10, 80, 90})) << victimAlign;
  }
}

// The same in a stack panel, which places its column itself: a stacked child that grows taller
// and is then narrowed to the column destroys the child below it, and the rest of the column
// closes up.
TEST(TWinControlAlign, AStackedChildDestroyedByTheOneAboveIsLeftOutOfTheColumn) {
  TStackPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 300);
  const auto stacked = [&](std::unique_ptr<TControl> child, int height) {
    child->SetBounds(0, 0, 50, height);
    child->SetParent(&panel);
    return child;
  };
  auto killer = std::make_unique<TDestroyingOnResize>(nullptr);
  killer->SetBounds(0, 0, 50, 10);
  killer->SetParent(&panel);
  auto victim = stacked(std::make_unique<TControl>(nullptr), 20);
  auto last = stacked(std::make_unique<TControl>(nullptr), 30);
  killer->Victim = &victim;
  killer->Spared = 1;                // its own resize passes; the panel's narrowing destroys
  killer->SetBounds(0, 0, 500, 15);  // taller: the column is stacked again from it
  EXPECT_EQ(victim, nullptr);
  const int column = 100 - 2 * TStackPanel::StackPadding;
  EXPECT_EQ(BoundsOf(*killer), (TBounds{TStackPanel::StackPadding, TStackPanel::StackPadding, column, 15}));
  EXPECT_EQ(BoundsOf(*last),
            (TBounds{TStackPanel::StackPadding, TStackPanel::StackPadding + 15 + TStackPanel::StackGap, 50, 30}));
}

TEST(TWinControlAlign, SetAlignRealignsEvenWithTheSameValue) {
  TWinControl parent(nullptr);
  TControl child(nullptr);
  child.SetParent(&parent);
  TTbxLayoutProbe probe(parent);
  child.SetAlign(alNone);
  child.SetAlign(alNone);
  EXPECT_EQ(probe.AlignPasses(), 2);
  TControl orphan(nullptr);
  orphan.SetAlign(alTop);  // no parent to ask
}

// Removing aligned children with alignment disabled lays the rest out once, exactly as removing
// them one by one does.
TEST(TWinControlAlign, RemovingChildrenWithAlignDisabledGivesTheSameLayout) {
  auto build = [](TWinControl& parent, std::vector<std::unique_ptr<TControl>>& children) {
    parent.SetBounds(0, 0, 300, 200);
    const TAlign aligns[] = {alTop, alLeft, alClient, alBottom, alRight, alTop, alLeft, alBottom, alNone};
    int size = 10;
    for (TAlign align : aligns) {
      children.push_back(AlignedChild(parent, align, size, size + 3));
      size += 4;
    }
  };
  TWinControl plain(nullptr), batched(nullptr);
  std::vector<std::unique_ptr<TControl>> plainChildren, batchedChildren;
  build(plain, plainChildren);
  build(batched, batchedChildren);
  const size_t removed[] = {7, 0, 4, 2};  // a bottom, a top, the right and the client
  for (size_t i : removed) plainChildren[i].reset();
  batched.DisableAlign();
  batched.DisableAlign();
  TTbxLayoutProbe probe(batched);
  for (size_t i : removed) batchedChildren[i].reset();
  batchedChildren[1]->SetParent(nullptr);
  plainChildren[1]->SetParent(nullptr);
  batched.EnableAlign();
  EXPECT_EQ(probe.AlignPasses(), 0);
  batched.EnableAlign();
  EXPECT_EQ(probe.AlignPasses(), 1);
  ASSERT_EQ(batched.GetControlCount(), plain.GetControlCount());
  for (int i = 0; i < plain.GetControlCount(); ++i)
    EXPECT_EQ(BoundsOf(*batched.GetControl(i)), BoundsOf(*plain.GetControl(i))) << "child " << i;
  EXPECT_EQ(BoundsOf(*batchedChildren[5]), (TBounds{0, 0, 300, 33}));
  EXPECT_THROW(batched.EnableAlign(), EAssertionFailed);
}

TEST(TControlEvents, ClickDblClickAndContextPopupReachTheirHandlers) {
  TControl control(nullptr);
  bool dummy = false;
  control.Click();  // nothing assigned: nothing happens
  control.DblClick();
  control.ContextPopup({}, dummy);
  EXPECT_FALSE(dummy);

  std::vector<std::string> heard;
  control.OnClick = [&](TObject* s) { heard.push_back(s == &control ? "click" : "?"); };
  control.OnDblClick = [&](TObject* s) { heard.push_back(s == &control ? "dblclick" : "?"); };
  control.OnContextPopup = [&](TObject* s, TPoint p, bool& handled) {
    heard.push_back(s == &control && p.X == 3 && p.Y == 4 ? "popup" : "?");
    handled = true;
  };
  bool handled = false;
  control.Click();
  control.DblClick();
  control.ContextPopup({3, 4}, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(heard, (std::vector<std::string>{"click", "dblclick", "popup"}));
}

// A child aligned again takes its place once, and one no longer aligned stays where it was put.
TEST(TWinControlAlign, AChildAlignedAgainIsPlacedOnceAndOneNoLongerAlignedStaysWhereItIsPut) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  auto first = AlignedChild(parent, alTop, 5, 10);
  auto second = AlignedChild(parent, alTop, 5, 15);
  first->SetAlign(alNone);
  first->SetBounds(3, 50, 20, 20);
  parent.SetBounds(0, 0, 80, 100);
  EXPECT_EQ(BoundsOf(*first), (TBounds{3, 50, 20, 20}));
  EXPECT_EQ(BoundsOf(*second), (TBounds{0, 0, 80, 15}));
  first->SetAlign(alTop);
  EXPECT_EQ(BoundsOf(*first), (TBounds{0, 0, 80, 20}));
  EXPECT_EQ(BoundsOf(*second), (TBounds{0, 20, 80, 15}));
}

// The edges go in child order, not in the order the children were aligned.
TEST(TWinControlAlign, ChildrenAlignedOutOfOrderAreStillPlacedInChildOrder) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  auto first = AlignedChild(parent, alNone, 5, 10);
  auto second = AlignedChild(parent, alNone, 5, 15);
  auto third = AlignedChild(parent, alNone, 5, 20);
  third->SetAlign(alTop);
  first->SetAlign(alTop);
  second->SetAlign(alTop);
  EXPECT_EQ(BoundsOf(*first), (TBounds{0, 0, 100, 10}));
  EXPECT_EQ(BoundsOf(*second), (TBounds{0, 10, 100, 15}));
  EXPECT_EQ(BoundsOf(*third), (TBounds{0, 25, 100, 20}));
}

// Only a child that the parent placed leaves a gap to close; a parent being destroyed lays out
// nothing as its children leave.
TEST(TWinControlAlign, OnlyAPlacedChildLeavingLaysOutAndADyingParentLaysOutNothing) {
  auto parent = std::make_unique<TWinControl>(nullptr);
  parent->SetBounds(0, 0, 100, 100);
  auto top = AlignedChild(*parent, alTop, 5, 10);
  auto loose = AlignedChild(*parent, alNone, 5, 10);
  auto client = AlignedChild(*parent, alClient, 5, 10);
  {
    TTbxLayoutProbe probe(*parent);
    loose->SetParent(nullptr);
    EXPECT_EQ(probe.AlignPasses(), 0);
    top->SetParent(nullptr);
    EXPECT_EQ(probe.AlignPasses(), 1);
    EXPECT_EQ(BoundsOf(*client), (TBounds{0, 0, 100, 100}));
  }
  top->SetParent(parent.get());
  const auto passes = TbxLayoutCounters().AlignPasses;
  parent.reset();
  EXPECT_EQ(TbxLayoutCounters().AlignPasses, passes);
  EXPECT_EQ(client->GetParent(), nullptr);
}

TEST(TWinControlAlign, EnablingAlignWithNothingAskedLaysNothingOut) {
  TWinControl parent(nullptr);
  auto top = AlignedChild(parent, alTop, 5, 10);
  TTbxLayoutProbe probe(parent);
  parent.DisableAlign();
  parent.EnableAlign();
  EXPECT_EQ(probe.AlignPasses(), 0);
}

namespace {
// A container whose deferred layout fails with its name.
class TFailingLayout : public TWinControl {
 public:
  explicit TFailingLayout(std::string name) : TWinControl(nullptr), FName(std::move(name)) {}
  void AskForLayout() { EXPECT_TRUE(DeferLayout()); }
  int Attempts = 0;

 protected:
  void LayOutDeferred() override {
    ++Attempts;
    if (!FName.empty()) throw Exception(FName + " failed");
  }

 private:
  std::string FName;
};
}  // namespace

// Every waiting layout runs although an earlier one failed, and the first failure is reported.
TEST(TWinControlDeferLayouts, EveryLayoutRunsAndTheFirstErrorIsReported) {
  TFailingLayout first("first"), fine(""), second("second");
  bool reported = false;
  try {
    const TWinControl::TDeferLayouts deferred;
    first.AskForLayout();
    fine.AskForLayout();
    second.AskForLayout();
    first.AskForLayout();  // listed once
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "first failed");
    reported = true;
  }
  EXPECT_TRUE(reported);
  EXPECT_EQ(first.Attempts, 1);
  EXPECT_EQ(fine.Attempts, 1);
  EXPECT_EQ(second.Attempts, 1);
}

TEST(TWinControlFocus, FocusingTheFocusedControlAgainTellsNobody) {
  TRecordingPeers peers;
  TWinControl a(nullptr), b(nullptr);
  const TPeerLog& aLog = peers.Watch(a);
  const TPeerLog& bLog = peers.Watch(b);
  a.SetFocus();
  a.SetFocus();
  EXPECT_EQ(aLog.FocusChanges, 1);
  b.SetFocus();
  EXPECT_EQ(aLog.FocusChanges, 2);
  EXPECT_EQ(bLog.FocusChanges, 1);
}

// An edge child thicker than what is left is cut to it, a side child by the width and a top or
// bottom child by the height; one that does not size itself keeps its own thickness.
TEST(TWinControlAlign, AnEdgeChildIsCutToTheFreeAreaAlongItsThickness) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 300, 100);
  auto top = AlignedChild(parent, alTop, 5, 200);
  EXPECT_EQ(BoundsOf(*top), (TBounds{0, 0, 300, 100}));
  top->SetAlign(alNone);
  auto right = AlignedChild(parent, alRight, 500, 5);
  EXPECT_EQ(BoundsOf(*right), (TBounds{0, 0, 300, 100}));
  right->SetAlign(alNone);
  auto bottom = AlignedChild(parent, alBottom, 5, 40);
  EXPECT_EQ(BoundsOf(*bottom), (TBounds{0, 60, 300, 40}));
}

// Client-aligned children share what the edges leave in equal parts, the last taking the rest.
TEST(TWinControlAlign, ClientChildrenShareTheRestAndTheLastTakesWhatTheDivisionLeaves) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 50, 110);
  auto top = AlignedChild(parent, alTop, 5, 10);
  auto first = AlignedChild(parent, alClient, 5, 5);
  auto second = AlignedChild(parent, alClient, 5, 5);
  auto third = AlignedChild(parent, alClient, 5, 5);
  EXPECT_EQ(BoundsOf(*first), (TBounds{0, 10, 50, 33}));
  EXPECT_EQ(BoundsOf(*second), (TBounds{0, 43, 50, 33}));
  EXPECT_EQ(BoundsOf(*third), (TBounds{0, 76, 50, 34}));
}

// A client-aligned child whose resize destroys the next client-aligned child: the walk over the
// client children ends with the list (under AddressSanitizer: without reading past it), and the
// next pass gives the survivors the whole area.
TEST(TWinControlAlign, AClientChildDestroyedByTheClientChildBeforeItIsLeftOut) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  auto killer = std::make_unique<TDestroyingOnResize>(nullptr);
  killer->SetParent(&parent);
  killer->SetAlign(alClient);
  auto victim = AlignedChild(parent, alClient, 5, 5);
  killer->Victim = &victim;
  parent.SetBounds(0, 0, 80, 100);
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(BoundsOf(*killer), (TBounds{0, 0, 80, 100}));
}

// A control's peer is made once, only where a backend installed a factory, and goes while the
// control still lies in its parent, so that it never draws a control coming apart.
TEST(TControlPeers, APeerIsMadeOnceAndGoesBeforeItsControlLeavesItsParent) {
  TControl plain(nullptr);
  plain.CreatePeer();
  EXPECT_EQ(plain.GetPeer(), nullptr);
  TRecordingPeers peers;
  TWinControl parent(nullptr);
  auto child = std::make_unique<TControl>(nullptr);
  child->SetParent(&parent);
  const TPeerLog& log = peers.Watch(*child);
  child->CreatePeer();
  EXPECT_EQ(log.PeersMade, 1);
  child.reset();
  EXPECT_TRUE(log.GoneInParent);
}

// The same bounds or text set again tell the peer nothing.
TEST(TControlPeers, TheSameBoundsOrTextSetAgainTellThePeerNothing) {
  TRecordingPeers peers;
  TControl control(nullptr);
  const TPeerLog& log = peers.Watch(control);
  control.SetBounds(1, 2, 30, 40);
  const int moves = log.BoundsChanges;
  control.SetBounds(1, 2, 30, 40);
  EXPECT_EQ(log.BoundsChanges, moves);
  ExpectRedrawnOnlyByChanges(log, {{"text", [&] { control.SetText("Other"); }}}, TRedraws::Once);
}

// Where a parent that places its children put one means nothing in the next parent: it starts
// there at 0, 0, whichever of its coordinates the last parent had set, and one that stood at 0, 0
// already does not move.
TEST(TControlParent, APlacedControlMovedToAnotherParentStartsAtItsCorner) {
  for (TAlign align : {alTop, alLeft}) {
    TRecordingPeers peers;  // outlives the controls it makes peers for
    TWinControl placing(nullptr);
    placing.SetBounds(0, 0, 200, 200);
    auto edge = AlignedChild(placing, align, 20, 20);  // placed at 0, 0
    TControl moved(nullptr);
    moved.SetBounds(0, 0, 20, 20);
    moved.SetParent(&placing);
    moved.SetAlign(align);  // placed after the edge child: one coordinate is not 0
    ASSERT_NE(moved.GetLeft() + moved.GetTop(), 0) << align;
    moved.SetAlign(alNone);  // left where it was placed, so that the next parent does not place it
    TWinControl plain(nullptr);
    moved.SetParent(&plain);
    EXPECT_EQ(moved.GetLeft(), 0) << align;
    EXPECT_EQ(moved.GetTop(), 0) << align;
    edge->SetAlign(alNone);  // left where it was placed
    const TPeerLog& log = peers.Watch(*edge);
    edge->SetParent(&plain);
    EXPECT_EQ(log.BoundsChanges, 0) << align;
  }
}

// A window rectangle counts every parent's position but the window's own: the top-level control
// is the window.
TEST(TControlParent, AWindowRectangleCountsThePositionsOfEveryParentButTheWindow) {
  TWinControl window(nullptr), panel(nullptr);
  window.SetBounds(100, 50, 400, 300);
  panel.SetBounds(10, 20, 200, 100);
  panel.SetParent(&window);
  TControl control(nullptr);
  control.SetBounds(1, 2, 5, 5);
  control.SetParent(&panel);
  EXPECT_EQ(control.GetWindowRect(), (TRect{11, 22, 5, 5}));
}

namespace {
// A container whose every layout asks for another, directly or at the end of a deferred bracket,
// as a handler that resizes what it is told about may.
class TRestlessLayout : public TWinControl {
 public:
  TRestlessLayout() : TWinControl(nullptr) {}
  void AlignControls() override {
    ++Passes;
    Realign();
  }
  void AskForLayout() { EXPECT_TRUE(DeferLayout()); }
  int Passes = 0, Rounds = 0;

 protected:
  void LayOutDeferred() override {
    ++Rounds;
    DeferLayout();
  }
};
}  // namespace

// A layout that never settles stands as it is after eight passes in a row, and deferred layouts
// that keep asking after eight rounds.
TEST(TWinControlAlign, ALayoutThatNeverSettlesStopsAfterEightPassesOrRounds) {
  TRestlessLayout restless;
  restless.Realign();
  EXPECT_EQ(restless.Passes, 8);
  {
    const TWinControl::TDeferLayouts deferred;
    restless.AskForLayout();
  }
  EXPECT_EQ(restless.Rounds, 8);
}
