#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVToolbarService.h"
#include "ReferenceCount.h"
#include "TestHost.h"

using ::testing::ElementsAre;

namespace {

// A view part whose control is a plain windowed control.
class TPlainViewPart : public TNUVCustomViewPart {
 public:
  using TNUVCustomViewPart::TNUVCustomViewPart;
  void Initialize() override {
    TNUVCustomViewPart::Initialize();
    FControl = new TWinControl(nullptr);
  }
  void Finalize() override {
    FreeAndNil(FControl);
    TNUVCustomViewPart::Finalize();
  }
  std::string DefaultAlign() override { return "Top"; }
  TControl* GetControl() override { return FControl; }
  TWinControl* FControl = nullptr;

 protected:
  ~TPlainViewPart() override { delete FControl; }
};

class TPlainWorkSpace : public TNUVMultiBindingViewPart {
 public:
  using TNUVMultiBindingViewPart::TNUVMultiBindingViewPart;
  void Initialize() override {
    TNUVMultiBindingViewPart::Initialize();
    FControl = new TWinControl(nullptr);
  }
  TControl* GetControl() override { return FControl; }
  TWinControl* FControl = nullptr;

 protected:
  ~TPlainWorkSpace() override { delete FControl; }
};

// A work space of the base kind: its children's controls stand on its own control.
class TSingleWorkSpace : public TNUVCustomWorkSpaceViewPart {
 public:
  using TNUVCustomWorkSpaceViewPart::TNUVCustomWorkSpaceViewPart;
  void Initialize() override {
    TNUVCustomWorkSpaceViewPart::Initialize();
    FControl = new TWinControl(nullptr);
  }
  TControl* GetControl() override { return FControl; }
  TWinControl* FControl = nullptr;

 protected:
  ~TSingleWorkSpace() override { delete FControl; }
};

// A work space that also publishes a service, shaped like the toolbar view part.
class TServiceWorkSpace : public TImplements<TPlainWorkSpace, INUVToolbarService> {
 public:
  using TImplements::TImplements;
  std::string GetServiceID() override { return "Service"; }
  TIntfPtr<IQIMExtension> GetExtension() override {
    return TIntfPtr<IQIMExtension>(TNUVCustomViewPart::GetExtension());
  }
  TIntfPtr<INUVWorkItem> GetWorkItem() override { return TIntfPtr<INUVWorkItem>(TNUVCustomViewPart::GetWorkItem()); }
  TTBXToolbar* GetToolbar() override { return nullptr; }

