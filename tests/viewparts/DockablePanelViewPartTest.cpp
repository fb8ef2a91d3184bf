#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DockingTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class DockablePanelViewPartTest : public ::testing::Test {
 protected:
  TIntfPtr<TRecordingPanel> Panel(const std::string& panelXml, const std::string& caption = "Explorer") {
    return MakeViewPart<TRecordingPanel>(Host, "Panel", "<ExtData>" + panelXml + "</ExtData>", caption);
  }
  TTBXDockablePanel& Control(TNUVDockablePanelViewPart& panel) {
    return *dynamic_cast<TTBXDockablePanel*>(panel.GetControl());
  }
  TTestHost Host;
};

// Every setting that configuration can reach, so that tests compare them at once.
struct TPanelSettings {
  TDPCaptionRotation CaptionRotation;
  bool CloseButton, CloseButtonWhenDocked, DblClickUndock;
  TTBDockMode DockMode;
  int DockPos, DockRow;
  bool Resizable, ShowCaption, ShowCaptionWhenDocked;
  TTBDockPositions DockableTo;
  friend bool operator==(const TPanelSettings&, const TPanelSettings&) = default;
};

TPanelSettings SettingsOf(const TTBXDockablePanel& p) {
  return {p.GetCaptionRotation(),
          p.GetCloseButton(),
          p.GetCloseButtonWhenDocked(),
          p.GetDblClickUndock(),
          p.GetDockMode(),
          p.GetDockPos(),
          p.GetDockRow(),
          p.GetResizable(),
          p.GetShowCaption(),
          p.GetShowCaptionWhenDocked(),
          p.GetDockableTo()};
}

void PrintTo(const TPanelSettings& s, std::ostream* os) {
  *os << EnumIdentifier(s.CaptionRotation) << " close " << s.CloseButton << s.CloseButtonWhenDocked << " undock "
      << s.DblClickUndock << " " << EnumIdentifier(s.DockMode) << " pos " << s.DockPos << " row " << s.DockRow
      << " resizable " << s.Resizable << " caption " << s.ShowCaption << s.ShowCaptionWhenDocked << " to "
      << s.DockableTo.Bits();
}

const TTBDockPositions AllEdges{dpTop, dpBottom, dpLeft, dpRight};

TEST_F(DockablePanelViewPartTest, WithoutElementTheCaptionedPanelKeepsTheToolkitDefaults) {
  for (std::string extData : {"", "<ExtData><Other/></ExtData>"}) {
    auto ext = Host.Extension("Panel", "Explorer", extData);
    auto panel = MakeCounted<TNUVDockablePanelViewPart>(ext.get(), Host.WorkItemIntf());
    EXPECT_EQ(panel->GetControl(), nullptr);
    panel->Initialize();
    TTBXDockablePanel& control = Control(*panel);
    EXPECT_EQ(control.GetParent(), &Host.Window()) << extData;
    EXPECT_EQ(control.GetOwner(), nullptr);
    EXPECT_EQ(control.GetText(), "Explorer");
    TTBXDockablePanel fresh(nullptr);
    EXPECT_EQ(SettingsOf(control), SettingsOf(fresh));
    EXPECT_FALSE(control.GetCloseButtonWhenDocked());  // the toolkit's, not the configuration default
    EXPECT_FALSE(control.OnContextPopup);
    EXPECT_EQ(panel->DefaultAlign(), "None");
    EXPECT_TRUE(Supports<INUVWorkSpace>(panel));
    EXPECT_THAT(Host.Data().Keys(), IsEmpty());
    panel->Finalize();
  }
}

TEST_F(DockablePanelViewPartTest, AnEmptyElementAppliesTheConfigurationDefaults) {
  auto panel = Panel("<DockablePanel/>");
  EXPECT_EQ(SettingsOf(Control(*panel)),
            (TPanelSettings{dpcrAuto, true, true, true, dmCanFloat, -1, 0, true, true, true, AllEdges}));
  panel->Finalize();
}

