#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolbarTestSupport.h"
#include "TbxLayoutCounters.h"
#include "TbxTextObjects.h"

using ::testing::ElementsAre;

namespace {

std::vector<std::string> Captions(const TNUVToolBarViewPart::TItemList* list) {
  std::vector<std::string> captions;
  if (list)
    for (TTBCustomItem* item : *list) captions.push_back(item->GetCaption());
  return captions;
}

const char* WorkedTarget = R"(<Item Caption="A"/><Item Caption="B" GroupIndex="5"/>
    <Item Caption="C" GroupIndex="7"><Item Caption="C1"/><Item Caption="C2" GroupIndex="20"/></Item>
    <Item Caption="D" GroupIndex="10"/>)";
const char* WorkedSource = R"(<Item Caption="P" GroupIndex="5"/>
    <Item Caption="Q" GroupIndex="7"><Item Caption="Q1"/><Item Caption="Q2" GroupIndex="15"/><Item Caption="Q3" GroupIndex="15"/></Item>
    <Item Caption="R" GroupIndex="8"/>)";

class ToolbarMergeTest : public ::testing::Test {
 protected:
  void Run(INUVViewPart& viewPart) {
    Host.WorkItem().SetState(wsRunning);
    TTestHost::Run(viewPart);
  }
  TTestHost Host;
};

TEST_F(ToolbarMergeTest, TheWorkedExampleComesOutExactlyAndStoppingUndoesIt) {
  auto main = MakeToolbar(Host, "MainToolbar", WorkedTarget);
  Run(*main);
  TTBXToolbar* target = main->GetToolbar();
  target->Items()->GetItem(0)->SetTag(42);  // any Tag is 0 after a merge
  auto doc = MakeToolbar(Host, "Doc", WorkedSource, R"(MergeWithMainToolbarViewPart="maintoolbar")");
  TTbxLayoutProbe probe(*target);
  Run(*doc);

  EXPECT_EQ(DescribeItems(target->Items()), "A B- P C(C1 Q1 Q2 Q3 C2) R D");
  for (int i = 0; i < target->Items()->Count(); ++i) EXPECT_EQ(target->Items()->GetItem(i)->GetTag(), 0);
  EXPECT_THAT(Captions(doc->MergedItems()), ElementsAre("R", "Q", "Q1", "Q2", "Q3", "P"));
  EXPECT_THAT(Captions(doc->HiddenItems()), ElementsAre("B"));
  EXPECT_EQ(probe.CompletedUpdates(), 1);  // one bracket for the whole merge
  EXPECT_FALSE(target->IsUpdating());
  EXPECT_FALSE(doc->GetToolbar()->GetVisible());
  EXPECT_EQ(doc->GetToolbar()->Items()->Count(), 0);

  TTestHost::Stop(*doc);
  EXPECT_EQ(DescribeItems(target->Items()), "A B C(C1 C2) D");
  // Undone in one bracket too: the main toolbar is laid out once, not after every item.
  EXPECT_EQ(probe.CompletedUpdates(), 2);
  EXPECT_FALSE(target->IsUpdating());
  EXPECT_EQ(doc->MergedItems(), nullptr);
  EXPECT_EQ(doc->HiddenItems(), nullptr);
  EXPECT_FALSE(doc->GetToolbar()->GetVisible());  // stays hidden and empty
  EXPECT_EQ(doc->GetToolbar()->Items()->Count(), 0);
  doc->Finalize();
  main->Finalize();
}

TEST_F(ToolbarMergeTest, EqualGroupIndexesArriveReversedAndNewArrivalsAreNeverMatched) {
  auto main =
      MakeToolbar(Host, "MainToolbar", R"(<Item Caption="A" GroupIndex="1"/><Item Caption="Z" GroupIndex="9"/>)");
  Run(*main);
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="X" GroupIndex="4"/><Item Caption="Y" GroupIndex="4"/>)",
                         R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*doc);
  // Y arrived first; X then met Y with an equal group index but no merge mark.
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "A Y X Z");
  EXPECT_TRUE(Captions(doc->HiddenItems()).empty());
  doc->Finalize();
  main->Finalize();
}

