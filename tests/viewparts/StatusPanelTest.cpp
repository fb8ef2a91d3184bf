#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "StatusBarTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

using StatusPanelTest = StatusBarFixture;

TEST_F(StatusPanelTest, ABarePanelTakesTheDefaultsAndPublishesNothing) {
  auto vp = PanelBar("<Panel/>");
  ASSERT_EQ(vp->GetStatusBar()->Panels().Count(), 1);
  TNUVStatusPanel& panel = Panel(*vp, 0);
  EXPECT_EQ(panel.GetCaption(), "");
  EXPECT_EQ(panel.GetAlignment(), taLeftJustify);
  EXPECT_TRUE(panel.GetFramed());
  EXPECT_EQ(panel.GetHint(), "");
  EXPECT_EQ(panel.GetSize(), 50);
  EXPECT_EQ(panel.GetRestoreSize(), 50);
  EXPECT_EQ(panel.GetMaxSize(), 0);
  EXPECT_EQ(panel.GetStretchPriority(), 0);
  EXPECT_EQ(panel.GetRestoreStretchPriority(), 0);
  EXPECT_EQ(panel.GetTextTruncation(), twNone);
  EXPECT_EQ(panel.GetImageIndex(), -1);  // the image manager's answer for no file
  EXPECT_EQ(panel.GetID(), "");
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
  vp->Finalize();
}

TEST_F(StatusPanelTest, EveryAttributeIsAppliedInDocumentOrder) {
  Host.WorkItem().GetNamedValues()->SetStrValue("Line", "12");
  auto vp = PanelBar(R"(
      <Panel Caption="Line ${Line}" Alignment="center" Framed="False" Hint="at ${Line}" Size="80" MaxSize="200"
             StretchPriority="30" TextTruncation="PathEllipsis" ImageFile="pos.png" ID="Pos"/>
      <Panel Alignment="RightJustify" TextTruncation="twEndEllipsis" ImageFile="pos.png"/>)");
  ASSERT_EQ(vp->GetStatusBar()->Panels().Count(), 2);
  TNUVStatusPanel& panel = Panel(*vp, 0);
  EXPECT_EQ(panel.GetCaption(), "Line 12");
  EXPECT_EQ(panel.GetAlignment(), taCenter);
  EXPECT_FALSE(panel.GetFramed());
  EXPECT_EQ(panel.GetHint(), "at ${Line}");  // as written
  EXPECT_EQ(panel.GetSize(), 80);
  EXPECT_EQ(panel.GetMaxSize(), 200);
  EXPECT_EQ(panel.GetStretchPriority(), 30);
  EXPECT_EQ(panel.GetRestoreStretchPriority(), 30);
  EXPECT_EQ(panel.GetTextTruncation(), twPathEllipsis);
  EXPECT_EQ(panel.GetID(), "Pos");
  EXPECT_EQ(panel.GetDisplayName(), "Pos");  // what dumps show
  const TCustomImageList& images = *Host.Images().GetImageManager()->GetImageList();
  ASSERT_EQ(panel.GetImageIndex(), 0);
  EXPECT_EQ(images.FileName(0), "pos.png");
  TNUVStatusPanel& second = Panel(*vp, 1);
  EXPECT_EQ(second.GetAlignment(), taRightJustify);
  EXPECT_EQ(second.GetTextTruncation(), twEndEllipsis);
  EXPECT_EQ(second.GetImageIndex(), 0);  // the same file, the same image
  vp->Finalize();
}

