#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DockingTestSupport.h"
#include "NUVStrings.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class ToolbarDockViewPartTest : public ::testing::Test {
 protected:
  TTBDock& Control(TNUVToolbarDockViewPart& dock) { return *dynamic_cast<TTBDock*>(dock.GetControl()); }
  // The view-part error that op raises; fails the test when it raises none.
  template <class Op>
  ENUVViewPartError ViewPartError(Op op) {
    try {
      op();
    } catch (const ENUVViewPartError& e) {
      return e;
    }
    ADD_FAILURE() << "no view-part error";
    return ENUVViewPartError("", "");
  }
  TTestHost Host;
};

TEST_F(ToolbarDockViewPartTest, WithoutElementAPlainDockWithToolkitDefaultsAndThePopupHandler) {
  for (std::string extData : {"", "<ExtData><Other/></ExtData>"}) {
    auto ext = Host.Extension("Dock", "Docks", extData);
    auto dock = MakeCounted<TNUVToolbarDockViewPart>(ext.get(), Host.WorkItemIntf());
    EXPECT_EQ(dock->GetControl(), nullptr);
    dock->Initialize();
    TTBDock& control = Control(*dock);
    EXPECT_EQ(control.ClassName(), "TTBXDock") << extData;
    EXPECT_EQ(control.GetParent(), &Host.Window());
    EXPECT_EQ(control.GetOwner(), nullptr);
    TTBXDock fresh(nullptr);
    EXPECT_EQ(control.GetPosition(), fresh.GetPosition());
    EXPECT_EQ(control.GetAllowDrag(), fresh.GetAllowDrag());
    EXPECT_EQ(control.GetLimitToOneRow(), fresh.GetLimitToOneRow());
    EXPECT_EQ(control.GetBoundLines(), fresh.GetBoundLines());
    EXPECT_EQ(dock->DefaultAlign(), "");
    EXPECT_TRUE(Supports<INUVWorkSpace>(dock));
    bool handled = false;
    control.ContextPopup({1, 2}, handled);
    EXPECT_THAT(Host.Events(), ElementsAre("popup:Dock"));
    EXPECT_THAT(Host.Data().Keys(), IsEmpty());
    dock->Finalize();
    Host.ClearEvents();
  }
}

TEST_F(ToolbarDockViewPartTest, EverySettingIsApplied) {
  auto dock = MakeDock(Host, R"(<ToolbarDock><MultiDock>True</MultiDock><Position>right</Position>
      <AllowDrag>False</AllowDrag><LimitToOneRow>1</LimitToOneRow><BoundLines>Bottom,Right</BoundLines>
      </ToolbarDock>)");
  TTBDock& control = Control(*dock);
  EXPECT_NE(dynamic_cast<TTBXMultiDock*>(&control), nullptr);
  EXPECT_EQ(control.GetPosition(), dpRight);
  EXPECT_EQ(control.GetAlign(), alRight);
  EXPECT_FALSE(control.GetAllowDrag());
  EXPECT_TRUE(control.GetLimitToOneRow());
  EXPECT_EQ(control.GetBoundLines(), (TTBDockBoundLines{blBottom, blRight}));
  dock->Finalize();

  auto empty = MakeDock(Host, "<ToolbarDock/>");
  EXPECT_EQ(Control(*empty).ClassName(), "TTBXDock");
  EXPECT_EQ(Control(*empty).GetPosition(), dpTop);
  EXPECT_TRUE(Control(*empty).GetAllowDrag());
  EXPECT_TRUE(Control(*empty).GetBoundLines().Empty());
  empty->Finalize();
}