TEST_F(ToolbarMergeTest, ANilTargetChangesNothingAndCreatesNoList) {
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="X"/>)");
  Run(*doc);
  doc->MergeIntoToolbar(nullptr);
  EXPECT_EQ(doc->MergedItems(), nullptr);
  EXPECT_EQ(doc->HiddenItems(), nullptr);
  EXPECT_TRUE(doc->GetToolbar()->GetVisible());
  doc->Finalize();
}

// With no group index among the arriving sub-items, they go after every sub-item of the match
// whose group index is 0, here at its end, in their own order.
TEST_F(ToolbarMergeTest, SubItemsWithoutGroupIndexJoinTheEndOfTheMatchingSubmenu) {
  auto main = MakeToolbar(Host, "MainToolbar",
                          R"(<Item Caption="F" GroupIndex="3"><Item Caption="F1"/><Item Caption="F2"/></Item>)");
  Run(*main);
  auto doc =
      MakeToolbar(Host, "Doc", R"(<Item Caption="G" GroupIndex="3"><Item Caption="G1"/><Item Caption="G2"/></Item>)",
                  R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*doc);
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "F(F1 F2 G1 G2)");
  TTestHost::Stop(*doc);
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "F(F1 F2)");
  doc->Finalize();
  main->Finalize();
}

// Finalizing without a stop takes every item the merge moved out of the main toolbar, those that
// a child toolbar had merged into this one too.
TEST_F(ToolbarMergeTest, FinalizeWithoutStopTakesOutTheItemsAChildHadMergedIn) {
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="M" GroupIndex="3"/>)");
  auto outer = MakeToolbar(Host, "Outer", R"(<Item Caption="O" GroupIndex="3"/><Item Caption="K" GroupIndex="4"/>)",
                           R"(MergeWithMainToolbarViewPart="MainToolbar")");
  auto inner = MakeToolbar(Host, "Inner", R"(<Item Caption="I" GroupIndex="4"/><Item Caption="J" GroupIndex="3"/>)");
  outer->ShowViewPart(inner.get());
  Run(*main);
  Run(*inner);
  Run(*outer);
  ASSERT_EQ(DescribeItems(main->GetToolbar()->Items()), "M- J O- I K-");
  outer->Finalize();
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M-");
  inner->Finalize();
  main->Finalize();
}

// A work bench handle that names no window any more finds no main toolbar: the merge stops at
// the unit's assertion instead of searching a window that is gone.
TEST_F(ToolbarMergeTest, AWorkBenchHandleOfNoWindowFindsNoMainToolbar) {
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="M"/>)");
  Run(*main);
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="P"/>)", R"(MergeWithMainToolbarViewPart="MainToolbar")");
  auto window = std::make_unique<TWinControl>(nullptr);
  const THandle gone = window->GetHandle();
  window.reset();
  Host.WorkItem().GetNamedValues()->SetIntValue("CurrentWorkBench", static_cast<std::int64_t>(gone));
  EXPECT_THROW(Run(*doc), EAssertionFailed);
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M");
  doc->Finalize();
  main->Finalize();
}

// The sub-items go before the first sub-item of the match whose group index is greater than
// that of the first sub-item with a group index other than 0; lower ones stay in front.
TEST_F(ToolbarMergeTest, SubItemsGoAfterTheMatchsSubItemsUpToTheirFirstNonZeroGroupIndex) {
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="C" GroupIndex="7">
      <Item Caption="C1"/><Item Caption="C5" GroupIndex="5"/><Item Caption="C20" GroupIndex="20"/></Item>)");
  Run(*main);
  auto doc =
      MakeToolbar(Host, "Doc",
                  R"(<Item Caption="Q" GroupIndex="7"><Item Caption="Q1"/><Item Caption="Q2" GroupIndex="15"/></Item>)",
                  R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*doc);
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "C(C1 C5 Q1 Q2 C20)");
  doc->Finalize();
  main->Finalize();
}