 protected:
  ~TServiceWorkSpace() override = default;
};

class ViewPartBaseTest : public ::testing::Test {
 protected:
  template <class T>
  TIntfPtr<T> Make(const std::string& name) {
    auto vp = MakeCounted<T>(Host.Extension(name, name + " caption").get(), Host.WorkItemIntf());
    vp->Initialize();
    return vp;
  }
  TTestHost Host;
};

TEST_F(ViewPartBaseTest, NameAndCaptionComeFromTheExtension) {
  auto vp = Make<TPlainViewPart>("Child");
  EXPECT_EQ(vp->GetName(), "Child");
  EXPECT_EQ(vp->GetCaption(), "Child caption");
  EXPECT_EQ(vp->GetExtData(), nullptr);
  EXPECT_FALSE(vp->GetSupportWorkSpaces());
  vp->Finalize();
}

TEST_F(ViewPartBaseTest, BaseHandlersReportToTheHostAndTopicsAreFilled) {
  auto vp = Make<TPlainViewPart>("Child");
  vp->DoClick(nullptr);
  vp->DoDblClick(nullptr);
  bool handled = false;
  vp->DoContextPopup(nullptr, {}, handled);
  vp->DoFireSimpleEvent("Topic://ViewPart/%s/OnChange", vp->GetControl());
  vp->DoFireSimpleEvent("Topic://ViewPart/%s/OnClick", nullptr);
  EXPECT_THAT(Host.Events(), ElementsAre("click:Child", "dblclick:Child", "popup:Child",
                                         "topic:Topic://ViewPart/Child/OnChange:TWinControl",
                                         "topic:Topic://ViewPart/Child/OnClick:"));
  vp->Finalize();
}

TEST_F(ViewPartBaseTest, TopicsAreFilledAsPrintfFillsThemWhateverTheNameHolds) {
  auto vp = Make<TPlainViewPart>("50%s");
  vp->DoFireSimpleEvent("%s_Changed", nullptr);
  vp->DoFireSimpleEvent("100%% %s", nullptr);  // another directive: printf fills it
  vp->DoFireSimpleEvent("Fixed", nullptr);
  vp->DoFireSimpleEvent("%s", nullptr);
  vp->DoFireSimpleEvent("%s at 100%%", nullptr);  // a directive after the name's: printf again
  vp->DoFireSimpleEvent("100%%", nullptr);        // no %s at all
  EXPECT_THAT(Host.Events(), ElementsAre("topic:50%s_Changed:", "topic:100% 50%s:", "topic:Fixed:", "topic:50%s:",
                                         "topic:50%s at 100%:", "topic:100%:"));
  vp->Finalize();
}

// A view part keeps the last topic it fired to publish it again: whatever changes between two
// firings (topic, sender's class, none) shows in the event, and a handler that fires another
// topic, or drops the view part, while the event is being published leaves that event whole.
TEST_F(ViewPartBaseTest, TopicsFiredAgainStayExactWhateverTheirHandlersDo) {
  auto vp = Make<TPlainViewPart>("Child");
  TControl other(nullptr);
  auto broker = Host.WorkItem().GetEventBroker();
  std::vector<std::string> seenAfterRefire;
  bool refire = false, release = false;
  broker->Subscribe([&](const TNUVEvent& e) {
    if (refire && e.Topic.ends_with("OnChange")) {
      refire = false;
      vp->DoFireSimpleEvent("Topic://ViewPart/%s/OnClick", nullptr);
    }
    if (release) {
      release = false;
      vp->Finalize();
      vp = nullptr;
    }
  });
  broker->Subscribe([&](const TNUVEvent& e) { seenAfterRefire.push_back(e.Topic + ":" + e.SenderClass); });
  const std::string onChange = "Topic://ViewPart/%s/OnChange";
  vp->DoFireSimpleEvent(onChange, vp->GetControl());
  vp->DoFireSimpleEvent(onChange, &other);
  vp->DoFireSimpleEvent(onChange, nullptr);
  vp->DoFireSimpleEvent(onChange, nullptr);
  refire = true;
  vp->DoFireSimpleEvent(onChange, nullptr);
  EXPECT_THAT(seenAfterRefire,
              ElementsAre("Topic://ViewPart/Child/OnChange:TWinControl", "Topic://ViewPart/Child/OnChange:TControl",
                          "Topic://ViewPart/Child/OnChange:", "Topic://ViewPart/Child/OnChange:",
                          "Topic://ViewPart/Child/OnClick:", "Topic://ViewPart/Child/OnChange:"));
  // The handler drops the last reference: the view part goes while its event is still published.
  release = true;
  TPlainViewPart* firing = vp.get();
  firing->DoFireSimpleEvent("Topic://ViewPart/%s/OnLast", firing->GetControl());
  EXPECT_EQ(vp, nullptr);
  EXPECT_EQ(seenAfterRefire.back(), "Topic://ViewPart/Child/OnLast:TWinControl");
}

TEST_F(ViewPartBaseTest, MultiBindingPlacesAChildOnceAndCloseForgetsIt) {
  auto ws = Make<TPlainWorkSpace>("Space");
  auto child = Make<TPlainViewPart>("Child");
  EXPECT_TRUE(ws->GetSupportWorkSpaces());
  ws->ShowViewPart(child.get());
  ws->HideViewPart(child.get());
  ws->ShowViewPart(child.get());
  EXPECT_EQ(ws->BoundViewParts().Count(), 1);
  EXPECT_EQ(child->GetControl()->GetParent(), ws->FControl);
  EXPECT_EQ(child->GetControl()->GetAlign(), alClient);
  EXPECT_TRUE(child->GetControl()->GetVisible());
  EXPECT_EQ(child->GetWorkSpace(), static_cast<INUVWorkSpace*>(ws.get()));

  ws->ActivateViewPart(child.get());
  EXPECT_TRUE(child->GetIsFocused());
  EXPECT_THAT(Host.Events(), ElementsAre("focus:Child"));

  ws->CloseViewPart(child.get());
  EXPECT_EQ(ws->BoundViewParts().Count(), 0);
  EXPECT_EQ(child->GetControl()->GetParent(), nullptr);
  EXPECT_EQ(child->GetWorkSpace(), nullptr);
  try {
    ws->CloseViewPart(child.get());
    FAIL();
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.ViewPartName(), "Space");
    EXPECT_EQ(e.Message(), "ViewPart[Child] is not on WorkSpace[Space]");
  }
  EXPECT_THROW(ws->ShowViewPart(nullptr), EAssertionFailed);
  child->Finalize();
  ws->Finalize();
}