TEST_F(StatusPanelTest, KeysAreNamedAfterViewPartAndIDAndReachThePanel) {
  Host.WorkItem().GetNamedValues()->SetStrValue("Who", "Ann");
  auto vp = PanelBar(R"(<Panel ID="Pos" Caption="${Who}" Size="70"/><Panel ID="Mode"/>)");
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Main_Pos_Caption", "Main_Pos_Size", "Main_Pos_Visible",
                                              "Main_Mode_Caption", "Main_Mode_Size", "Main_Mode_Visible"));
  TNUVStatusPanel& panel = Panel(*vp, 0);
  EXPECT_EQ(std::get<std::string>(Read("Main_Pos_Caption")), "Ann");
  EXPECT_EQ(std::get<int>(Read("Main_Pos_Size")), 70);
  EXPECT_TRUE(std::get<bool>(Read("Main_Pos_Visible")));
  Write("Main_Pos_Caption", std::string("${Who} again"));
  EXPECT_EQ(panel.GetCaption(), "${Who} again");  // written values are not expanded
  EXPECT_THROW(Write("Main_Pos_Size", std::string("wide")), EConvertError);
  vp->Finalize();
}

TEST_F(StatusPanelTest, SizesPastTheRangeOfIntStopAtTheLargestExtentOfAControl) {
  auto vp = PanelBar(R"(<Panel ID="Wide" Size="2147483647"/><Panel ID="Pos"/>)");
  auto child = MakeChild("Clock", "<ExtData><PanelID>Pos</PanelID></ExtData>");
  vp->PlaceChildViewPart(child.get());
  Write("Main_Pos_Size", 2147483647);  // together far past the range of int
  const TControl* control = child->GetControl();
  const TTBXStatusPanel& pos = Panel(*vp, 1);
  EXPECT_TRUE(pos.GetBounds().Empty());  // the wide panel takes all the bar has
  EXPECT_TRUE(control->GetBoundsRect().Empty());
  Write("Main_Wide_Size", 100);
  EXPECT_EQ(pos.GetBounds().Left, 100);  // the other panel is cut off at the size grip
  EXPECT_EQ(pos.GetBounds().Right(), vp->GetControl()->GetWidth() - TTBXCustomStatusBar::SizeGripWidth);
  EXPECT_EQ(control->GetBoundsRect(), pos.GetContentRect());
  vp->Finalize();
}

TEST_F(StatusPanelTest, HidingAndShowingRestoresSizeAndStretchPriority) {
  auto vp = PanelBar(R"(<Panel ID="P" Size="80" StretchPriority="30"/>)");
  TNUVStatusPanel& panel = Panel(*vp, 0);
  Write("Main_P_Visible", true);  // already shown: nothing changes
  EXPECT_EQ(panel.GetSize(), 80);
  EXPECT_EQ(panel.GetStretchPriority(), 30);
  Write("Main_P_Visible", false);
  EXPECT_EQ(panel.GetSize(), 0);
  EXPECT_EQ(panel.GetStretchPriority(), 0);
  EXPECT_FALSE(std::get<bool>(Read("Main_P_Visible")));
  EXPECT_EQ(panel.GetRestoreSize(), 80);
  EXPECT_EQ(panel.GetRestoreStretchPriority(), 30);
  Write("Main_P_Visible", false);  // already hidden: nothing changes
  EXPECT_EQ(panel.GetRestoreSize(), 80);
  Write("Main_P_Visible", true);
  EXPECT_EQ(panel.GetSize(), 80);
  EXPECT_EQ(panel.GetStretchPriority(), 30);
  EXPECT_TRUE(std::get<bool>(Read("Main_P_Visible")));
  vp->Finalize();
}

TEST_F(StatusPanelTest, SizeWrittenWhileHiddenShowsThePanelWithoutItsStretchPriority) {
  auto vp = PanelBar(R"(<Panel ID="P" Size="80" StretchPriority="30"/>)");
  TNUVStatusPanel& panel = Panel(*vp, 0);
  Write("Main_P_Visible", false);
  Write("Main_P_Size", 120);
  EXPECT_EQ(panel.GetSize(), 120);
  EXPECT_EQ(panel.GetStretchPriority(), 0);
  EXPECT_TRUE(std::get<bool>(Read("Main_P_Visible")));
  Write("Main_P_Visible", true);  // shown already, so the stretch priority stays 0
  EXPECT_EQ(panel.GetStretchPriority(), 0);
  Write("Main_P_Visible", false);
  Write("Main_P_Visible", true);
  EXPECT_EQ(panel.GetSize(), 120);
  EXPECT_EQ(panel.GetStretchPriority(), 30);
  vp->Finalize();
}