TEST_F(ToolbarMergeTest, ActionStateDecidesTheVisibilityOfAMergedItemsAction) {
  Host.Actions().AddCommand({"Edit.Find", "Find", "", "", false});
  auto main = MakeToolbar(Host, "MainToolbar", "");
  Run(*main);
  auto doc =
      MakeToolbar(Host, "Doc", R"(<Item CommandID="Edit.Find"/>)", R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*doc);
  TTBCustomItem* find = main->GetToolbar()->Items()->GetItem(0);
  EXPECT_FALSE(dynamic_cast<TCustomAction*>(find->GetAction())->GetVisible());
  EXPECT_FALSE(find->GetVisible());  // the item follows its action
  doc->Finalize();
  main->Finalize();
}

TEST_F(ToolbarMergeTest, FinalizeWithoutStopDestroysMergedItemsButLeavesHiddenOnesInvisible) {
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="B" GroupIndex="5"/>)");
  Run(*main);
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="P" GroupIndex="5"/>)",
                         R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*doc);
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "B- P");
  doc->Finalize();
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "B-");
  main->Finalize();
}

// Finalizing forgets which of the main toolbar's items the merge hid: they are not this toolbar's
// to show again.
TEST_F(ToolbarMergeTest, FinalizeWithoutStopForgetsTheItemsTheMergeHid) {
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="B" GroupIndex="5"/>)");
  Run(*main);
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="P" GroupIndex="5"/>)",
                         R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*doc);
  ASSERT_NE(doc->HiddenItems(), nullptr);
  doc->Finalize();
  EXPECT_EQ(doc->HiddenItems(), nullptr);
  EXPECT_EQ(doc->MergedItems(), nullptr);
  main->Finalize();
}

// The actions that toolbars made for merged items go with them, except one that something else
// still uses.
TEST_F(ToolbarMergeTest, StoppingKeepsAMergedItemsActionThatAnotherControlUses) {
  Host.Actions().AddCommand({"Edit.Find", "Find", "", "", std::nullopt});
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="M" GroupIndex="5"/>)");
  Run(*main);
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="F" CommandID="Edit.Find" GroupIndex="5"/>)",
                         R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*doc);
  ASSERT_EQ(DescribeItems(main->GetToolbar()->Items()), "M- F");
  TGuard<TBasicAction> action(main->GetToolbar()->Items()->GetItem(1)->GetAction());
  ASSERT_NE(action.get(), nullptr);
  TTBXLabel user(nullptr);
  user.SetAction(action.get());
  TTestHost::Stop(*doc);
  EXPECT_NE(action.get(), nullptr);
  EXPECT_EQ(user.GetAction(), action.get());
  user.SetAction(nullptr);
  doc->Finalize();
  main->Finalize();
}

TEST_F(ToolbarMergeTest, TheMainToolbarGoingFirstLeavesNothingDanglingInTheLists) {
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="B" GroupIndex="5"/>)");
  Run(*main);
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="P" GroupIndex="5"/><Item Caption="Q" GroupIndex="6"/>)",
                         R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*doc);
  main->Finalize();  // destroys B, P and Q with the main toolbar's item tree
  EXPECT_TRUE(Captions(doc->MergedItems()).empty());
  EXPECT_TRUE(Captions(doc->HiddenItems()).empty());
  TTestHost::Stop(*doc);
  doc->Finalize();
}

TEST_F(ToolbarMergeTest, StoppingLeavesItemsThatWereInvisibleBeforeTheMergeInvisible) {
  auto main = MakeToolbar(Host, "MainToolbar",
                          R"(<Item Caption="B" GroupIndex="5"/><Item Caption="H" GroupIndex="6" Visible="false"/>)");
  Run(*main);
  auto first = MakeToolbar(Host, "First", R"(<Item Caption="P" GroupIndex="5"/>)",
                           R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*first);
  auto second = MakeToolbar(Host, "Second", R"(<Item Caption="S" GroupIndex="5"/><Item Caption="T" GroupIndex="6"/>)",
                            R"(MergeWithMainToolbarViewPart="MainToolbar")");
  Run(*second);
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "B- P- S H- T");
  EXPECT_THAT(Captions(second->HiddenItems()), ElementsAre("P"));  // B and H were invisible already

  TTestHost::Stop(*second);  // B stays hidden by the first merge, H by its configuration
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "B- P H-");
  TTestHost::Stop(*first);
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "B H-");
  second->Finalize();
  first->Finalize();
  main->Finalize();
}

