// A stack panel's column follows its children: one hidden closes up, one destroyed while the
// column is placed leaves no gap, and floating windows are placed whatever their handlers do.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "TbxDockablePanels.h"
#include "TbxLayoutCounters.h"
#include "TbxStackPanels.h"
#include "TbxTestToolbars.h"

namespace {

constexpr int Padding = TStackPanel::StackPadding;
constexpr int Gap = TStackPanel::StackGap;

struct TColumn {
  TStackPanel Panel{nullptr};
  TColumn() { Panel.SetBounds(0, 0, 100, 300); }
  std::unique_ptr<TControl> Stack(std::unique_ptr<TControl> child, int height) {
    child->SetBounds(0, 0, 50, height);
    child->SetParent(&Panel);
    return child;
  }
  std::unique_ptr<TControl> Stack(int height) { return Stack(std::make_unique<TControl>(nullptr), height); }
};

// A control that destroys another when its parent places it, as a handler of the host may.
class TDestroyingWhenPlaced : public TControl {
 public:
  using TControl::TControl;
  std::unique_ptr<TControl>* Victim = nullptr;

 protected:
  void Resized() override {
    if (Victim && IsBeingPlaced()) std::exchange(Victim, nullptr)->reset();
  }
};

TEST(TStackPanel, AHiddenChildClosesUpTheColumnAndShownAgainOpensIt) {
  TColumn column;
  auto first = column.Stack(10), middle = column.Stack(20), last = column.Stack(30);
  EXPECT_EQ(last->GetTop(), Padding + 10 + Gap + 20 + Gap);
  middle->Hide();
  EXPECT_EQ(last->GetTop(), Padding + 10 + Gap);
  middle->Show();
  EXPECT_EQ(last->GetTop(), Padding + 10 + Gap + 20 + Gap);
}

// A child that grew taller is placed again, and destroys the child above it as it is: the column
// is stacked anew without it.
TEST(TStackPanel, AChildDestroyedAboveTheOneBeingPlacedLeavesNoGap) {
  TColumn column;
  auto victim = column.Stack(20);
  auto killer = std::make_unique<TDestroyingWhenPlaced>(nullptr);
  killer->SetBounds(0, 0, 50, 10);
  killer->SetParent(&column.Panel);
  auto last = column.Stack(30), more = column.Stack(40);
  killer->Victim = &victim;
  killer->SetBounds(0, 0, 500, 15);  // taller, and too wide: the column narrows it as it places it
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(killer->GetTop(), Padding);
  EXPECT_EQ(last->GetTop(), Padding + 15 + Gap);
  EXPECT_EQ(more->GetTop(), Padding + 15 + Gap + 30 + Gap);
}

// A child put aside by hand as its width changes goes back to the column (a move alone is no
// change the panel hears of).
TEST(TStackPanel, AChildPutAsideAsItsWidthChangesGoesBackToTheColumn) {
  TColumn column;
  auto first = column.Stack(10), second = column.Stack(20), third = column.Stack(30);
  second->SetBounds(50, second->GetTop(), 40, second->GetHeight());
  EXPECT_EQ(second->GetLeft(), Padding);
  EXPECT_EQ(second->GetWidth(), 40);
}

// While a child is hidden the one above it grows by as much as the hidden one takes: the column
// below looks as before, yet the child shown again goes below the grown one.
TEST(TStackPanel, AChildShownAgainGoesBelowTheOneAboveEvenWhenTheRestLooksAsBefore) {
  TColumn column;
  auto above = column.Stack(10), hidden = column.Stack(20), below = column.Stack(30);
  hidden->Hide();
  above->SetBounds(above->GetLeft(), above->GetTop(), above->GetWidth(), 10 + 20 + Gap);
  ASSERT_EQ(below->GetTop(), hidden->GetTop() + 20 + Gap);
  hidden->Show();
  EXPECT_EQ(hidden->GetTop(), Padding + 10 + 20 + Gap + Gap);
  EXPECT_EQ(below->GetTop(), hidden->GetTop() + 20 + Gap);
}

// Floating windows stand in a column of their own at the right; one destroyed by another being
// placed leaves the rest placed.
TEST(TStackPanel, AFloatingWindowDestroyedWhileTheWindowsArePlacedLeavesTheRestPlaced) {
  TColumn column;
  auto victim = std::make_unique<TTBXToolbar>(nullptr);
  victim->SetParent(&column.Panel);
  TDestroyingToolbar killer(nullptr);
  killer.SetParent(&column.Panel);
  TTBXDockablePanel last(nullptr);  // of another height than the toolbars
  last.SetParent(&column.Panel);
  TTBXToolbar more(nullptr);
  more.SetParent(&column.Panel);
  ASSERT_NE(last.GetHeight(), killer.GetHeight());
  killer.Victim = &victim;
  killer.SetBounds(killer.GetLeft(), killer.GetTop(), 1, 1);  // the panel gives its size back
  EXPECT_EQ(victim, nullptr);
  const int offset = 8;
  EXPECT_EQ(killer.GetTop(), offset);
  EXPECT_GT(killer.GetHeight(), 1);
  EXPECT_EQ(last.GetTop(), offset + killer.GetHeight() + offset);
  EXPECT_EQ(last.GetBoundsRect().Right(), 100 - offset);
  EXPECT_EQ(more.GetTop(), last.GetBoundsRect().Bottom() + offset);
}

// A child with a custom alignment is the panel's to leave alone: its changes lay nothing out.
TEST(TStackPanel, AChildItDoesNotPlaceChangesNothingInIt) {
  TColumn column;
  auto stacked = column.Stack(10);
  TControl custom(nullptr);
  custom.SetParent(&column.Panel);
  custom.SetAlign(alCustom);
  custom.SetBounds(70, 200, 10, 10);
  TTbxLayoutProbe probe(column.Panel);
  custom.SetBounds(70, 200, 20, 40);
  custom.Hide();
  EXPECT_EQ(probe.AlignPasses(), 0);
  EXPECT_EQ(custom.GetBoundsRect(), (TRect{70, 200, 20, 40}));
}

// A hidden child keeps the top it had when it was hidden; it has no say in where the column goes
// when the child above it changes later.
TEST(TStackPanel, AHiddenChildsOldPlaceDecidesNothing) {
  TColumn column;
  auto above = column.Stack(20), hidden = column.Stack(20), below = column.Stack(30);
  hidden->Hide();  // stays at the top it had: below the first child's 20
  const auto resize = [&](int height) { above->SetBounds(above->GetLeft(), above->GetTop(), 50, height); };
  resize(10);
  EXPECT_EQ(below->GetTop(), Padding + 10 + Gap);
  resize(20);  // as tall as when the hidden one was hidden
  EXPECT_EQ(below->GetTop(), Padding + 20 + Gap);
}

}  // namespace
