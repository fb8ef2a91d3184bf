#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVDockablePanelViewPart.h"
#include "NUVLabelViewPart.h"
#include "ReferenceCount.h"
#include "TbxLayoutCounters.h"
#include "ToolbarTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

class ToolbarViewPartTest : public ::testing::Test {
 protected:
  TIntfPtr<TNUVToolBarViewPart> Toolbar(const std::string& name, const std::string& items,
                                        const std::string& attributes = "") {
    return MakeToolbar(Host, name, items, attributes);
  }
  void Running(INUVViewPart& viewPart) {
    Host.WorkItem().SetState(wsRunning);
    TTestHost::Run(viewPart);
  }
  TTestHost Host;
};

TEST_F(ToolbarViewPartTest, RegistersItsServiceFromInitializeToFinalize) {
  auto toolbar = Toolbar("Std", "<ServiceID> Toolbar.Std </ServiceID>");
  // The service center holds no reference: only the test's own one counts.
  EXPECT_EQ(ReferenceCount(static_cast<INUVViewPart*>(toolbar.get())), 1);
  auto service = Supports<INUVToolbarService>(Host.Services().FindService("Toolbar.Std"));
  ASSERT_NE(service, nullptr);
  EXPECT_EQ(service->GetToolbar(), toolbar->GetControl());
  EXPECT_EQ(service->GetServiceID(), "Toolbar.Std");
  EXPECT_EQ(service->GetWorkItem().get(), Host.WorkItemIntf());
  EXPECT_EQ(service->GetExtension()->GetName(), "Std");
  EXPECT_EQ(toolbar->GetControl()->GetParent(), &Host.Window());
  service = nullptr;
  toolbar->Finalize();
  EXPECT_EQ(Host.Services().FindService("Toolbar.Std"), nullptr);
  EXPECT_EQ(toolbar->GetControl(), nullptr);
}

// The service under the toolbar's ID may have changed hands since: finalizing withdraws only the
// toolbar's own.
TEST_F(ToolbarViewPartTest, FinalizeLeavesAServiceThatTookTheToolbarsIDSince) {
  auto toolbar = Toolbar("Std", "<ServiceID>Toolbar.Std</ServiceID>");
  TIntfPtr<IInterface> successor(static_cast<INUVActionService*>(&Host.Actions()));
  Host.Services().RegisterService("Toolbar.Std", successor);  // in place of the toolbar
  toolbar->Finalize();
  EXPECT_EQ(Host.Services().FindService("Toolbar.Std"), successor);
}

// Not a toolbar view part, but it shows the given control (another's, for instance).
class TControlShower : public TNUVCustomViewPart {
 public:
  TControlShower(IQIMExtension* extension, INUVWorkItem* workItem, TControl* control)
      : TNUVCustomViewPart(extension, workItem), FControl(control) {}
  TControl* GetControl() override { return FControl; }

 private:
  TControl* FControl;
};

TEST_F(ToolbarViewPartTest, AChildShowingTheToolbarsOwnControlIsRefusedAndTheItemsStay) {
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/><Item Caption="B"/>)");
  Running(*toolbar);
  auto ext = Host.Extension("Mirror", "");
  auto mirror = MakeCounted<TControlShower>(ext.get(), Host.WorkItemIntf(), toolbar->GetControl());
  try {
    toolbar->ShowViewPart(mirror.get());
    FAIL();
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(), "Toolbar[Doc] cannot merge its items into its own toolbar");
  }
  EXPECT_EQ(DescribeItems(toolbar->GetToolbar()->Items()), "A B");
  toolbar->Finalize();
}

TIntfPtr<TNUVLabelViewPart> InitializedLabel(TTestHost& host, const std::string& name) {
  auto ext = host.Extension(name, name);
  auto label = MakeCounted<TNUVLabelViewPart>(ext.get(), host.WorkItemIntf());
  label->Initialize();
  return label;
}

TEST_F(ToolbarViewPartTest, ClosingAChildTakesItsControlItemOffTheToolbarAndLetsItGo) {
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/>)");
  Running(*toolbar);
  auto label = InitializedLabel(Host, "Name");
  toolbar->ShowViewPart(label.get());
  ASSERT_EQ(toolbar->GetToolbar()->Items()->Count(), 2);
  toolbar->CloseViewPart(label.get());
  EXPECT_EQ(DescribeItems(toolbar->GetToolbar()->Items()), "A");
  EXPECT_EQ(label->GetWorkSpace(), nullptr);
  label->Finalize();
  toolbar->Finalize();
}

