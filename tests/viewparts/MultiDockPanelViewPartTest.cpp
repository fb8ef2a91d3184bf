#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVLabelViewPart.h"
#include "NUVMultiDockPanelViewPart.h"
#include "TestHost.h"

using ::testing::HasSubstr;

namespace {

class MultiDockPanelViewPartTest : public ::testing::Test {
 protected:
  TIntfPtr<TNUVMultiDockPanelViewPart> MultiDock(const std::string& element = "") {
    auto ext = Host.Extension("Tools", "Tools", element.empty() ? "" : "<ExtData>" + element + "</ExtData>");
    auto vp = MakeCounted<TNUVMultiDockPanelViewPart>(ext.get(), Host.WorkItemIntf());
    vp->Initialize();
    return vp;
  }
  TIntfPtr<TNUVLabelViewPart> Child(const std::string& name, const std::string& caption) {
    auto ext = Host.Extension(name, caption);
    auto vp = MakeCounted<TNUVLabelViewPart>(ext.get(), Host.WorkItemIntf());
    vp->Initialize();
    Children.push_back(vp);
    return vp;
  }
  static TTBXDockablePanel* Panel(TNUVMultiDockPanelViewPart& vp, int index) {
    return static_cast<TNUVVisibilityToggleItem*>(vp.GetToolbar()->Items()->GetItem(index))->FPanel;
  }
  static TNUVVisibilityToggleItem* Button(TNUVMultiDockPanelViewPart& vp, int index) {
    return static_cast<TNUVVisibilityToggleItem*>(vp.GetToolbar()->Items()->GetItem(index));
  }
  // "10" for two panels, the first shown.
  static std::string Shown(TNUVMultiDockPanelViewPart& vp) {
    std::string shown;
    for (int i = 0; i < vp.GetToolbar()->Items()->Count(); ++i) shown += Panel(vp, i)->GetVisible() ? '1' : '0';
    return shown;
  }
  void TearDown() override {
    for (auto& child : Children) child->Finalize();
  }

  TTestHost Host;
  std::vector<TIntfPtr<TNUVLabelViewPart>> Children;
};

TEST_F(MultiDockPanelViewPartTest, WithoutElementALeftDockWithAToolbarAndOnePanelPerChild) {
  auto vp = MultiDock();
  auto* dock = dynamic_cast<TTBXDock*>(vp->GetControl());
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->GetParent(), &Host.Window());
  EXPECT_EQ(dock->GetPosition(), dpLeft);
  EXPECT_FALSE(dock->GetAllowDrag());
  TTBXToolbar* toolbar = vp->GetToolbar();
  EXPECT_EQ(toolbar->GetParent(), dock);
  EXPECT_TRUE(toolbar->GetVisible());
  EXPECT_TRUE(toolbar->GetFullSize());
  EXPECT_EQ(toolbar->GetDockRow(), 0);
  EXPECT_EQ(vp->DefaultAlign(), "");

  auto child = Child("Explorer", "Explorer");
  vp->ShowViewPart(child.get());
  TNUVVisibilityToggleItem* button = Button(*vp, 0);
  TTBXDockablePanel* panel = Panel(*vp, 0);
  EXPECT_EQ(button->GetCaption(), "Explorer");
  EXPECT_EQ(button->Kind(), ikVisibilityToggle);  // the plug-in's class keeps its base's kind
  EXPECT_EQ(button->GetControl(), panel);
  EXPECT_EQ(button->FontSettings().GetSize(), 100);
  EXPECT_EQ(button->FontSettings().GetBold(), tsDefault);
  EXPECT_EQ(panel->GetText(), "Explorer");
  EXPECT_EQ(panel->GetParent(), dock);
  EXPECT_EQ(panel->GetOwner(), toolbar);
  EXPECT_EQ(panel->GetDockRow(), 1);
  EXPECT_EQ(panel->GetDockedWidth(), 200);
  EXPECT_EQ(panel->GetDockedHeight(), 200);
  EXPECT_TRUE(panel->GetShowCaption());
  EXPECT_TRUE(panel->GetShowCaptionWhenDocked());
  EXPECT_TRUE(panel->GetSmoothDockedResize());
  EXPECT_TRUE(panel->GetVisible());
  EXPECT_EQ(child->GetControl()->GetParent(), panel);
  EXPECT_EQ(child->GetControl()->GetAlign(), alClient);
  vp->Finalize();
}