// Two toolbars that name each other as main toolbar: the second merge would send every item back
// and leave both hidden. It is refused, and the first merge stands.
TEST_F(ToolbarMergeTest, ToolbarsThatMergeIntoEachOtherAreRefusedAtTheSecondMerge) {
  auto one = MakeToolbar(Host, "One", R"(<Item Caption="A" GroupIndex="1"/>)", R"(MergeWithMainToolbarViewPart="Two")");
  auto two = MakeToolbar(Host, "Two", R"(<Item Caption="B" GroupIndex="2"/>)", R"(MergeWithMainToolbarViewPart="One")");
  Run(*one);
  try {
    Run(*two);
    ADD_FAILURE() << "the toolbars merged into each other";
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(), "Toolbar[Two] cannot merge its items into Toolbar[One], which merges its items into it");
  }
  EXPECT_FALSE(one->GetToolbar()->GetVisible());
  EXPECT_TRUE(two->GetToolbar()->GetVisible());
  EXPECT_EQ(DescribeItems(two->GetToolbar()->Items()), "A B");
  // Once One has stopped, its items are back where they came from and Two may merge into it.
  TTestHost::Stop(*one);
  Run(*two);
  EXPECT_FALSE(two->GetToolbar()->GetVisible());
  two->Finalize();
  one->Finalize();
}

// The same through a third toolbar, and as work spaces: a toolbar that lies on another, directly
// or through others, is refused as that one's child.
TEST_F(ToolbarMergeTest, ACycleThroughAThirdToolbarOrOfWorkSpacesIsRefused) {
  auto one = MakeToolbar(Host, "One", R"(<Item Caption="A" GroupIndex="1"/>)", R"(MergeWithMainToolbarViewPart="Two")");
  auto two =
      MakeToolbar(Host, "Two", R"(<Item Caption="B" GroupIndex="2"/>)", R"(MergeWithMainToolbarViewPart="Three")");
  auto three =
      MakeToolbar(Host, "Three", R"(<Item Caption="C" GroupIndex="3"/>)", R"(MergeWithMainToolbarViewPart="One")");
  Run(*one);
  Run(*two);
  EXPECT_THROW(Run(*three), ENUVViewPartError);
  EXPECT_TRUE(three->GetToolbar()->GetVisible());
  EXPECT_EQ(DescribeItems(three->GetToolbar()->Items()), "A B C");

  auto outer = MakeToolbar(Host, "Outer", "");
  auto middle = MakeToolbar(Host, "Middle", "");
  outer->ShowViewPart(middle.get());
  try {
    middle->ShowViewPart(outer.get());
    ADD_FAILURE() << "two toolbars took each other as children";
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(), "Toolbar[Outer] cannot be placed on Toolbar[Middle], which lies on it");
  }
  EXPECT_EQ(middle->BoundViewParts().Count(), 0);
  EXPECT_THROW(outer->ShowViewPart(outer.get()), ENUVViewPartError);
  for (auto* viewPart : {middle.get(), outer.get(), three.get(), two.get(), one.get()}) viewPart->Finalize();
}

// A toolbar view part that holds a child toolbar view part's merged items and then merges into
// the main toolbar: every item is destroyed once and shown again only while it exists, whichever
// view part stops first.
class NestedMergeTest : public ToolbarMergeTest, public ::testing::WithParamInterface<bool> {};