// Another toolbar may have taken the child's control since: the item this toolbar kept for it goes
// all the same.
TEST_F(ToolbarViewPartTest, ClosingAChildThatAnotherToolbarTookTakesItsItemOffThisOne) {
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/>)");
  auto other = Toolbar("Other", "");
  Running(*toolbar);
  TTestHost::Run(*other);
  auto label = InitializedLabel(Host, "Name");
  toolbar->ShowViewPart(label.get());
  other->ShowViewPart(label.get());
  ASSERT_EQ(label->GetControl()->GetParent(), other->GetControl());
  toolbar->CloseViewPart(label.get());
  EXPECT_EQ(toolbar->GetToolbar()->Items()->Count(), 1);
  EXPECT_EQ(other->GetToolbar()->Items()->Count(), 1);
  label->Finalize();
  other->Finalize();
  toolbar->Finalize();
}

// A toolbar view part that says when it is destroyed.
class TWatchedToolbar : public TNUVToolBarViewPart {
 public:
  TWatchedToolbar(IQIMExtension* extension, INUVWorkItem* workItem, bool& destroyed)
      : TNUVToolBarViewPart(extension, workItem), FDestroyed(destroyed) {}
  ~TWatchedToolbar() override { FDestroyed = true; }

 private:
  bool& FDestroyed;
};

// The service center holds the toolbar, which holds its work item, which holds the service center:
// once the host and everyone else have let go of a toolbar that was never finalized, it withdraws
// its service and goes.
TEST_F(ToolbarViewPartTest, AToolbarWithAServiceThatTheHostReleasesWithoutFinalizeGoes) {
  bool destroyed = false;
  auto ext = Host.Extension("Std", "Std", "<ExtData><Toolbar><ServiceID>Toolbar.Std</ServiceID></Toolbar></ExtData>");
  TIntfPtr<TWatchedToolbar> toolbar(new TWatchedToolbar(ext.get(), Host.WorkItemIntf(), destroyed));
  toolbar->Initialize();
  auto service = Supports<INUVToolbarService>(Host.Services().FindService("Toolbar.Std"));
  toolbar = nullptr;
  EXPECT_FALSE(destroyed);  // the service is still in use
  EXPECT_EQ(service->GetToolbar()->GetParent(), &Host.Window());
  service = nullptr;
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(Host.Services().FindService("Toolbar.Std"), nullptr);
}

// A "ServiceID" that the service center holds already is refused: the other service stays, also
// when the refused toolbar is finalized, and the toolbar's items still get their actions.
TEST_F(ToolbarViewPartTest, AServiceIDThatIsTakenIsRefusedAndTheOtherServiceStays) {
  Host.Actions().AddCommand({"File.Save", "Save", "", "", std::nullopt});
  auto actions = Host.Services().FindService(SActionServiceID);
  auto ext = Host.Extension("Bad", "Bad", R"(<ExtData><Toolbar><ServiceID>NUV.Service.Action</ServiceID>
                                             <Item Caption="Save" CommandID="File.Save"/></Toolbar></ExtData>)");
  TIntfPtr<TNUVToolBarViewPart> bad(new TNUVToolBarViewPart(ext.get(), Host.WorkItemIntf()));
  try {
    bad->Initialize();
    ADD_FAILURE() << "the action service was replaced";
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(),
              "Toolbar[Bad] cannot publish itself as service NUV.Service.Action: the service center "
              "holds another under it");
  }
  EXPECT_EQ(Host.Services().FindService(SActionServiceID), actions);
  Running(*bad);
  EXPECT_NE(bad->GetToolbar()->Items()->GetItem(0)->GetAction(), nullptr);
  bad->Finalize();
  EXPECT_EQ(Host.Services().FindService(SActionServiceID), actions);

  auto first = Toolbar("First", "<ServiceID>Toolbar.Std</ServiceID>");
  auto secondExt =
      Host.Extension("Second", "", "<ExtData><Toolbar><ServiceID>Toolbar.Std</ServiceID></Toolbar></ExtData>");
  TIntfPtr<TNUVToolBarViewPart> second(new TNUVToolBarViewPart(secondExt.get(), Host.WorkItemIntf()));
  EXPECT_THROW(second->Initialize(), ENUVViewPartError);
  second->Finalize();
  auto service = Supports<INUVToolbarService>(Host.Services().FindService("Toolbar.Std"));
  ASSERT_NE(service, nullptr);
  EXPECT_EQ(service->GetToolbar(), first->GetToolbar());
  service = nullptr;
  first->Finalize();
  EXPECT_EQ(Host.Services().FindService("Toolbar.Std"), nullptr);
}