TEST_F(MultiDockPanelViewPartTest, ClicksKeepAtMostOnePanelShown) {
  auto vp = MultiDock();
  auto first = Child("A", "A");
  auto second = Child("B", "B");
  vp->ShowViewPart(first.get());
  vp->ShowViewPart(second.get());
  EXPECT_EQ(Shown(*vp), "10");
  vp->ShowViewPart(second.get());  // a click on a hidden panel's button
  EXPECT_EQ(Shown(*vp), "01");
  vp->ShowViewPart(second.get());  // a click on a shown panel's button
  EXPECT_EQ(Shown(*vp), "00");
  Button(*vp, 0)->Click();  // the user's click
  EXPECT_EQ(Shown(*vp), "10");
  vp->HideViewPart(first.get());
  EXPECT_EQ(Shown(*vp), "00");
  EXPECT_EQ(vp->GetToolbar()->Items()->Count(), 2);  // the button stays
  vp->ActivateViewPart(second.get());
  EXPECT_EQ(Shown(*vp), "01");
  EXPECT_TRUE(Host.Events().empty());  // activation clicks, it does not focus
  vp->Finalize();
}

// Only showing a panel by its button hides the others; hiding one leaves the rest as they are.
TEST_F(MultiDockPanelViewPartTest, HidingAPanelByItsButtonLeavesAnotherShownPanelShown) {
  auto vp = MultiDock();
  auto first = Child("A", "A");
  auto second = Child("B", "B");
  vp->ShowViewPart(first.get());
  vp->ShowViewPart(second.get());
  Panel(*vp, 1)->SetVisible(true);  // shown by other means than its button
  ASSERT_EQ(Shown(*vp), "11");
  Button(*vp, 0)->Click();
  EXPECT_EQ(Shown(*vp), "01");
  vp->Finalize();
}

TEST_F(MultiDockPanelViewPartTest, AutoHideStartsEveryPanelHidden) {
  auto vp = MultiDock("<MultiDockPanel><AutoHide>True</AutoHide></MultiDockPanel>");
  vp->ShowViewPart(Child("A", "A").get());
  vp->ShowViewPart(Child("B", "B").get());
  EXPECT_EQ(Shown(*vp), "00");
  vp->Finalize();
}

TEST_F(MultiDockPanelViewPartTest, ClosingTheFirstOfThreeLeavesTheOthersWorkingByChild) {
  auto vp = MultiDock();
  auto a = Child("A", "Same");
  auto b = Child("B", "Same");
  auto c = Child("C", "Other");
  for (auto* child : {a.get(), b.get(), c.get()}) vp->ShowViewPart(child);
  TGuard<TTBXDockablePanel> panelA = Panel(*vp, 0);
  vp->CloseViewPart(a.get());
  EXPECT_EQ(panelA.get(), nullptr);
  EXPECT_EQ(vp->GetToolbar()->Items()->Count(), 2);
  EXPECT_EQ(a->GetControl()->GetParent(), nullptr);
  EXPECT_EQ(vp->IndexOfViewPart(b.get()), 0);
  vp->ActivateViewPart(c.get());
  EXPECT_EQ(Shown(*vp), "01");
  vp->ActivateViewPart(b.get());  // same caption as the closed child: found by child, not caption
  EXPECT_EQ(Shown(*vp), "10");
  try {
    vp->HideViewPart(a.get());
    FAIL();
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(), "ViewPart[A] is not on WorkSpace[Tools]");
  }
  vp->ShowViewPart(a.get());  // shown anew: a new button at the end
  EXPECT_EQ(vp->IndexOfViewPart(a.get()), 2);
  vp->Finalize();
}

// A closed child belongs to no work space any more, as one that was never shown.
TEST_F(MultiDockPanelViewPartTest, AClosedChildNoLongerNamesTheDockAsItsWorkSpace) {
  auto vp = MultiDock();
  auto child = Child("A", "A");
  vp->ShowViewPart(child.get());
  ASSERT_EQ(child->GetWorkSpace(), static_cast<INUVWorkSpace*>(vp.get()));
  vp->CloseViewPart(child.get());
  EXPECT_EQ(child->GetWorkSpace(), nullptr);
  vp->Finalize();
}

