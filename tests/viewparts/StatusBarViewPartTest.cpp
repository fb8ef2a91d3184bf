#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "StatusBarTestSupport.h"
#include "TbxLayoutCounters.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

using StatusBarViewPartTest = StatusBarFixture;

const std::string SUnitPath = "Framework\\Source\\ViewParts\\NUV.ViewParts.TBX\\NUVStatusBarViewPart";

TEST_F(StatusBarViewPartTest, InitializeParentsABarWithSizeGripAndImagesToTheHostControl) {
  auto vp = MakeBar("");
  EXPECT_EQ(vp->GetControl(), nullptr);
  vp->Initialize();
  TTBXStatusBar* bar = vp->GetStatusBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(vp->GetControl(), bar);
  EXPECT_EQ(bar->GetParent(), &Host.Window());
  EXPECT_EQ(bar->GetOwner(), nullptr);
  EXPECT_EQ(vp->DefaultAlign(), "Bottom");
  EXPECT_TRUE(bar->GetSizeGrip());
  EXPECT_EQ(bar->GetImages(), Host.Images().GetImageManager()->GetImageList());
  bool handled = false;
  bar->ContextPopup({1, 2}, handled);
  EXPECT_THAT(Host.Events(), ElementsAre("popup:Main"));
  // No click handler of the bar's own: clicks on the bar itself report nothing.
  EXPECT_FALSE(bar->OnClick);
  EXPECT_FALSE(bar->OnDblClick);
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, WithoutImageServiceTheBarAndItsPanelsHaveNoImages) {
  Host.RemoveImageService();
  auto vp = PanelBar(R"(<Panel ImageFile="a.png"/>)");
  EXPECT_EQ(vp->GetStatusBar()->GetImages(), nullptr);
  EXPECT_EQ(Panel(*vp, 0).GetImageIndex(), -1);
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, MissingOrChildlessElementMeansSimpleTextWithAnEmptyPublishedText) {
  for (const std::string extData : {"", "<ExtData/>", "<ExtData><Other/></ExtData>", "<ExtData><StatusBar/></ExtData>",
                                    "<ExtData><StatusBar>text only</StatusBar></ExtData>"}) {
    auto vp = MakeBar(extData);
    vp->Initialize();
    TTBXStatusBar* bar = vp->GetStatusBar();
    EXPECT_TRUE(bar->GetSimplePanel()) << extData;
    EXPECT_TRUE(bar->GetSizeGrip()) << extData;
    EXPECT_EQ(bar->GetSimpleText(), "") << extData;
    EXPECT_THAT(Host.Data().Keys(), ElementsAre("Main_SimpleText")) << extData;
    EXPECT_EQ(std::get<std::string>(Read("Main_SimpleText")), "") << extData;
    EXPECT_FALSE(bar->OnPanelClick) << extData;
    vp->Finalize();
    EXPECT_THAT(Host.Data().Keys(), IsEmpty()) << extData;
  }
}