TEST_F(ToolbarViewPartTest, AContextMenuRequestOnTheToolbarReachesTheHost) {
  auto toolbar = Toolbar("Doc", "");
  bool handled = false;
  toolbar->GetToolbar()->ContextPopup({3, 4}, handled);
  EXPECT_THAT(Host.Events(), ElementsAre("popup:Doc"));
  toolbar->Finalize();
}

TEST_F(ToolbarViewPartTest, WithoutServiceIDNothingIsRegistered) {
  size_t before = Host.Services().ServiceIDs().size();
  auto toolbar = MakeToolbar(Host, "Plain", "");
  EXPECT_EQ(Host.Services().ServiceIDs().size(), before);
  toolbar->Finalize();
  EXPECT_EQ(Host.Services().ServiceIDs().size(), before);
}

TEST_F(ToolbarViewPartTest, BuildsConfiguredItemsAndTakesItsCaptionThroughParseConfig) {
  Host.WorkItem().GetNamedValues()->SetStrValue("Doc", "a.txt");
  Host.Actions().AddCommand({"File.Save", "Save", "", "", std::nullopt});
  auto toolbar = MakeToolbar(Host, "Doc",
                             R"(<ServiceID>x</ServiceID>
      <Item Caption="Save" CommandID="File.Save" GroupIndex="5" ImageFile="save.png"/>
      <Separator GroupIndex="6"/>
      <Item Caption="Format ${Doc}" GroupIndex="7">
        <Item Caption="Bold" GroupIndex="0"/>
        <Item Caption="Italic" GroupIndex="15" Visible="False"/>
      </Item>)");
  Running(*toolbar);
  TTBXToolbar* control = toolbar->GetToolbar();
  EXPECT_EQ(control->GetText(), "Doc bar");
  TTBCustomItem* root = control->Items();
  EXPECT_EQ(DescribeItems(root), "Save  Format a.txt(Bold Italic-)");
  EXPECT_EQ(GroupIndexes(root), "5 6 7");
  EXPECT_NE(dynamic_cast<TTBXItem*>(root->GetItem(0)), nullptr);
  EXPECT_NE(dynamic_cast<TTBXSeparatorItem*>(root->GetItem(1)), nullptr);
  EXPECT_NE(dynamic_cast<TTBXSubmenuItem*>(root->GetItem(2)), nullptr);
  EXPECT_NE(root->GetItem(0)->GetAction(), nullptr);
  EXPECT_EQ(root->GetItem(0)->GetImageIndex(), Host.Images().GetImageManager()->AddImage("save.png"));
  EXPECT_EQ(root->GetItem(0)->GetOwner(), control);
  root->GetItem(0)->Click();
  EXPECT_THAT(Host.Events(), ElementsAre("command:File.Save"));
  toolbar->Finalize();
}

// Running builds the items and places the children that wait inside one update of the toolbar:
// its dock lays it out as often for five children as for one, and the last child's item stands
// where that one layout put it.
TEST_F(ToolbarViewPartTest, RunningLaysTheToolbarOutOnceWhateverItsChildren) {
  auto dockPassesOfRun = [this](int children) {
    TTBDock dock(nullptr);
    dock.SetParent(&Host.Window());
    auto toolbar = Toolbar("Bar", R"(<Item Caption="Open"/><Item Caption="Save"/>)");
    toolbar->GetControl()->SetParent(&dock);
    std::vector<TIntfPtr<TNUVLabelViewPart>> labels;
    for (int i = 0; i < children; ++i) {
      labels.push_back(InitializedLabel(Host, "Label" + std::to_string(i)));
      toolbar->ShowViewPart(labels.back().get());
    }
    TTbxLayoutProbe probe(dock);
    Running(*toolbar);
    const int passes = probe.AlignPasses();
    const TTBXToolbar* control = toolbar->GetToolbar();
    const TTBCustomItem* last = control->Items()->GetItem(control->Items()->Count() - 1);
    EXPECT_EQ(control->Items()->Count(), 2 + children);
    EXPECT_GT(last->GetBounds().Width, 0);
    EXPECT_LE(last->GetBounds().Right(), control->GetWidth());
    for (auto& label : labels) label->Finalize();
    toolbar->Finalize();
    return passes;
  };
  EXPECT_EQ(dockPassesOfRun(5), dockPassesOfRun(1));
}