TEST_F(ToolbarDockViewPartTest, BoundLinesAreTrimmedNamesAddedOneAtATime) {
  struct Case {
    std::string Text;
    TTBDockBoundLines Lines;
  } cases[] = {
      {" Top ,\tleft\n", {blTop, blLeft}}, {"Top,Top", {blTop}}, {"blBottom", {blBottom}}, {"", {}}, {"   ", {}}};
  for (const auto& c : cases) {
    auto dock = MakeDock(Host, "<ToolbarDock><BoundLines>" + c.Text + "</BoundLines></ToolbarDock>");
    EXPECT_EQ(Control(*dock).GetBoundLines(), c.Lines) << "'" << c.Text << "'";
    dock->Finalize();
  }
}

TEST_F(ToolbarDockViewPartTest, ABadBoundLinesFieldIsAnErrorThatNamesItAndAddsNoLine) {
  struct Case {
    std::string Text, Field;
  } cases[] = {{"Top,,Left", ""}, {"Top, Middle ,Left", "Middle"}, {"Top,", ""}};
  for (const auto& c : cases) {
    auto dock = MakeViewPart<TNUVToolbarDockViewPart>(Host, "Dock",
                                                      "<ExtData><ToolbarDock><Position>Bottom</Position><BoundLines>" +
                                                          c.Text + "</BoundLines></ToolbarDock></ExtData>",
                                                      "", false);
    try {
      dock->Initialize();
      ADD_FAILURE() << c.Text << " was accepted";
    } catch (const EConfigurationError& e) {
      EXPECT_THAT(e.Where(), HasSubstr("<ToolbarDock>/<BoundLines>"));
      EXPECT_THAT(e.Where(), HasSubstr("Dock.xml:1:"));
      EXPECT_EQ(e.Found(), c.Field);
      EXPECT_THAT(e.Message(), HasSubstr("'" + c.Field + "' is not valid"));
      EXPECT_THAT(e.Expected(), HasSubstr("Top, Bottom, Left, Right"));
    }
    // Initialize failed: no dock stays, half configured, in the window.
    EXPECT_EQ(dock->GetControl(), nullptr) << c.Text;
    dock->Finalize();
  }
}

TEST_F(ToolbarDockViewPartTest, APlainDockTakesAnyDockableWindowAndRefusesOtherControls) {
  auto dock = MakeDock(Host, "");
  auto toolbar = MakeToolbar(Host, "Tools", "");
  auto panel = MakeViewPart<TNUVDockablePanelViewPart>(Host, "Panel");
  auto label = MakeViewPart<TNUVLabelViewPart>(Host, "Title");
  auto bare = MakeViewPart<TNUVLabelViewPart>(Host, "Bare", "", "", false);  // no control yet

  dock->ShowViewPart(toolbar.get());
  dock->ShowViewPart(panel.get());
  EXPECT_EQ(toolbar->GetToolbar()->GetCurrentDock(), &Control(*dock));
  EXPECT_EQ(dynamic_cast<TTBCustomDockableWindow*>(panel->GetControl())->GetCurrentDock(), &Control(*dock));
  EXPECT_EQ(toolbar->GetWorkSpace(), dock.get());

  auto error = ViewPartError([&] { dock->ShowViewPart(label.get()); });
  EXPECT_EQ(error.Message(), "ViewPart[Title]不是TBXCustomDockableWindows类型的派生类，无法泊靠在ToolbarDock[Dock]上");
  EXPECT_EQ(error.ViewPartName(), "Dock");
  EXPECT_EQ(ViewPartError([&] { dock->ShowViewPart(bare.get()); }).Message(),
            fmt::sprintf(LoadLibStr(SViewPartNotDockableWindow), "Bare", "Dock"));
  // Refused children are neither listed nor bound.
  EXPECT_EQ(label->GetControl()->GetParent(), &Host.Window());
  EXPECT_THAT(dock->ShownViewParts(), ElementsAre(toolbar.get(), panel.get()));
  EXPECT_EQ(dock->Binds.size(), 2u);
  EXPECT_THROW(dock->HideViewPart(label.get()), ENUVViewPartError);
  dock->Finalize();
}