TEST_F(DockablePanelViewPartTest, EverySettingIsApplied) {
  auto panel = Panel(R"(<DockablePanel>
      <CaptionRotation>AlwaysVert</CaptionRotation><CloseButton>False</CloseButton>
      <CloseButtonWhenDocked>0</CloseButtonWhenDocked><DblClickUnDock>false</DblClickUnDock>
      <DockMode>CannotFloatOrChangeDocks</DockMode><DockPos>40</DockPos><DockRow>2</DockRow>
      <Resizable>False</Resizable><ShowCaption>False</ShowCaption>
      <ShowCaptionWhenDocked>False</ShowCaptionWhenDocked><DockableTo> Left, Right </DockableTo>
      </DockablePanel>)");
  EXPECT_EQ(SettingsOf(Control(*panel)),
            (TPanelSettings{dpcrAlwaysVert, false, false, false, dmCannotFloatOrChangeDocks, 40, 2, false, false, false,
                            TTBDockPositions{dpLeft, dpRight}}));
  panel->Finalize();

  auto other = Panel(
      "<DockablePanel><CaptionRotation>alwayshorz</CaptionRotation><DockMode>CannotFloat</DockMode>"
      "<DockableTo>All</DockableTo></DockablePanel>");
  EXPECT_EQ(Control(*other).GetCaptionRotation(), dpcrAlwaysHorz);
  EXPECT_EQ(Control(*other).GetDockMode(), dmCannotFloat);
  EXPECT_EQ(Control(*other).GetDockableTo(), AllEdges);
  other->Finalize();
}

TEST_F(DockablePanelViewPartTest, BadValuesAreConfigurationErrorsThatNameTheirElement) {
  struct Case {
    std::string Xml, Element, Found;
  } cases[] = {{"<DockMode>Floating</DockMode>", "DockMode", "Floating"},
               {"<CaptionRotation>Diagonal</CaptionRotation>", "CaptionRotation", "Diagonal"},
               {"<DockPos>far</DockPos>", "DockPos", "far"},
               {"<DockableTo>Top, Middle</DockableTo>", "DockableTo", "Middle"}};
  for (const auto& c : cases) {
    auto panel = MakeViewPart<TNUVDockablePanelViewPart>(
        Host, "Panel", "<ExtData><DockablePanel>" + c.Xml + "</DockablePanel></ExtData>", "", false);
    try {
      panel->Initialize();
      ADD_FAILURE() << c.Xml << " was accepted";
    } catch (const EConfigurationError& e) {
      EXPECT_THAT(e.Where(), HasSubstr("Panel.xml:1:")) << c.Xml;
      EXPECT_THAT(e.Where(), HasSubstr("<DockablePanel>/<" + c.Element + ">"));
      EXPECT_EQ(e.Found(), c.Found);
    }
    panel->Finalize();
  }
}

TEST_F(DockablePanelViewPartTest, TheCaptionIsTheViewPartsOwnEvenWhenEmpty) {
  auto ext = Host.Extension("Quiet", "");
  auto quiet = MakeCounted<TNUVDockablePanelViewPart>(ext.get(), Host.WorkItemIntf());
  quiet->Initialize();
  EXPECT_EQ(quiet->GetControl()->GetText(), "");
  quiet->Finalize();
}

TEST_F(DockablePanelViewPartTest, AnyChildIsBoundOnceWithTheAlignmentOfItsFirstShowing) {
  auto panel = Panel("");
  auto label = MakeViewPart<TNUVLabelViewPart>(Host, "Title");
  auto toolbar = MakeToolbar(Host, "Tools", "");
  TControl* control = label->GetControl();
  control->SetAlign(alClient);
  panel->ShowViewPart(label.get());
  panel->ShowViewPart(toolbar.get());
  ASSERT_EQ(panel->Binds.size(), 2u);
  EXPECT_EQ(panel->Binds[0].Parent, &Control(*panel));
  EXPECT_EQ(panel->Binds[0].Align, alClient);
  EXPECT_EQ(panel->Binds[1].Align, alNone);
  EXPECT_EQ(control->GetParent(), &Control(*panel));
  EXPECT_EQ(label->GetWorkSpace(), panel.get());

  panel->HideViewPart(label.get());
  EXPECT_FALSE(control->GetVisible());
  control->SetAlign(alTop);
  panel->ShowViewPart(label.get());
  panel->ShowViewPart(label.get());
  EXPECT_TRUE(control->GetVisible());
  EXPECT_EQ(control->GetAlign(), alTop);  // no second binding
  EXPECT_EQ(panel->Binds.size(), 2u);
  EXPECT_THAT(panel->ShownViewParts(), ElementsAre(label.get(), toolbar.get()));
  panel->Finalize();
}