TEST_P(NestedMergeTest, EitherStopOrderDestroysEachItemOnce) {
  bool outerStopsFirst = GetParam();
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="M" GroupIndex="3"/>)");
  auto outer = MakeToolbar(Host, "Outer", R"(<Item Caption="O" GroupIndex="3"/><Item Caption="K" GroupIndex="4"/>)",
                           R"(MergeWithMainToolbarViewPart="MainToolbar")");
  auto inner = MakeToolbar(Host, "Inner", R"(<Item Caption="I" GroupIndex="4"/><Item Caption="J" GroupIndex="3"/>)");
  outer->ShowViewPart(inner.get());  // bound before the work item runs: recorded only
  Run(*main);
  Run(*inner);
  Run(*outer);
  // Inner merged into Outer (hiding O and K), then Outer, with Inner's items, into Main.
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M- J O- I K-");

  if (outerStopsFirst) {
    TTestHost::Stop(*outer);
    EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M");
    EXPECT_TRUE(Captions(inner->MergedItems()).empty());
    EXPECT_TRUE(Captions(inner->HiddenItems()).empty());
    TTestHost::Stop(*inner);
  } else {
    TTestHost::Stop(*inner);
    EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M- O K");
    TTestHost::Stop(*outer);
  }
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M");
  inner->Finalize();
  outer->Finalize();
  main->Finalize();
}

INSTANTIATE_TEST_SUITE_P(StopOrders, NestedMergeTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "OuterFirst" : "InnerFirst"; });

// An action whose state cannot be read: the merge raises part-way.
class TFailingAction : public TImplements<TCustomAction, INUVActionState> {
 public:
  using TImplements::TImplements;
  bool GetActionVisible() override { throw Exception("state unavailable"); }
};

TEST_F(ToolbarMergeTest, AnInterruptedMergeStillEndsTheUpdateAndKeepsWhatMoved) {
  auto main = MakeToolbar(Host, "MainToolbar", "");
  Run(*main);
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="X" GroupIndex="1"/><Item Caption="Y" GroupIndex="2"/>)");
  Run(*doc);
  TTBCustomItem* x = doc->GetToolbar()->Items()->GetItem(0);
  x->SetAction(new TFailingAction(doc->GetToolbar()));
  TTBXToolbar* target = main->GetToolbar();
  TTbxLayoutProbe probe(*target);
  EXPECT_THROW(doc->MergeIntoToolbar(target), Exception);
  EXPECT_FALSE(target->IsUpdating());
  EXPECT_EQ(probe.CompletedUpdates(), 1);
  EXPECT_TRUE(doc->GetToolbar()->GetVisible());    // not hidden
  EXPECT_EQ(DescribeItems(target->Items()), "Y");  // Y moved before X failed
  EXPECT_THAT(Captions(doc->MergedItems()), ElementsAre("Y", "X"));
  TTestHost::Stop(*doc);
  EXPECT_EQ(target->Items()->Count(), 0);
  doc->Finalize();
  main->Finalize();
}

}  // namespace

namespace {

// Run after run, a merging toolbar builds its items and their actions anew; stopping destroys
// them all, so its toolbar owns nothing between runs.
TEST_F(ToolbarMergeTest, RunStopCyclesLeaveNoActionsBehind) {
  Host.Actions().AddCommand({"Edit.Find", "Find", "", "", std::nullopt});
  Host.Actions().AddCommand({"Edit.Copy", "Copy", "", "", std::nullopt});
  auto main = MakeToolbar(Host, "MainToolbar", R"(<Item Caption="M" GroupIndex="5"/>)");
  Run(*main);
  auto doc = MakeToolbar(Host, "Doc", R"(<Item Caption="F" CommandID="Edit.Find" GroupIndex="5"/>
      <Item Caption="S" GroupIndex="7"><Item Caption="C" CommandID="Edit.Copy"/></Item>)",
                         R"(MergeWithMainToolbarViewPart="MainToolbar")");
  for (int cycle = 0; cycle < 4; ++cycle) {
    Run(*doc);
    EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M- F S(C)");
    TTestHost::Stop(*doc);
    EXPECT_EQ(doc->GetToolbar()->ComponentCount(), 0) << "cycle " << cycle;
  }
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M");
  doc->Finalize();
  main->Finalize();
}

}  // namespace