// A dock size of 0 pixels is a size: the panels start collapsed.
TEST_F(MultiDockPanelViewPartTest, ADockSizeOfZeroPixelsIsAccepted) {
  auto vp = MultiDock("<MultiDockPanel><DockSize>0</DockSize></MultiDockPanel>");
  vp->ShowViewPart(Child("A", "A").get());
  EXPECT_EQ(Panel(*vp, 0)->GetDockedWidth(), 0);
  EXPECT_EQ(Panel(*vp, 0)->GetDockedHeight(), 0);
  vp->Finalize();
}

TEST_F(MultiDockPanelViewPartTest, ResizingOnePanelGivesEveryOtherPanelItsSize) {
  auto vp = MultiDock();
  for (const char* name : {"A", "B", "C"}) vp->ShowViewPart(Child(name, name).get());
  Panel(*vp, 1)->SetBounds(0, 0, 150, 90);
  // Across the left dock every panel is as wide as the resized one, and stays so when it shows;
  // along the dock the shown panel is as long as the dock, the hidden ones keep the given height.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Panel(*vp, i)->GetWidth(), 150) << i;
    EXPECT_EQ(Panel(*vp, i)->GetDockedWidth(), 150) << i;
  }
  EXPECT_EQ(Panel(*vp, 0)->GetHeight(), static_cast<TWinControl*>(vp->GetControl())->GetClientRect().Height);
  EXPECT_EQ(Panel(*vp, 2)->GetHeight(), 90);
  TWinControl stranger(nullptr);
  EXPECT_THROW(vp->PanelResize(&stranger), EAssertionFailed);
  vp->Finalize();
}

// The window has less room than asked for: the dock shows the panels narrower, yet each keeps the
// size the resized one was given, not the one the dock cut it to on the way.
TEST_F(MultiDockPanelViewPartTest, InACrampedWindowEveryPanelTakesTheSizeTheResizedOneWasGiven) {
  auto vp = MultiDock();
  for (const char* name : {"A", "B", "C"}) vp->ShowViewPart(Child(name, name).get());
  Host.Window().SetBounds(0, 0, 60, 300);
  Panel(*vp, 0)->SetBounds(0, 0, 150, 90);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Panel(*vp, i)->GetDockedWidth(), 150) << i;
  EXPECT_LT(Panel(*vp, 0)->GetWidth(), 150);
  vp->Finalize();
}

// A resize handler that raises part-way through the propagation must not leave it switched off.
TEST_F(MultiDockPanelViewPartTest, AResizeHandlerThatRaisesLeavesPropagationWorking) {
  auto vp = MultiDock();
  for (const char* name : {"A", "B", "C"}) vp->ShowViewPart(Child(name, name).get());
  TNotifyEvent ownHandler = Panel(*vp, 2)->OnResize;
  Panel(*vp, 2)->OnResize = [](TObject*) { throw Exception("resize refused"); };
  EXPECT_THROW(Panel(*vp, 0)->SetBounds(0, 0, 150, 90), Exception);
  EXPECT_EQ(Panel(*vp, 1)->GetWidth(), 150);  // reached before C refused
  Panel(*vp, 2)->OnResize = ownHandler;
  Panel(*vp, 1)->SetBounds(0, 0, 120, 70);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Panel(*vp, i)->GetWidth(), 120) << i;
  EXPECT_EQ(Panel(*vp, 2)->GetHeight(), 70);
  vp->Finalize();
}

TEST_F(MultiDockPanelViewPartTest, RightPositionSwapsTheRowsAndAHiddenToolbarStillSwitches) {
  auto vp = MultiDock(R"(<MultiDockPanel ShowToolBar="False"><Position>Right</Position><DockSize>120</DockSize>
      <ShowTitle>False</ShowTitle><SmoothDockedResize>False</SmoothDockedResize></MultiDockPanel>)");
  EXPECT_EQ(dynamic_cast<TTBXDock*>(vp->GetControl())->GetPosition(), dpRight);
  EXPECT_EQ(vp->GetToolbar()->GetDockRow(), 1);
  EXPECT_FALSE(vp->GetToolbar()->GetVisible());
  auto a = Child("A", "A");
  auto b = Child("B", "B");
  vp->ShowViewPart(a.get());
  vp->ShowViewPart(b.get());
  TTBXDockablePanel* panel = Panel(*vp, 0);
  EXPECT_EQ(panel->GetDockRow(), 0);
  EXPECT_EQ(panel->GetDockedWidth(), 120);
  EXPECT_FALSE(panel->GetShowCaption());
  EXPECT_FALSE(panel->GetShowCaptionWhenDocked());
  EXPECT_FALSE(panel->GetSmoothDockedResize());
  vp->ActivateViewPart(b.get());
  EXPECT_EQ(Shown(*vp), "01");
  vp->Finalize();
}