TEST_F(ToolbarViewPartTest, BadItemAttributesAreConfigurationErrors) {
  auto toolbar = MakeToolbar(Host, "Doc", R"(<Item Caption="A"/><Item Caption="B" GroupIndex="five"/>)");
  try {
    Running(*toolbar);
    FAIL();
  } catch (const EConfigurationError& e) {
    EXPECT_EQ(e.Found(), "five");
    EXPECT_THAT(e.Message(), HasSubstr("GroupIndex"));
  }
  // The item that failed is not left half-built on the toolbar.
  EXPECT_EQ(DescribeItems(toolbar->GetToolbar()->Items()), "A");
  toolbar->Finalize();
}

std::string NestedItems(int levels) {
  std::string xml;
  for (int i = 0; i < levels; ++i) xml += "<Item Caption=\"L" + std::to_string(i + 1) + "\">";
  for (int i = 0; i < levels; ++i) xml += "</Item>";
  return xml;
}

int ItemLevels(const TTBCustomItem* item) {
  int levels = 0;
  for (; item->Count() > 0; item = item->GetItem(0)) ++levels;
  return levels;
}

// Building recurses along the nesting, so the depth is bounded; the bound itself still builds.
TEST_F(ToolbarViewPartTest, ItemsNestedPastTheLimitAreAConfigurationErrorNamingTheItem) {
  auto deepest = MakeToolbar(Host, "Deepest", NestedItems(KNUVMaxToolbarNesting));
  Running(*deepest);
  EXPECT_EQ(ItemLevels(deepest->GetToolbar()->Items()), KNUVMaxToolbarNesting);
  deepest->Finalize();
  for (int levels : {KNUVMaxToolbarNesting + 1, 100000}) {
    auto toolbar = MakeToolbar(Host, "Deep", R"(<Item Caption="A"/>)" + NestedItems(levels));
    try {
      Running(*toolbar);
      FAIL() << levels;
    } catch (const EConfigurationError& e) {
      EXPECT_THAT(e.Where(), HasSubstr("<Item>"));
      EXPECT_EQ(e.Found(), "an item at level 257");
      EXPECT_EQ(e.Expected(), "items nested at most 256 levels deep");
    }
    EXPECT_EQ(DescribeItems(toolbar->GetToolbar()->Items()), "A");
    toolbar->Finalize();
  }
}

// An action service that cannot make the action of one command.
class TRefusingActionService : public TImplements<TTolvaRefCntIntfObject, INUVActionService> {
 public:
  std::unique_ptr<TCustomAction> CreateAction(const std::string& commandID) override {
    if (commandID == "Broken") throw Exception("no action for Broken");
    return std::make_unique<TCustomAction>(nullptr);
  }
  bool HasCommand(const std::string&) const override { return true; }

 protected:
  ~TRefusingActionService() override = default;
};

// A sub-item that fails takes its whole submenu with it, sub-items built so far included; the
// items before it stay, and the toolbar owns nothing else.
TEST_F(ToolbarViewPartTest, AFailingSubItemLeavesNoHalfBuiltSubmenu) {
  Host.Services().RegisterService(SActionServiceID, MakeCounted<TRefusingActionService>());
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/>
      <Item Caption="S"><Item Caption="S1" CommandID="Good"/><Item Caption="S2" CommandID="Broken"/></Item>
      <Item Caption="Z"/>)");
  try {
    Running(*toolbar);
    ADD_FAILURE() << "the broken command was accepted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "no action for Broken");
  }
  EXPECT_EQ(DescribeItems(toolbar->GetToolbar()->Items()), "A");
  EXPECT_EQ(toolbar->GetToolbar()->ComponentCount(), 1);  // A alone: S, S1 and S1's action are gone
  toolbar->Finalize();
}