TEST_F(DockablePanelViewPartTest, ClosedOrNeverShownChildrenAreNotOnThePanel) {
  auto panel = Panel("");
  auto label = MakeViewPart<TNUVLabelViewPart>(Host, "Title");
  auto stranger = MakeViewPart<TNUVLabelViewPart>(Host, "Stranger");
  panel->ShowViewPart(label.get());
  panel->CloseViewPart(label.get());
  EXPECT_THAT(panel->UnBinds, ElementsAre(label.get()));
  EXPECT_THAT(panel->ShownViewParts(), IsEmpty());
  EXPECT_EQ(label->GetControl()->GetParent(), nullptr);

  for (auto* child : {label.get(), stranger.get()}) {
    const std::string message = "ViewPart[" + child->GetName() + "] is not on WorkSpace[Panel]";
    auto expectNotOnMe = [&](void (INUVWorkSpace::*op)(INUVViewPart*)) {
      try {
        (static_cast<INUVWorkSpace&>(*panel).*op)(child);
        ADD_FAILURE() << child->GetName() << " was taken";
      } catch (const ENUVViewPartError& e) {
        EXPECT_EQ(e.Message(), message);
        EXPECT_EQ(e.ViewPartName(), "Panel");
      }
    };
    expectNotOnMe(&INUVWorkSpace::HideViewPart);
    expectNotOnMe(&INUVWorkSpace::CloseViewPart);
    expectNotOnMe(&INUVWorkSpace::ActivateViewPart);
  }
  // Nothing changed: the stranger stays visible where it was, nothing was unbound or focused.
  EXPECT_TRUE(stranger->GetControl()->GetVisible());
  EXPECT_EQ(stranger->GetControl()->GetParent(), &Host.Window());
  EXPECT_EQ(panel->UnBinds.size(), 1u);
  EXPECT_TRUE(Host.Events().empty());

  panel->ShowViewPart(label.get());
  EXPECT_EQ(panel->Binds.size(), 2u);
  panel->ActivateViewPart(label.get());
  EXPECT_THAT(Host.Events(), ElementsAre("focus:Title"));
  panel->Finalize();
}

// Another work space that shows the child takes its control: the first panel may no longer hide or
// activate it, closing there only forgets it, and showing it there again brings it back.
TEST_F(DockablePanelViewPartTest, AChildThatAnotherWorkSpaceTookIsNoLongerOnThePanel) {
  auto first = Panel("");
  auto second = MakeViewPart<TRecordingPanel>(Host, "Second", "<ExtData/>");
  auto label = MakeViewPart<TNUVLabelViewPart>(Host, "Title");
  first->ShowViewPart(label.get());
  second->ShowViewPart(label.get());
  TControl* control = label->GetControl();
  ASSERT_EQ(control->GetParent(), second->GetControl());
  for (auto op : {&INUVWorkSpace::HideViewPart, &INUVWorkSpace::ActivateViewPart}) {
    try {
      (static_cast<INUVWorkSpace&>(*first).*op)(label.get());
      ADD_FAILURE() << "the panel acted on a child that another work space shows";
    } catch (const ENUVViewPartError& e) {
      EXPECT_EQ(e.Message(), "ViewPart[Title] is not on WorkSpace[Panel]");
    }
  }
  EXPECT_TRUE(control->GetVisible());
  EXPECT_TRUE(Host.Events().empty());

  first->CloseViewPart(label.get());
  EXPECT_THAT(first->ShownViewParts(), IsEmpty());
  EXPECT_EQ(control->GetParent(), second->GetControl());
  EXPECT_EQ(label->GetWorkSpace(), second.get());

  first->ShowViewPart(label.get());
  second->ShowViewPart(label.get());  // listed there still: bound there once more, listed once
  first->ShowViewPart(label.get());
  EXPECT_EQ(control->GetParent(), first->GetControl());
  EXPECT_THAT(first->ShownViewParts(), ElementsAre(label.get()));
  EXPECT_THAT(second->ShownViewParts(), ElementsAre(label.get()));
  EXPECT_EQ(first->Binds.size(), 3u);
  second->Finalize();
  first->Finalize();
}