TEST_F(ToolbarDockViewPartTest, AMultiDockTakesDockablePanelsOnly) {
  auto dock = MakeDock(Host, "<ToolbarDock><MultiDock>true</MultiDock></ToolbarDock>");
  auto toolbar = MakeToolbar(Host, "Tools", "");
  auto label = MakeViewPart<TNUVLabelViewPart>(Host, "Title");
  auto panel = MakeViewPart<TNUVDockablePanelViewPart>(Host, "Panel");

  auto error = ViewPartError([&] { dock->ShowViewPart(toolbar.get()); });
  EXPECT_EQ(error.Message(), "ViewPart[Tools]不是TBXDockablePanel，无法泊靠在ToolbarDock[Dock]上");
  EXPECT_EQ(error.ViewPartName(), "Dock");
  EXPECT_EQ(ViewPartError([&] { dock->ShowViewPart(label.get()); }).Message(),
            "ViewPart[Title]不是TBXDockablePanel，无法泊靠在ToolbarDock[Dock]上");
  EXPECT_EQ(toolbar->GetToolbar()->GetCurrentDock(), nullptr);
  EXPECT_TRUE(dock->Binds.empty());

  dock->ShowViewPart(panel.get());
  EXPECT_EQ(dynamic_cast<TTBXDockablePanel*>(panel->GetControl())->GetCurrentDock(), &Control(*dock));
  EXPECT_THAT(dock->ShownViewParts(), ElementsAre(panel.get()));
  dock->Finalize();
}

TEST_F(ToolbarDockViewPartTest, ShowingAgainOnlyMakesVisibleAndKeepsTheFirstAlignment) {
  auto dock = MakeDock(Host, "");
  auto toolbar = MakeToolbar(Host, "Tools", "");
  TControl* control = toolbar->GetControl();
  control->SetAlign(alLeft);
  dock->ShowViewPart(toolbar.get());
  ASSERT_EQ(dock->Binds.size(), 1u);
  EXPECT_EQ(dock->Binds[0].Parent, &Control(*dock));
  EXPECT_EQ(dock->Binds[0].Align, alLeft);

  dock->HideViewPart(toolbar.get());
  EXPECT_FALSE(control->GetVisible());
  EXPECT_THAT(dock->ShownViewParts(), ElementsAre(toolbar.get()));
  control->SetAlign(alNone);
  dock->ShowViewPart(toolbar.get());
  dock->ShowViewPart(toolbar.get());
  EXPECT_TRUE(control->GetVisible());
  EXPECT_EQ(control->GetAlign(), alNone);  // not bound again
  EXPECT_EQ(dock->Binds.size(), 1u);
  EXPECT_THAT(dock->ShownViewParts(), ElementsAre(toolbar.get()));
  dock->Finalize();
}

TEST_F(ToolbarDockViewPartTest, ClosedOrNeverShownChildrenAreNotOnTheDock) {
  auto dock = MakeDock(Host, "");
  auto toolbar = MakeToolbar(Host, "Tools", "");
  auto stranger = MakeToolbar(Host, "Stranger", "");
  dock->ShowViewPart(toolbar.get());
  dock->CloseViewPart(toolbar.get());
  EXPECT_THAT(dock->UnBinds, ElementsAre(toolbar.get()));
  EXPECT_THAT(dock->ShownViewParts(), IsEmpty());
  EXPECT_EQ(toolbar->GetControl()->GetParent(), nullptr);
  EXPECT_EQ(toolbar->GetWorkSpace(), nullptr);

  for (auto* child : {toolbar.get(), stranger.get()}) {
    const std::string message = "ViewPart[" + child->GetName() + "] is not on WorkSpace[Dock]";
    EXPECT_EQ(ViewPartError([&] { dock->HideViewPart(child); }).Message(), message);
    EXPECT_EQ(ViewPartError([&] { dock->CloseViewPart(child); }).Message(), message);
    EXPECT_EQ(ViewPartError([&] { dock->ActivateViewPart(child); }).Message(), message);
  }
  EXPECT_EQ(dock->UnBinds.size(), 1u);
  EXPECT_TRUE(Host.Events().empty());  // nothing was focused

  // Shown anew, it is tested and bound again.
  dock->ShowViewPart(toolbar.get());
  EXPECT_EQ(dock->Binds.size(), 2u);
  EXPECT_EQ(toolbar->GetToolbar()->GetCurrentDock(), &Control(*dock));
  dock->Finalize();
}