TEST_F(MultiDockPanelViewPartTest, ButtonFontSettingsStyleEveryButton) {
  auto vp = MultiDock(R"(<MultiDockPanel><ButtonFontSettings><Bold>True</Bold><Italic>false</Italic>
      <Size>150</Size><Name>Verdana</Name><Color>clRed</Color></ButtonFontSettings></MultiDockPanel>)");
  vp->ShowViewPart(Child("A", "A").get());
  vp->ShowViewPart(Child("B", "B").get());
  for (int i = 0; i < 2; ++i) {
    const TFontSettings& font = Button(*vp, i)->FontSettings();
    EXPECT_EQ(font.GetBold(), tsTrue);
    EXPECT_EQ(font.GetItalic(), tsFalse);
    EXPECT_EQ(font.GetUnderline(), tsDefault);
    EXPECT_EQ(font.GetSize(), 150);
    EXPECT_EQ(font.GetName(), "Verdana");
    EXPECT_EQ(font.GetColor(), clRed);
  }
  vp->Finalize();
}

// 25 % and 1000 % are the first and last sizes the buttons take.
TEST_F(MultiDockPanelViewPartTest, ButtonFontSizesOf25And1000PercentAreTaken) {
  for (int size : {TFontSettings::MinSize, TFontSettings::MaxSize}) {
    auto vp = MultiDock("<MultiDockPanel><ButtonFontSettings><Size>" + std::to_string(size) +
                        "</Size></ButtonFontSettings></MultiDockPanel>");
    vp->ShowViewPart(Child("A" + std::to_string(size), "A").get());
    EXPECT_EQ(Button(*vp, 0)->FontSettings().GetSize(), size);
    vp->Finalize();
  }
}

TEST_F(MultiDockPanelViewPartTest, BadButtonFontSettingsFailWithoutLeavingAHalfBuiltChild) {
  for (const char* settings : {"<Size>20</Size>", "<Size>1001</Size>", "<Bold>Maybe</Bold>"}) {
    auto vp = MultiDock(std::string("<MultiDockPanel><ButtonFontSettings>") + settings +
                        "</ButtonFontSettings></MultiDockPanel>");
    auto child = Child("A", "A");
    try {
      vp->ShowViewPart(child.get());
      ADD_FAILURE() << settings;
    } catch (const EConfigurationError& e) {
      EXPECT_THAT(e.Message(), HasSubstr("ButtonFontSettings")) << settings;
    }
    EXPECT_EQ(vp->GetToolbar()->Items()->Count(), 0) << settings;
    EXPECT_EQ(vp->GetToolbar()->ComponentCount(), 0) << settings;
    EXPECT_EQ(child->GetControl()->GetParent(), &Host.Window()) << settings;
    vp->Finalize();
  }
  EXPECT_THROW(MultiDock("<MultiDockPanel><Position>Middle</Position></MultiDockPanel>"), EConfigurationError);
}

TEST_F(MultiDockPanelViewPartTest, NilChildrenFailAnAssertionOfTheUnit) {
  auto vp = MultiDock();
  try {
    vp->ShowViewPart(nullptr);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), "Framework\\Source\\ViewParts\\NUV.ViewParts.TBX\\NUVMultiDockPanelViewPart");
  }
  EXPECT_THROW(vp->HideViewPart(nullptr), EAssertionFailed);
  EXPECT_THROW(vp->CloseViewPart(nullptr), EAssertionFailed);
  EXPECT_THROW(vp->ActivateViewPart(nullptr), EAssertionFailed);
  vp->Finalize();
}