TEST_F(ViewPartBaseTest, AServiceOfAWorkSpaceIsAnsweredWithEveryInterfaceOfItsBases) {
  auto space = Make<TServiceWorkSpace>("Space");
  IInterface* self = static_cast<INUVViewPart*>(space.get());
  TIntfPtr<INUVToolbarService> service = Supports<INUVToolbarService>(self);
  TIntfPtr<INUVWorkSpace> workSpace = Supports<INUVWorkSpace>(self);
  TIntfPtr<INUVViewPart> viewPart = Supports<INUVViewPart>(self);
  ASSERT_TRUE(service);
  ASSERT_TRUE(workSpace);
  ASSERT_TRUE(viewPart);
  EXPECT_EQ(service->GetServiceID(), "Service");
  EXPECT_EQ(workSpace.get(), static_cast<INUVWorkSpace*>(space.get()));
  EXPECT_EQ(viewPart.get(), static_cast<INUVViewPart*>(space.get()));
  EXPECT_EQ(ReferenceCount(self), 4);
  EXPECT_FALSE(Supports<INUVDataContext>(self));
  EXPECT_FALSE(Supports<INUVToolbarService>(Make<TPlainWorkSpace>("Plain")));
  space->Finalize();
}

// Hide and activate refuse a child that is not bound, as close does; hide and close leave alone a
// control that another work space has taken since.
TEST_F(ViewPartBaseTest, MultiBindingActsOnlyOnChildrenThatAreOnIt) {
  auto ws = Make<TPlainWorkSpace>("Space");
  auto other = Make<TPlainWorkSpace>("Other");
  auto child = Make<TPlainViewPart>("Child");
  for (auto op : {&INUVWorkSpace::HideViewPart, &INUVWorkSpace::ActivateViewPart, &INUVWorkSpace::CloseViewPart}) {
    try {
      (static_cast<INUVWorkSpace&>(*ws).*op)(child.get());
      ADD_FAILURE() << "a child that is not on the work space was taken";
    } catch (const ENUVViewPartError& e) {
      EXPECT_EQ(e.Message(), "ViewPart[Child] is not on WorkSpace[Space]");
    }
  }
  EXPECT_TRUE(child->GetControl()->GetVisible());
  EXPECT_FALSE(child->GetIsFocused());

  ws->ShowViewPart(child.get());
  other->ShowViewPart(child.get());  // the other work space takes the control
  ws->HideViewPart(child.get());
  ws->CloseViewPart(child.get());
  EXPECT_EQ(child->GetControl()->GetParent(), other->FControl);
  EXPECT_TRUE(child->GetControl()->GetVisible());
  EXPECT_EQ(child->GetWorkSpace(), static_cast<INUVWorkSpace*>(other.get()));
  EXPECT_EQ(ws->BoundViewParts().Count(), 0);
  child->Finalize();
  other->Finalize();
  ws->Finalize();
}

// A child never names a work space that is gone: finalizing or destroying the work space clears
// the child's, and a child that goes first leaves nothing behind in the work space.
TEST_F(ViewPartBaseTest, AChildForgetsAWorkSpaceThatIsFinalizedOrReleased) {
  auto child = Make<TPlainViewPart>("Child");
  auto finalized = Make<TPlainWorkSpace>("Finalized");
  finalized->ShowViewPart(child.get());
  ASSERT_EQ(child->GetWorkSpace(), static_cast<INUVWorkSpace*>(finalized.get()));
  finalized->Finalize();
  EXPECT_EQ(child->GetWorkSpace(), nullptr);

  auto released = Make<TPlainWorkSpace>("Released");
  child->SetWorkSpace(released.get());
  released = nullptr;
  EXPECT_EQ(child->GetWorkSpace(), nullptr);

  auto survivor = Make<TPlainWorkSpace>("Survivor");
  auto shortLived = Make<TPlainViewPart>("ShortLived");
  shortLived->SetWorkSpace(survivor.get());
  child->SetWorkSpace(survivor.get());
  shortLived = nullptr;
  survivor->Finalize();
  EXPECT_EQ(child->GetWorkSpace(), nullptr);
  child->Finalize();
}