TEST_F(ToolbarViewPartTest, ChildrenBoundBeforeRunningWaitAndArePlacedByGroupIndex) {
  auto toolbar =
      Toolbar("Doc", R"(<Item Caption="G0"/><Item Caption="G3" GroupIndex="3"/><Item Caption="G4" GroupIndex="4"/>)");
  auto ext = Host.Extension("Hint", "hint", "<ExtData><GroupIndex>3</GroupIndex></ExtData>");
  auto labelExt = Host.Extension("Front", "front");
  TWinControl hintControl(nullptr), frontControl(nullptr);
  hintControl.SetName("Hint");
  frontControl.SetName("Front");
  // Plain view parts standing for children: their controls are the two windowed controls above.
  class TChild : public TNUVCustomViewPart {
   public:
    TChild(IQIMExtension* e, INUVWorkItem* w, TControl* c) : TNUVCustomViewPart(e, w), Control(c) {}
    TControl* GetControl() override { return Control; }
    TControl* Control;

   protected:
    ~TChild() override = default;
  };
  auto hint = MakeCounted<TChild>(ext.get(), Host.WorkItemIntf(), &hintControl);
  auto front = MakeCounted<TChild>(labelExt.get(), Host.WorkItemIntf(), &frontControl);
  hintControl.SetVisible(false);

  toolbar->ShowViewPart(hint.get());
  EXPECT_EQ(toolbar->GetToolbar()->Items()->Count(), 0);  // recorded only
  Running(*toolbar);
  TTBCustomItem* root = toolbar->GetToolbar()->Items();
  ASSERT_EQ(root->Count(), 4);
  auto* hintItem = dynamic_cast<TTBControlItem*>(root->GetItem(2));
  ASSERT_NE(hintItem, nullptr);  // behind G3, in front of G4
  EXPECT_EQ(hintItem->GetControl(), &hintControl);
  EXPECT_EQ(hintItem->GetGroupIndex(), 3);
  EXPECT_TRUE(hintControl.GetVisible());
  EXPECT_EQ(hintControl.GetParent(), toolbar->GetToolbar());
  EXPECT_EQ(hint->GetWorkSpace(), static_cast<INUVWorkSpace*>(toolbar.get()));

  toolbar->ShowViewPart(front.get());  // while running: placed at once, in front (group -1)
  auto* frontItem = dynamic_cast<TTBControlItem*>(root->GetItem(0));
  ASSERT_NE(frontItem, nullptr);
  EXPECT_EQ(frontItem->GetControl(), &frontControl);
  EXPECT_EQ(frontItem->GetGroupIndex(), -1);
  toolbar->Finalize();
  EXPECT_EQ(hintControl.GetParent(), nullptr);  // freeing the toolbar detached, not destroyed, the control
}

TEST_F(ToolbarViewPartTest, InsertPositionsFollowTheFirstGreaterGroupIndex) {
  auto empty = Toolbar("Empty", "");
  TTBCustomItem* parent = nullptr;
  EXPECT_EQ(empty->FindInsertIndex(3), 0);
  EXPECT_EQ(empty->FindInsertPosition(3, parent), 0);
  EXPECT_EQ(parent, empty->GetToolbar()->Items());

  auto unsorted = Toolbar("Unsorted", R"(<Item Caption="X" GroupIndex="5"/><Item Caption="Y" GroupIndex="1"/>)");
  Running(*unsorted);
  EXPECT_EQ(unsorted->FindInsertIndex(3), 0);
  EXPECT_EQ(unsorted->FindInsertIndex(5), 2);

  auto tree = Toolbar("Tree", R"(<Item Caption="S"><Item Caption="S1"/><Item Caption="S2" GroupIndex="9"/></Item>
                                 <Item Caption="T" GroupIndex="10"/>)");
  Running(*tree);
  EXPECT_EQ(tree->FindInsertPosition(5, parent), 1);
  EXPECT_EQ(parent->GetCaption(), "S");
  EXPECT_EQ(tree->FindInsertPosition(10, parent), 2);
  EXPECT_EQ(parent, tree->GetToolbar()->Items());
  for (auto* vp : {empty.get(), unsorted.get(), tree.get()}) vp->Finalize();
}