// Initialize reads the settings before it makes the dock and the toolbar; a host that goes on
// with the view part after a bad setting hears one clear error for showing a child, and the
// children stay where they are.
TEST_F(MultiDockPanelViewPartTest, ChildrenOfAPanelWhoseInitializeFailedGetAClearError) {
  auto ext =
      Host.Extension("Tools", "Tools", "<ExtData><MultiDockPanel><DockSize>-1</DockSize></MultiDockPanel></ExtData>");
  auto vp = MakeCounted<TNUVMultiDockPanelViewPart>(ext.get(), Host.WorkItemIntf());
  EXPECT_THROW(vp->Initialize(), EConfigurationError);
  ASSERT_EQ(vp->GetControl(), nullptr);
  auto child = Child("A", "A");
  try {
    vp->ShowViewPart(child.get());
    ADD_FAILURE() << "a child was taken without a toolbar";
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(),
              "WorkSpace[Tools] cannot show ViewPart[A]: it has no control, as its Initialize did not "
              "complete");
    EXPECT_EQ(e.ViewPartName(), "Tools");
  }
  for (auto op : {&INUVWorkSpace::HideViewPart, &INUVWorkSpace::CloseViewPart, &INUVWorkSpace::ActivateViewPart}) {
    try {
      (static_cast<INUVWorkSpace&>(*vp).*op)(child.get());
      ADD_FAILURE() << "a child that was never shown was taken";
    } catch (const ENUVViewPartError& e) {
      EXPECT_EQ(e.Message(), "ViewPart[A] is not on WorkSpace[Tools]");
    }
  }
  EXPECT_EQ(child->GetControl()->GetParent(), &Host.Window());
  vp->Finalize();
}

// Another work space that shows the child takes its control out of its panel: the multi-dock
// panel may no longer hide or activate it, and closing it there frees the button and the panel
// but leaves the control where it is.
TEST_F(MultiDockPanelViewPartTest, AChildThatAnotherWorkSpaceTookIsNoLongerInItsPanel) {
  auto vp = MultiDock();
  auto other = MultiDock();
  auto a = Child("A", "A");
  vp->ShowViewPart(a.get());
  other->ShowViewPart(a.get());
  ASSERT_EQ(a->GetControl()->GetParent(), Panel(*other, 0));
  EXPECT_THROW(vp->HideViewPart(a.get()), ENUVViewPartError);
  EXPECT_THROW(vp->ActivateViewPart(a.get()), ENUVViewPartError);
  EXPECT_EQ(Shown(*other), "1");
  vp->ShowViewPart(a.get());  // back into its own panel, which shows
  EXPECT_EQ(a->GetControl()->GetParent(), Panel(*vp, 0));
  EXPECT_EQ(Shown(*vp), "1");
  other->CloseViewPart(a.get());
  EXPECT_EQ(other->GetToolbar()->Items()->Count(), 0);
  EXPECT_EQ(a->GetControl()->GetParent(), Panel(*vp, 0));
  other->Finalize();
  vp->Finalize();
}

TEST_F(MultiDockPanelViewPartTest, FinalizeFreesButtonsAndPanelsButNotTheChildrensControls) {
  auto vp = MultiDock();
  auto child = Child("A", "A");
  vp->ShowViewPart(child.get());
  TGuard<TTBXDockablePanel> panel = Panel(*vp, 0);
  TGuard<TControl> dock = vp->GetControl();
  vp->Finalize();
  EXPECT_EQ(panel.get(), nullptr);
  EXPECT_EQ(dock.get(), nullptr);
  ASSERT_NE(child->GetControl(), nullptr);
  EXPECT_EQ(child->GetControl()->GetParent(), nullptr);
  EXPECT_EQ(vp->GetControl(), nullptr);
}

TEST_F(MultiDockPanelViewPartTest, AChildThatContainsTheDockIsRefusedWithoutButtonOrPanel) {
  auto outer = MultiDock();
  auto inner = MultiDock();
  outer->ShowViewPart(inner.get());  // the inner dock lies in a panel of the outer one
  EXPECT_THROW(inner->ShowViewPart(outer.get()), Exception);
  EXPECT_EQ(inner->GetToolbar()->Items()->Count(), 0);
  EXPECT_EQ(dynamic_cast<TWinControl*>(inner->GetControl())->GetControlCount(), 1);  // its toolbar only
  EXPECT_EQ(outer->GetControl()->GetParent(), &Host.Window());
  outer->CloseViewPart(inner.get());
  inner->Finalize();
  outer->Finalize();
}

}  // namespace