TEST_F(StatusPanelTest, SizeZeroHidesUntilAPositiveSizeArrives) {
  auto vp = PanelBar(R"(<Panel ID="P" StretchPriority="40"/><Panel ID="Q" Size="0"/>)");
  TNUVStatusPanel& panel = Panel(*vp, 0);
  Write("Main_P_Size", 0);
  EXPECT_FALSE(std::get<bool>(Read("Main_P_Visible")));
  EXPECT_EQ(panel.GetStretchPriority(), 40);  // the size alone does not touch it
  Write("Main_P_Visible", true);
  EXPECT_EQ(panel.GetSize(), 0);
  EXPECT_FALSE(std::get<bool>(Read("Main_P_Visible")));
  Write("Main_P_Size", 60);
  EXPECT_TRUE(std::get<bool>(Read("Main_P_Visible")));
  // A panel configured with size 0 starts hidden (a negative size is refused: sizes are 0 or more).
  EXPECT_FALSE(std::get<bool>(Read("Main_Q_Visible")));
  vp->Finalize();
}

TEST_F(StatusPanelTest, StretchPriorityOutOfRangeIsAConfigurationErrorThatLeavesNoTrace) {
  for (const std::string bad : {"101", "-1"}) {
    DataLog().clear();
    auto vp = MakeBar(R"(<ExtData><StatusBar><Panels><Panel ID="A"/><Panel ID="B" StretchPriority=")" + bad +
                      R"("/><Panel ID="C"/></Panels></StatusBar></ExtData>)");
    try {
      vp->Initialize();
      ADD_FAILURE() << bad << " was accepted";
    } catch (const EConfigurationError& e) {
      EXPECT_EQ(e.Found(), bad);
      EXPECT_THAT(e.Where(), HasSubstr("<Panel> attribute StretchPriority"));
      EXPECT_THAT(e.Message(), HasSubstr(bad));
    }
    // Initialize failed: the bar goes, and the panel before withdraws its keys with it.
    EXPECT_EQ(vp->GetStatusBar(), nullptr);
    EXPECT_THAT(DataLog(), ElementsAre("+Main_A_Caption", "+Main_A_Size", "+Main_A_Visible", "-Main_A_Caption",
                                       "-Main_A_Size", "-Main_A_Visible"));
    vp->Finalize();
    EXPECT_THAT(Host.Data().Keys(), IsEmpty());
  }
}

TEST_F(StatusPanelTest, BadNamesAndNumbersFailAsTheReadersFailAndLeaveNoPanel) {
  for (const std::string attribute :
       {R"(Alignment="Middle")", R"(TextTruncation="Wrap")", R"(Size="wide")", R"(Framed="perhaps")"}) {
    auto vp =
        MakeBar(R"(<ExtData><StatusBar><Panels><Panel ID="B" )" + attribute + "/></Panels></StatusBar></ExtData>");
    EXPECT_THROW(vp->Initialize(), EConfigurationError) << attribute;
    EXPECT_EQ(vp->GetStatusBar(), nullptr) << attribute;
    EXPECT_THAT(Host.Data().Keys(), IsEmpty()) << attribute;
    vp->Finalize();
  }
}