TEST_F(DockablePanelViewPartTest, ANilChildFailsAnAssertionOfThePanelUnit) {
  auto panel = Panel("");
  for (auto op : {&INUVWorkSpace::ShowViewPart, &INUVWorkSpace::HideViewPart, &INUVWorkSpace::CloseViewPart,
                  &INUVWorkSpace::ActivateViewPart}) {
    try {
      (static_cast<INUVWorkSpace&>(*panel).*op)(nullptr);
      ADD_FAILURE() << "a nil child was taken";
    } catch (const EAssertionFailed& e) {
      EXPECT_EQ(e.SourcePath(), PanelViewPartUnit);
    }
  }
  panel->Finalize();
}

TEST_F(DockablePanelViewPartTest, ThePanelDocksInBothDockKinds) {
  for (std::string multi : {"False", "True"}) {
    auto dock = MakeDock(Host, "<ToolbarDock><MultiDock>" + multi + "</MultiDock></ToolbarDock>");
    auto panel = Panel("");
    auto label = MakeViewPart<TNUVLabelViewPart>(Host, "Title");
    panel->ShowViewPart(label.get());
    dock->ShowViewPart(panel.get());
    auto& control = Control(*panel);
    EXPECT_EQ(control.GetCurrentDock(), dock->GetControl()) << multi;
    EXPECT_EQ(control.GetAlign(), alNone);
    EXPECT_EQ(label->GetControl()->GetParent(), &control);  // the panel brings its children along
    EXPECT_EQ(panel->GetWorkSpace(), dock.get());
    dock->CloseViewPart(panel.get());
    EXPECT_TRUE(control.GetFloating());
    dock->Finalize();
    panel->Finalize();
  }
}

TEST_F(DockablePanelViewPartTest, FinalizeFreesThePanelButNotItsChildren) {
  auto panel = Panel("");
  auto label = MakeViewPart<TNUVLabelViewPart>(Host, "Title");
  panel->ShowViewPart(label.get());
  TGuard<TControl> control = panel->GetControl();
  panel->Finalize();
  EXPECT_EQ(control.get(), nullptr);
  EXPECT_EQ(panel->GetControl(), nullptr);
  EXPECT_THAT(panel->ShownViewParts(), IsEmpty());
  ASSERT_NE(label->GetControl(), nullptr);
  EXPECT_EQ(label->GetControl()->GetParent(), nullptr);
  EXPECT_EQ(label->GetWorkSpace(), nullptr);  // the panel may go now without leaving it a dangling one
}

TEST_F(DockablePanelViewPartTest, AChildThatContainsThePanelIsRefusedAndNotListed) {
  auto outer = Panel("");
  auto inner = MakeViewPart<TNUVDockablePanelViewPart>(Host, "Inner", "<ExtData/>");
  outer->ShowViewPart(inner.get());  // the inner panel lies in the outer one
  EXPECT_THROW(inner->ShowViewPart(outer.get()), Exception);
  EXPECT_TRUE(inner->ShownViewParts().empty());
  EXPECT_EQ(outer->GetControl()->GetParent(), &Host.Window());
  EXPECT_THROW(inner->HideViewPart(outer.get()), ENUVViewPartError);  // it was never shown there
  outer->CloseViewPart(inner.get());
  inner->Finalize();
  outer->Finalize();
}

}  // namespace