TEST_F(ToolbarViewPartTest, AChildsPlainToolbarHandsOverItsItemsInOrder) {
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/><Item Caption="B" GroupIndex="5"/>)");
  Running(*toolbar);
  auto ext = Host.Extension("Palette", "", "<ExtData><GroupIndex>4</GroupIndex></ExtData>");
  class TPaletteChild : public TNUVCustomViewPart {
   public:
    using TNUVCustomViewPart::TNUVCustomViewPart;
    TControl* GetControl() override { return &Bar; }
    TTBXToolbar Bar{nullptr};

   protected:
    ~TPaletteChild() override = default;
  };
  auto child = MakeCounted<TPaletteChild>(ext.get(), Host.WorkItemIntf());
  for (const char* caption : {"X", "Y", "Z"}) {
    auto* item = new TTBXItem(&child->Bar);
    item->SetCaption(caption);
    child->Bar.Items()->Add(item);
  }
  toolbar->ShowViewPart(child.get());
  EXPECT_EQ(DescribeItems(toolbar->GetToolbar()->Items()), "A X Y Z B");
  EXPECT_EQ(GroupIndexes(toolbar->GetToolbar()->Items()), "0 4 4 4 5");
  EXPECT_EQ(child->Bar.Items()->Count(), 0);
  EXPECT_TRUE(child->Bar.GetVisible());
  toolbar->Finalize();
}

TEST_F(ToolbarViewPartTest, AChildWithoutControlOrTheOwnToolbarIsAClearError) {
  auto toolbar = Toolbar("Doc", "");
  Running(*toolbar);
  auto ext = Host.Extension("Ghost", "");
  auto ghost = MakeCounted<TNUVCustomViewPart>(ext.get(), Host.WorkItemIntf());
  try {
    toolbar->ShowViewPart(ghost.get());
    FAIL();
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(), "ViewPart[Ghost] has no control to place on Toolbar[Doc]");
  }
  EXPECT_THROW(toolbar->PlaceChildViewPart(toolbar.get()), ENUVViewPartError);
  EXPECT_THROW(toolbar->MergeIntoToolbar(toolbar->GetToolbar()), ENUVViewPartError);
  EXPECT_THROW(toolbar->PlaceChildViewPart(nullptr), EAssertionFailed);
  toolbar->Finalize();
}

// Closing a child takes its control item along, so showing it again gives it one item, not two.
TEST_F(ToolbarViewPartTest, ClosingAChildTakesItsControlItemAlong) {
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/>)");
  Running(*toolbar);
  auto ext = Host.Extension("Title", "Title");
  TIntfPtr<TNUVLabelViewPart> label(new TNUVLabelViewPart(ext.get(), Host.WorkItemIntf()));
  label->Initialize();
  TTBCustomItem* root = toolbar->GetToolbar()->Items();
  toolbar->ShowViewPart(label.get());
  ASSERT_EQ(root->Count(), 2);
  toolbar->CloseViewPart(label.get());
  EXPECT_EQ(DescribeItems(root), "A");
  EXPECT_EQ(label->GetControl()->GetParent(), nullptr);
  toolbar->ShowViewPart(label.get());
  ASSERT_EQ(root->Count(), 2);
  EXPECT_EQ(dynamic_cast<TTBControlItem*>(root->GetItem(0))->GetControl(), label->GetControl());
  label->Finalize();
  toolbar->Finalize();
}

// A child that was finalized after it was bound has no control: the next run passes over it and
// still merges, instead of raising before the merge and leaving its items visible nowhere.
TEST_F(ToolbarViewPartTest, AFinalizedChildIsPassedOverWhenTheToolbarRunsAgain) {
  auto main = Toolbar("MainToolbar", R"(<Item Caption="M"/>)");
  Running(*main);
  auto doc = Toolbar("Doc", R"(<Item Caption="D" GroupIndex="3"/>)", R"(MergeWithMainToolbarViewPart="MainToolbar")");
  auto ext = Host.Extension("Title", "Title");
  TIntfPtr<TNUVLabelViewPart> label(new TNUVLabelViewPart(ext.get(), Host.WorkItemIntf()));
  label->Initialize();
  doc->ShowViewPart(label.get());
  Running(*doc);
  EXPECT_EQ(main->GetToolbar()->Items()->Count(), 3);  // the label's item, M and D
  TTestHost::Stop(*doc);
  label->Finalize();
  EXPECT_NO_THROW(Running(*doc));
  EXPECT_EQ(DescribeItems(main->GetToolbar()->Items()), "M D");
  TTestHost::Stop(*doc);
  label->Initialize();  // with a control again, the next run places it again
  Running(*doc);
  EXPECT_EQ(main->GetToolbar()->Items()->Count(), 3);
  doc->Finalize();
  main->Finalize();
}