TEST_F(StatusBarViewPartTest, AnyChildSelectsPanelModeWhichWithoutPanelsHasNoPanelsHandlersOrKeys) {
  auto vp = InitBar("<SizeGrip>False</SizeGrip>");
  TTBXStatusBar* bar = vp->GetStatusBar();
  EXPECT_FALSE(bar->GetSimplePanel());
  EXPECT_FALSE(bar->GetSizeGrip());
  EXPECT_EQ(bar->Panels().Count(), 0);
  EXPECT_FALSE(bar->OnPanelClick);
  EXPECT_FALSE(bar->OnPanelDblClick);
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, EmptyPanelsGiveNoPanelsButInstallTheHandlers) {
  auto vp = InitBar("<Panels/>");
  TTBXStatusBar* bar = vp->GetStatusBar();
  EXPECT_FALSE(bar->GetSimplePanel());
  EXPECT_EQ(bar->Panels().Count(), 0);
  EXPECT_TRUE(bar->OnPanelClick);
  EXPECT_TRUE(bar->OnPanelDblClick);
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, SimplePanelTrueIgnoresThePanels) {
  auto vp = InitBar(R"(<SimplePanel>true</SimplePanel><SimpleText>Ready</SimpleText>
                       <Panels><Panel ID="Pos"/></Panels>)");
  TTBXStatusBar* bar = vp->GetStatusBar();
  EXPECT_TRUE(bar->GetSimplePanel());
  EXPECT_EQ(bar->GetSimpleText(), "Ready");
  EXPECT_EQ(bar->Panels().Count(), 0);
  EXPECT_FALSE(bar->OnPanelClick);
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Main_SimpleText"));
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, OnlyTheConfiguredSimpleTextIsExpandedWrittenValuesShowLiterally) {
  Host.WorkItem().GetNamedValues()->SetStrValue("User", "Ann");
  auto vp = InitBar("<SimplePanel>1</SimplePanel><SimpleText>Hello ${User}</SimpleText>");
  EXPECT_EQ(vp->GetStatusBar()->GetSimpleText(), "Hello Ann");
  EXPECT_EQ(std::get<std::string>(Read("Main_SimpleText")), "Hello Ann");
  Write("Main_SimpleText", std::string("Bye ${User}"));
  EXPECT_EQ(vp->GetStatusBar()->GetSimpleText(), "Bye ${User}");
  EXPECT_EQ(vp->GetSimpleText(), "Bye ${User}");
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, FinalizeWithdrawsEveryKeyInBothModesAndFreesTheBar) {
  auto simple = InitBar("");
  TGuard<TControl> simpleBar = simple->GetControl();
  simple->Finalize();
  EXPECT_EQ(simpleBar.get(), nullptr);
  EXPECT_EQ(simple->GetControl(), nullptr);
  EXPECT_THAT(DataLog(), ElementsAre("+Main_SimpleText", "-Main_SimpleText"));

  DataLog().clear();
  auto panels = PanelBar(R"(<Panel ID="A"/><Panel/><Panel ID="B"/>)");
  panels->Finalize();
  EXPECT_THAT(DataLog(), ElementsAre("+Main_A_Caption", "+Main_A_Size", "+Main_A_Visible", "+Main_B_Caption",
                                     "+Main_B_Size", "+Main_B_Visible",
                                     // the simple-text key first, though never published; then each panel's
                                     "-Main_SimpleText", "-Main_A_Caption", "-Main_A_Size", "-Main_A_Visible",
                                     "-Main_B_Caption", "-Main_B_Size", "-Main_B_Visible"));
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

TEST_F(StatusBarViewPartTest, ReleasingWithoutFinalizeStillFreesTheBarAndWithdrawsThePanelKeys) {
  auto vp = PanelBar(R"(<Panel ID="A"/>)");
  TGuard<TControl> bar = vp->GetControl();
  vp = nullptr;
  EXPECT_EQ(bar.get(), nullptr);
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
}

TEST_F(StatusBarViewPartTest, PanelClicksFireTopicsWithoutSenderOnlyForPanelsWithID) {
  auto vp = PanelBar(R"(<Panel ID="A"/><Panel Caption="no id"/><Panel ID="B"/>)");
  TTBXStatusBar* bar = vp->GetStatusBar();
  bar->PanelClick(1);
  bar->PanelDblClick(1);
  EXPECT_THAT(Host.Events(), IsEmpty());
  bar->PanelClick(0);
  bar->PanelDblClick(2);
  bar->PanelClick(2);
  EXPECT_THAT(Host.Events(),
              ElementsAre("topic:Topic://ViewPart/Main/OnClick:", "topic:Topic://ViewPart/Main/OnDblClick:",
                          "topic:Topic://ViewPart/Main/OnClick:"));
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, APanelEventForAForeignPanelIsAnAssertionFailure) {
  auto vp = PanelBar(R"(<Panel ID="A"/>)");
  TTBXStatusBar* bar = vp->GetStatusBar();
  bar->Panels().Add();
  try {
    bar->PanelClick(1);
    ADD_FAILURE() << "a foreign panel was accepted";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), SUnitPath);
  }
  EXPECT_THROW(vp->DoPanelDblClick(bar, nullptr), EAssertionFailed);
  EXPECT_THAT(Host.Events(), IsEmpty());
  vp->Finalize();
}

// ---------------------------------------------------------------------------------------------
// Placing children