// The host refuses a key of panel B: the keys B published before it go again, then the bar goes
// with panel A before it, which withdraws its keys.
TEST_F(StatusPanelTest, AKeyRefusedPartWayWithdrawsThePanelsKeysAndLeavesNoPanel) {
  const std::vector<std::string> keysOfB{"Main_B_Caption", "Main_B_Size", "Main_B_Visible"};
  for (size_t published = 0; published < keysOfB.size(); ++published) {
    const std::string& refused = keysOfB[published];
    DataLog().clear();
    WorkItem->Refuse(refused);
    auto vp = MakeBar(R"(<ExtData><StatusBar><Panels><Panel ID="A"/><Panel ID="B"/><Panel ID="C"/></Panels>
                         </StatusBar></ExtData>)");
    try {
      vp->Initialize();
      ADD_FAILURE() << refused << " was taken";
    } catch (const Exception& e) {
      EXPECT_THAT(e.Message(), HasSubstr(refused));
    }
    EXPECT_EQ(vp->GetStatusBar(), nullptr) << refused;
    EXPECT_THAT(Host.Data().Keys(), IsEmpty()) << refused;
    std::vector<std::string> withdrawal;
    for (size_t i = 0; i < published; ++i) withdrawal.push_back("-" + keysOfB[i]);
    for (const char* key : {"-Main_A_Caption", "-Main_A_Size", "-Main_A_Visible"}) withdrawal.push_back(key);
    EXPECT_TRUE(std::equal(withdrawal.rbegin(), withdrawal.rend(), DataLog().rbegin())) << refused;
    vp->Finalize();
    EXPECT_THAT(Host.Data().Keys(), IsEmpty()) << refused;
  }
}

// Two panels of one bar with the same ID would publish the same keys: the second is refused, and
// with it the bar, whose Initialize failed; no key stays.
TEST_F(StatusPanelTest, AnIDUsedTwiceInOneBarIsRefusedAndNoBarNorKeyStays) {
  auto vp = MakeBar(R"(<ExtData><StatusBar><Panels><Panel ID="Pos" Caption="first"/><Panel ID="Pos"/>
                       </Panels></StatusBar></ExtData>)");
  try {
    vp->Initialize();
    ADD_FAILURE() << "the second Pos was taken";
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(),
              "ViewPart[Main] cannot publish the data key Main_Pos_Caption: another view part or panel "
              "publishes it");
  }
  EXPECT_EQ(vp->GetStatusBar(), nullptr);
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
  vp->Finalize();
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
}

// "Main" with panel "A_B" and "Main_A" with panel "B" both name Main_A_B_Caption: the bar that
// comes second is refused, and finalizing it leaves the first bar's keys alone.
TEST_F(StatusPanelTest, KeysOfTwoOwnersThatJoinAlikeAreNeitherTakenOverNorWithdrawnByTheOther) {
  auto first = PanelBar(R"(<Panel ID="A_B"/>)");
  auto ext = Host.Extension("Main_A", "", R"(<ExtData><StatusBar><Panels><Panel ID="B"/></Panels></StatusBar>
                                             </ExtData>)");
  TIntfPtr<TNUVStatusBarViewPart> second(new TNUVStatusBarViewPart(ext.get(), Host.WorkItemIntf()));
  EXPECT_THROW(second->Initialize(), ENUVViewPartError);
  EXPECT_EQ(second->GetStatusBar(), nullptr);
  second->Finalize();
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Main_A_B_Caption", "Main_A_B_Size", "Main_A_B_Visible"));
  Write("Main_A_B_Size", 70);
  EXPECT_EQ(Panel(*first, 0).GetSize(), 70);
  first->Finalize();
  EXPECT_THAT(Host.Data().Keys(), IsEmpty());
}

TEST_F(StatusPanelTest, ANilOwnerIsAnAssertionFailure) {
  auto element = LoadXMLDocument("<Panel/>", "panel.xml");
  try {
    TNUVStatusPanel panel(nullptr, nullptr, element.get());
    ADD_FAILURE() << "a panel without owner was built";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), "Framework\\Source\\ViewParts\\NUV.ViewParts.TBX\\NUVStatusBarViewPart");
  }
}

}  // namespace