TEST_F(ToolbarViewPartTest, FindControlByNameSearchesWindowedControlsDepthFirstIgnoringCase) {
  auto toolbar = Toolbar("Doc", "");
  TWinControl outer(nullptr), inner(nullptr), later(nullptr);
  TControl plain(nullptr);
  plain.SetName("Target");
  plain.SetParent(&Host.Window());
  outer.SetName("Outer");
  outer.SetParent(&Host.Window());
  inner.SetName("MainToolbar");
  inner.SetParent(&outer);
  later.SetName("MAINTOOLBAR");
  later.SetParent(&Host.Window());
  EXPECT_EQ(toolbar->FindControlByName("maintoolbar"), &inner);
  EXPECT_EQ(toolbar->FindControlByName("window"), &Host.Window());
  EXPECT_EQ(toolbar->FindControlByName("Target"), nullptr);
  EXPECT_EQ(toolbar->FindControlByName("Nothing"), nullptr);
  toolbar->Finalize();
}

// The merge starts its search at the window the root work item names; without one it has no start.
TEST_F(ToolbarViewPartTest, MergingWithoutTheWorkbenchWindowFailsItsAssertion) {
  auto main = Toolbar("MainToolbar", "");
  Host.WorkItem().GetNamedValues()->SetIntValue("CurrentWorkBench", 0);
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/>)", R"(MergeWithMainToolbarViewPart="MainToolbar")");
  EXPECT_THROW(Running(*toolbar), EAssertionFailed);
  EXPECT_EQ(toolbar->MergedItems(), nullptr);
  EXPECT_EQ(main->GetToolbar()->Items()->Count(), 0);
  toolbar->Finalize();
  main->Finalize();
}

// The message of the assertion that a merge without its main toolbar fails; "" when none failed.
std::string MergeAssertion(TNUVToolBarViewPart& toolbar) {
  try {
    TTestHost::Run(toolbar);
  } catch (const EAssertionFailed& e) {
    return e.Message();
  }
  return {};
}

// The assertion names the toolbar it looked for, and what stands under that name instead.
TEST_F(ToolbarViewPartTest, MergingIntoAMissingMainToolbarFailsItsAssertion) {
  Host.WorkItem().SetState(wsRunning);
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/>)", R"(MergeWithMainToolbarViewPart="Nowhere")");
  const std::string missing = MergeAssertion(*toolbar);
  EXPECT_THAT(
      missing,
      StartsWith(R"(Assertion failure (Framework\Source\ViewParts\NUV.ViewParts.TBX\NUVToolbarViewPart, line )"));
  EXPECT_THAT(missing, HasSubstr("MergeWithMainToolbarViewPart names the main toolbar 'Nowhere', and no windowed "
                                 "control under the workbench window has that name"));
  EXPECT_EQ(toolbar->MergedItems(), nullptr);
  EXPECT_EQ(DescribeItems(toolbar->GetToolbar()->Items()), "A");
  toolbar->Finalize();

  TWinControl panel(nullptr);
  panel.SetName("Panel");
  panel.SetParent(&Host.Window());
  auto onPanel = Toolbar("Doc2", R"(<Item Caption="B"/>)", R"(MergeWithMainToolbarViewPart="Panel")");
  EXPECT_THAT(
      MergeAssertion(*onPanel),
      HasSubstr("names the main toolbar 'Panel', and the control of that name is a TWinControl, no TTBXToolbar"));
  onPanel->Finalize();
}

TEST_F(ToolbarViewPartTest, AChildThatContainsTheToolbarIsRefusedWithoutAControlItem) {
  auto toolbar = Toolbar("Doc", R"(<Item Caption="A"/>)");
  Running(*toolbar);
  auto ext = Host.Extension("Holder", "Holder");
  auto holder = MakeCounted<TNUVDockablePanelViewPart>(ext.get(), Host.WorkItemIntf());
  holder->Initialize();
  holder->ShowViewPart(toolbar.get());  // the toolbar lies in the holder's panel
  holder->GetControl()->SetVisible(false);
  EXPECT_THROW(toolbar->ShowViewPart(holder.get()), Exception);
  EXPECT_EQ(toolbar->GetToolbar()->Items()->Count(), 1);  // no control item for the holder
  EXPECT_FALSE(holder->GetControl()->GetVisible());       // as it was
  EXPECT_EQ(holder->GetControl()->GetParent(), &Host.Window());
  holder->CloseViewPart(toolbar.get());
  holder->Finalize();
  toolbar->Finalize();
}

}  // namespace