// Focus reports only the focus a view part takes; a view part made outside any work item (as a
// test or a designer makes one) reports to nobody and has no data or services.
TEST_F(ViewPartBaseTest, FocusTakenIsReportedAndAViewPartWithoutWorkItemReportsNothing) {
  auto vp = Make<TPlainViewPart>("Child");
  vp->FControl->SetParent(&Host.Window());
  vp->SetIsFocused(false);
  EXPECT_FALSE(vp->GetIsFocused());
  EXPECT_TRUE(Host.Events().empty());
  vp->SetIsFocused(true);
  EXPECT_TRUE(vp->GetIsFocused());
  EXPECT_TRUE(vp->FControl->Focused());
  EXPECT_THAT(Host.Events(), ElementsAre("focus:Child"));
  vp->Finalize();

  auto alone = MakeCounted<TPlainViewPart>(Host.Extension("Alone", "Alone").get(), nullptr);
  alone->Initialize();
  alone->DoClick(nullptr);
  alone->SetIsFocused(true);
  alone->DoFireSimpleEvent("Topic://ViewPart/%s/OnChange", nullptr);
  EXPECT_EQ(alone->GetDataContext(), nullptr);
  EXPECT_EQ(alone->GetServiceCenter(), nullptr);
  EXPECT_THAT(Host.Events(), ElementsAre("focus:Child"));
  alone->Finalize();

  // A work item without an event broker: nobody hears, and nothing fails.
  auto quietItem =
      MakeCounted<TNUVWorkItem>("Quiet", nullptr, TIntfPtr<INUVServiceCenter>(), TIntfPtr<INUVEventBroker>());
  auto quiet = MakeCounted<TPlainViewPart>(Host.Extension("Quiet", "Quiet").get(), quietItem.get());
  quiet->Initialize();
  quiet->DoClick(nullptr);
  quiet->DoFireSimpleEvent("Topic://ViewPart/%s/OnChange", nullptr);
  EXPECT_THAT(Host.Events(), ElementsAre("focus:Child"));
  quiet->Finalize();
}

// The control takes an action it is given; one made without assign stays with the control
// unassigned; no command, no control or no action service gives none.
TEST_F(ViewPartBaseTest, CreateActionPutsTheCommandsActionOnTheControlOnlyWhenAsked) {
  Host.Actions().AddCommand({"File.Open", "Open", "Open a file", "", std::nullopt});
  auto vp = MakeCounted<TPlainViewPart>(Host.Extension("Child", "Child").get(), Host.WorkItemIntf());
  vp->CreateAction("File.Open", true);  // no control yet
  vp->Initialize();
  TWinControl& control = *vp->FControl;
  vp->CreateAction("", true);
  vp->CreateAction("No.Such", true);
  EXPECT_EQ(control.ComponentCount(), 0);
  vp->CreateAction("File.Open", false);
  ASSERT_EQ(control.ComponentCount(), 1);
  EXPECT_EQ(control.GetAction(), nullptr);
  vp->CreateAction("File.Open", true);
  ASSERT_EQ(control.ComponentCount(), 2);
  EXPECT_EQ(control.GetAction(), control.GetComponent(1));
  EXPECT_TRUE(vp->GetVisible());
  control.SetVisible(false);
  EXPECT_FALSE(vp->GetVisible());
  vp->Finalize();
  EXPECT_FALSE(vp->GetVisible());  // no control

  auto alone = MakeCounted<TPlainViewPart>(Host.Extension("Alone", "Alone").get(), nullptr);
  alone->Initialize();
  alone->CreateAction("File.Open", true);  // no work item, so no action service
  EXPECT_EQ(alone->FControl->ComponentCount(), 0);
  alone->Finalize();
}

TEST_F(ViewPartBaseTest, ABaseWorkSpaceShowsHidesAndClosesAChildOnItsControl) {
  auto space = Make<TSingleWorkSpace>("Space");
  auto child = Make<TPlainViewPart>("Child");
  space->ShowViewPart(child.get());
  EXPECT_EQ(child->FControl->GetParent(), space->FControl);
  EXPECT_EQ(child->FControl->GetAlign(), alTop);  // the child's own default
  EXPECT_EQ(child->GetWorkSpace(), static_cast<INUVWorkSpace*>(space.get()));
  space->HideViewPart(child.get());
  EXPECT_FALSE(child->FControl->GetVisible());
  space->CloseViewPart(child.get());
  EXPECT_EQ(child->FControl->GetParent(), nullptr);
  EXPECT_EQ(child->GetWorkSpace(), nullptr);
  child->Finalize();
  space->Finalize();
}

TEST_F(ViewPartBaseTest, AssertionsNameTheUnitAndLine) {
  auto ws = Make<TPlainWorkSpace>("Space");
  try {
    ws->HideViewPart(nullptr);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), "Framework\\Source\\Platform\\Host\\NUVViewPart");
    EXPECT_THAT(e.Message(),
                ::testing::StartsWith("Assertion failure (Framework\\Source\\Platform\\Host\\NUVViewPart, line "));
  }
  ws->Finalize();
}

TEST_F(ViewPartBaseTest, ViewPartErrorFormatsPrintfStyle) {
  auto vp = Make<TPlainViewPart>("Child");
  try {
    NUVViewPartErrorFmt(vp.get(), "ViewPart[%s] size %d", std::string("X"), 5);
    FAIL() << "NUVViewPartErrorFmt raised nothing";
  } catch (const ENUVViewPartError& e) {
    EXPECT_EQ(e.Message(), "ViewPart[X] size 5");
    EXPECT_EQ(e.ViewPartName(), "Child");
    EXPECT_EQ(e.ClassName(), "ENUVViewPartError");
  }
  vp->Finalize();
}

}  // namespace