TEST_F(ToolbarDockViewPartTest, ActivateFocusesAShownChild) {
  auto dock = MakeDock(Host, "");
  auto toolbar = MakeToolbar(Host, "Tools", "");
  dock->ShowViewPart(toolbar.get());
  dock->ActivateViewPart(toolbar.get());
  EXPECT_TRUE(toolbar->GetIsFocused());
  EXPECT_THAT(Host.Events(), ElementsAre("focus:Tools"));
  dock->Finalize();
}

TEST_F(ToolbarDockViewPartTest, ANilChildFailsAnAssertionOfTheDockUnit) {
  auto dock = MakeDock(Host, "");
  for (auto op : {&INUVWorkSpace::ShowViewPart, &INUVWorkSpace::HideViewPart, &INUVWorkSpace::CloseViewPart,
                  &INUVWorkSpace::ActivateViewPart}) {
    try {
      (static_cast<INUVWorkSpace&>(*dock).*op)(nullptr);
      ADD_FAILURE() << "a nil child was taken";
    } catch (const EAssertionFailed& e) {
      EXPECT_EQ(e.SourcePath(), DockViewPartUnit);
      EXPECT_THAT(e.Message(), HasSubstr("Assertion failure (" + DockViewPartUnit + ", line "));
    }
  }
  dock->Finalize();
}

// A host that goes on with a dock whose Initialize failed before the dock was made gets a clear
// error, and the child keeps its place.
TEST_F(ToolbarDockViewPartTest, ShowingAChildOnADockThatWasNeverMadeIsAClearError) {
  auto dock = MakeViewPart<TNUVToolbarDockViewPart>(
      Host, "Dock", "<ExtData><ToolbarDock><MultiDock>perhaps</MultiDock></ToolbarDock></ExtData>", "", false);
  EXPECT_THROW(dock->Initialize(), EConfigurationError);
  ASSERT_EQ(dock->GetControl(), nullptr);
  auto toolbar = MakeToolbar(Host, "Tools", "");
  try {
    dock->ShowViewPart(toolbar.get());
    ADD_FAILURE() << "the child was shown on no dock";
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(),
              "WorkSpace[Dock] cannot show ViewPart[Tools]: it has no control, as its Initialize did not "
              "complete");
  }
  EXPECT_EQ(toolbar->GetControl()->GetParent(), &Host.Window());
  EXPECT_THROW(dock->HideViewPart(toolbar.get()), ENUVViewPartError);  // it was never shown
  dock->Finalize();
  toolbar->Finalize();
}

TEST_F(ToolbarDockViewPartTest, FinalizeFreesTheDockAndLetsItsChildrenGo) {
  auto dock = MakeDock(Host, "");
  auto toolbar = MakeToolbar(Host, "Tools", "");
  dock->ShowViewPart(toolbar.get());
  TGuard<TControl> control = dock->GetControl();
  dock->Finalize();
  EXPECT_EQ(control.get(), nullptr);
  EXPECT_EQ(dock->GetControl(), nullptr);
  EXPECT_THAT(dock->ShownViewParts(), IsEmpty());
  ASSERT_NE(toolbar->GetControl(), nullptr);  // the child's control is not the dock's to free
  EXPECT_EQ(toolbar->GetControl()->GetParent(), nullptr);
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

}  // namespace