TEST_F(StatusBarViewPartTest, AChildGoesIntoTheFirstPanelWhoseIDMatchesIgnoringCase) {
  auto vp = PanelBar(R"(<Panel ID="Other"/><Panel ID="pos"/><Panel ID="POS"/>)");
  auto child = MakeChild("Clock", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  TControl* control = child->GetControl();
  control->SetVisible(false);
  control->SetAlign(alTop);
  TTBXStatusBar* bar = vp->GetStatusBar();
  TTbxLayoutProbe probe(*bar);
  vp->PlaceChildViewPart(child.get());
  EXPECT_EQ(Panel(*vp, 0).GetControl(), nullptr);
  EXPECT_EQ(Panel(*vp, 1).GetControl(), control);
  EXPECT_EQ(Panel(*vp, 2).GetControl(), nullptr);
  EXPECT_EQ(control->GetParent(), bar);
  // One update of the bar, and nothing else done with the child.
  EXPECT_EQ(probe.CompletedUpdates(), 1);
  EXPECT_FALSE(bar->IsUpdating());
  EXPECT_FALSE(control->GetVisible());
  EXPECT_EQ(control->GetAlign(), alTop);
  EXPECT_EQ(child->GetWorkSpace(), nullptr);
  ASSERT_EQ(vp->BoundViewParts().Count(), 1);
  EXPECT_EQ(vp->BoundViewParts().Items(0), child.get());
  child->Finalize();
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, ShowingAChildPlacesItOnceWhetherOrNotTheWorkItemRuns) {
  auto vp = PanelBar(R"(<Panel ID="Pos"/>)");
  auto child = MakeChild("Clock", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  TTbxLayoutProbe probe(*vp->GetStatusBar());
  EXPECT_EQ(Host.WorkItem().GetState(), wsStopped);
  vp->ShowViewPart(child.get());
  vp->ShowViewPart(child.get());
  EXPECT_EQ(Panel(*vp, 0).GetControl(), child->GetControl());
  EXPECT_EQ(probe.CompletedUpdates(), 1);
  EXPECT_EQ(vp->BoundViewParts().Count(), 1);
  child->Finalize();
  vp->Finalize();
}

TEST_F(StatusBarViewPartTest, PlacementErrorsNameTheChildStayBoundAndChangeNoPanel) {
  struct Case {
    std::string ExtData, Message;
  } cases[] = {
      {"", "插件[Child]没有在ExtData中定义的PanelID"},
      {"<ExtData/>", "插件[Child]没有在ExtData中定义的PanelID"},
      {"<ExtData><PanelID>  </PanelID></ExtData>", "插件[Child]没有在ExtData中定义的PanelID"},
      {"<ExtData><PanelID>Nope</PanelID></ExtData>", "插件[Child]中定义的PanelID[Nope]在StatusBar中不存在"},
      // Blanks around the PanelID are not part of it, and a near miss is no match.
      {"<ExtData><PanelID>Pos </PanelID></ExtData>", "插件[Child]中定义的PanelID[Pos]在StatusBar中不存在"},
  };
  auto vp = PanelBar(R"(<Panel/><Panel ID="Pos_"/>)");
  TTbxLayoutProbe probe(*vp->GetStatusBar());
  int bound = 0;
  for (const auto& c : cases) {
    auto child = MakeChild("Child", c.ExtData);
    try {
      vp->PlaceChildViewPart(child.get());
      ADD_FAILURE() << c.ExtData << " was placed";
    } catch (const ENUVViewPartError& e) {
      EXPECT_EQ(e.Message(), c.Message);
      EXPECT_EQ(e.ViewPartName(), "Child");
    }
    EXPECT_EQ(vp->BoundViewParts().Count(), ++bound);
    EXPECT_EQ(Panel(*vp, 0).GetControl(), nullptr);
    EXPECT_EQ(Panel(*vp, 1).GetControl(), nullptr);
    EXPECT_EQ(probe.CompletedUpdates(), 0);
    child->Finalize();
  }
  EXPECT_THROW(vp->PlaceChildViewPart(nullptr), EAssertionFailed);
  vp->Finalize();
}

// A panel holds one child's control: a second child for it, or a child without a control, is
// refused with the panel as it was, and the refused child's control stays where it was.
TEST_F(StatusBarViewPartTest, APanelThatHoldsAChildRefusesASecondOneAndOneWithoutControl) {
  auto vp = PanelBar(R"(<Panel ID="Pos"/>)");
  auto first = MakeChild("Clock", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  auto second = MakeChild("Date", "<ExtData><PanelID>pos</PanelID></ExtData>");
  auto ext = Host.Extension("Ghost", "", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  TIntfPtr<TNUVCustomViewPart> ghost(new TNUVCustomViewPart(ext.get(), Host.WorkItemIntf()));
  vp->PlaceChildViewPart(first.get());
  vp->PlaceChildViewPart(first.get());  // the same child again changes nothing
  struct Case {
    INUVViewPart* Child;
    std::string Message;
  } cases[] = {{second.get(), "ViewPart[Date] cannot go into StatusPanel[pos], which holds ViewPart[Clock]"},
               {ghost.get(), "ViewPart[Ghost] has no control to place in StatusPanel[Pos]"}};
  for (const auto& c : cases) {
    try {
      vp->PlaceChildViewPart(c.Child);
      ADD_FAILURE() << c.Message;
    } catch (const ENUVViewPartError& e) {
      EXPECT_EQ(e.Message(), c.Message);
      EXPECT_EQ(e.ViewPartName(), c.Child->GetName());
    }
    EXPECT_EQ(Panel(*vp, 0).GetControl(), first->GetControl());
  }
  EXPECT_EQ(first->GetControl()->GetParent(), vp->GetStatusBar());
  EXPECT_EQ(second->GetControl()->GetParent(), &Host.Window());
  second->Finalize();
  first->Finalize();
  vp->Finalize();
}

// Closing a child empties its panel, which then takes another; a control that another work space
// has taken since stays there.
TEST_F(StatusBarViewPartTest, ClosingAChildEmptiesItsPanelAndLeavesATakenControlWhereItIs) {
  auto vp = PanelBar(R"(<Panel ID="Pos"/>)");
  auto first = MakeChild("Clock", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  auto second = MakeChild("Date", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  vp->ShowViewPart(first.get());
  vp->CloseViewPart(first.get());
  EXPECT_EQ(Panel(*vp, 0).GetControl(), nullptr);
  EXPECT_EQ(first->GetControl()->GetParent(), nullptr);
  vp->ShowViewPart(second.get());
  EXPECT_EQ(Panel(*vp, 0).GetControl(), second->GetControl());

  auto otherExt = Host.Extension("Other", "", R"(<ExtData><StatusBar><Panels><Panel ID="Pos"/></Panels>
                                                 </StatusBar></ExtData>)");
  TIntfPtr<TNUVStatusBarViewPart> other(new TNUVStatusBarViewPart(otherExt.get(), Host.WorkItemIntf()));
  other->Initialize();
  other->ShowViewPart(second.get());  // another bar takes the control
  vp->HideViewPart(second.get());
  EXPECT_TRUE(second->GetControl()->GetVisible());
  vp->CloseViewPart(second.get());
  EXPECT_EQ(Panel(*vp, 0).GetControl(), nullptr);
  EXPECT_EQ(second->GetControl()->GetParent(), other->GetStatusBar());
  EXPECT_EQ(Panel(*other, 0).GetControl(), second->GetControl());
  second->Finalize();
  first->Finalize();
  other->Finalize();
  vp->Finalize();
}

// Hide and activate refuse a child that is not on the bar, as close does.
// A host may unbind a child after the bar is gone: there is no panel left to empty, and the child
// is let go all the same.
TEST_F(StatusBarViewPartTest, AChildUnboundAfterFinalizeIsLetGoWithoutTheBar) {
  auto vp = PanelBar(R"(<Panel ID="Pos"/>)");
  auto child = MakeChild("Clock", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  vp->ShowViewPart(child.get());
  vp->Finalize();
  ASSERT_NE(child->GetControl(), nullptr);
  vp->UnBindChildViewPart(child.get());
  EXPECT_EQ(child->GetWorkSpace(), nullptr);
  child->Finalize();
}

TEST_F(StatusBarViewPartTest, HideActivateAndCloseRefuseAChildThatIsNotOnTheBar) {
  auto vp = PanelBar(R"(<Panel ID="Pos"/>)");
  auto stranger = MakeChild("Clock", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  for (auto op : {&INUVWorkSpace::HideViewPart, &INUVWorkSpace::ActivateViewPart, &INUVWorkSpace::CloseViewPart}) {
    try {
      (static_cast<INUVWorkSpace&>(*vp).*op)(stranger.get());
      ADD_FAILURE() << "the bar took a child that is not on it";
    } catch (const ENUVViewPartError& e) {
      EXPECT_EQ(e.Message(), "ViewPart[Clock] is not on WorkSpace[Main]");
    }
  }
  EXPECT_TRUE(stranger->GetControl()->GetVisible());
  EXPECT_TRUE(Host.Events().empty());
  stranger->Finalize();
  vp->Finalize();
}

// Children and panels need the bar, which exists from Initialize to Finalize only.
TEST_F(StatusBarViewPartTest, PlacingOrAddingAPanelWithoutTheBarFailsAnAssertion) {
  auto vp = MakeBar("<ExtData><StatusBar><Panels><Panel ID=\"Pos\"/></Panels></StatusBar></ExtData>");
  auto child = MakeChild("Child", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  EXPECT_THROW(vp->PlaceChildViewPart(child.get()), EAssertionFailed);
  auto element = LoadXMLDocument("<Panel ID=\"Late\"/>", "panel.xml");
  EXPECT_THROW(TNUVStatusPanel(vp.get(), nullptr, element.get()), EAssertionFailed);
  EXPECT_TRUE(Host.Data().Keys().empty());
  child->Finalize();
  vp->Finalize();
}

// A child whose control is the window that holds the status bar.
class TWindowChild : public TNUVLabelViewPart {
 public:
  TWindowChild(IQIMExtension* extension, INUVWorkItem* workItem, TControl* window)
      : TNUVLabelViewPart(extension, workItem), FWindow(window) {}
  TControl* GetControl() override { return FWindow; }

 protected:
  ~TWindowChild() override = default;

 private:
  TControl* FWindow;
};

TEST_F(StatusBarViewPartTest, SetPanelControlEndsTheUpdateWhenTheControlIsRefused) {
  auto vp = PanelBar(R"(<Panel ID="Pos"/>)");
  auto ext = Host.Extension("Host", "", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  auto child = MakeCounted<TWindowChild>(ext.get(), Host.WorkItemIntf(), &Host.Window());
  TTBXStatusBar* bar = vp->GetStatusBar();
  TTbxLayoutProbe probe(*bar);
  EXPECT_THROW(vp->PlaceChildViewPart(child.get()), Exception);
  EXPECT_FALSE(bar->IsUpdating());
  EXPECT_EQ(probe.CompletedUpdates(), 1);
  EXPECT_EQ(Panel(*vp, 0).GetControl(), nullptr);
  try {
    SetPanelControl(nullptr, nullptr);
    ADD_FAILURE() << "a nil panel was accepted";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), SUnitPath);
  }
  EXPECT_EQ(probe.CompletedUpdates(), 1);
  vp->Finalize();
}

// ---------------------------------------------------------------------------------------------
// Configuration faults

TEST_F(StatusBarViewPartTest, AForeignChildOfPanelsStopsInitializeNamingIt) {
  auto vp = MakeBar(R"(<ExtData><StatusBar><Panels><Panel ID="A"/><Pane ID="B"/><Panel ID="C"/></Panels>
                       </StatusBar></ExtData>)");
  try {
    vp->Initialize();
    ADD_FAILURE() << "<Pane> was accepted";
  } catch (const EConfigurationError& e) {
    EXPECT_EQ(e.Found(), "Pane");
    EXPECT_THAT(e.Where(), HasSubstr("<Pane>"));
  }
  // The panels before it stay; nothing after it is built or installed.
  EXPECT_EQ(vp->GetStatusBar()->Panels().Count(), 1);
  EXPECT_FALSE(vp->GetStatusBar()->OnPanelClick);
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Main_A_Caption", "Main_A_Size", "Main_A_Visible"));
  vp->Finalize();
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
}

TEST_F(StatusBarViewPartTest, ReleasingWithoutFinalizeWithdrawsTheSimpleTextKey) {
  auto vp = MakeBar("");
  vp->Initialize();
  ASSERT_THAT(Host.Data().Keys(), ElementsAre("Main_SimpleText"));
  vp = nullptr;  // the delegate would read a destroyed bar
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
}

}  // namespace
