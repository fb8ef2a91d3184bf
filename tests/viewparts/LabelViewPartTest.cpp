#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVLabelViewPart.h"
#include "TestHost.h"
#include "TbxLayoutCounters.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class LabelViewPartTest : public ::testing::Test {
 protected:
  TIntfPtr<TNUVLabelViewPart> MakeLabel(const std::string& extData, const std::string& caption = "Hello") {
    auto ext = Host.Extension("Title", caption, extData);
    return MakeCounted<TNUVLabelViewPart>(ext.get(), Host.WorkItemIntf());
  }
  TIntfPtr<TNUVLabelViewPart> RunningLabel(const std::string& extData, const std::string& caption = "Hello") {
    auto label = MakeLabel(extData, caption);
    label->Initialize();
    TTestHost::Run(*label);
    return label;
  }
  TTBXLabel& Control(TNUVLabelViewPart& vp) { return *dynamic_cast<TTBXLabel*>(vp.GetControl()); }

  TTestHost Host;
};

TEST_F(LabelViewPartTest, InitializeParentsABareLabelToTheHostControl) {
  auto label = MakeLabel("<ExtData/>");
  EXPECT_EQ(label->GetControl(), nullptr);
  label->Initialize();
  ASSERT_NE(dynamic_cast<TTBXLabel*>(label->GetControl()), nullptr);
  EXPECT_EQ(label->GetControl()->GetParent(), &Host.Window());
  EXPECT_EQ(label->GetControl()->GetOwner(), nullptr);
  EXPECT_EQ(label->GetControl()->GetText(), "");
  EXPECT_EQ(label->DefaultAlign(), "None");
  EXPECT_TRUE(Host.Data().Keys().empty());
  label->Finalize();
}

TEST_F(LabelViewPartTest, WithoutLabelElementKeepsToolkitDefaultsButStillCaptionsWiresAndPublishes) {
  auto label = RunningLabel("<ExtData><Other/></ExtData>");
  TTBXLabel& control = Control(*label);
  TTBXLabel fresh(nullptr);
  EXPECT_EQ(control.GetColor(), fresh.GetColor());  // not the table's clDefault
  EXPECT_EQ(control.GetAction(), nullptr);
  EXPECT_EQ(control.GetText(), "Hello");
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Title_Caption"));
  control.Click();
  EXPECT_THAT(Host.Events(), ElementsAre("click:Title"));
  label->Finalize();
}

TEST_F(LabelViewPartTest, EmptyElementAppliesTheTableDefaults) {
  auto label = RunningLabel("<ExtData><Label/></ExtData>");
  TTBXLabel& control = Control(*label);
  EXPECT_EQ(control.GetAlignment(), taLeftJustify);
  EXPECT_TRUE(control.GetAutoSize());
  EXPECT_FALSE(control.GetUnderline());
  EXPECT_EQ(control.GetUnderlineColor(), 0xFF000010u);
  EXPECT_EQ(control.GetColor(), 0x1FFFFFFFu);
  EXPECT_EQ(control.Font().GetName(), TFont().GetName());
  EXPECT_EQ(control.GetWrapping(), twNone);
  // An empty CommandID gives no action, so clicks go to DoClick.
  EXPECT_EQ(control.GetAction(), nullptr);
  label->Finalize();
}

TEST_F(LabelViewPartTest, EverySettingIsApplied) {
  auto label = RunningLabel(R"(<ExtData><Label>
      <Alignment>rightjustify</Alignment><AutoSize>False</AutoSize><Underline>1</Underline>
      <UnderlineColor>clRed</UnderlineColor><Color>#00FF00</Color>
      <Font><Name>Arial</Name><Size>12</Size><Color>clNavy</Color><Style>Bold, Italic</Style></Font>
      <Wrapping>Wrap</Wrapping></Label></ExtData>)");
  TTBXLabel& control = Control(*label);
  EXPECT_EQ(control.GetAlignment(), taRightJustify);
  EXPECT_FALSE(control.GetAutoSize());
  EXPECT_TRUE(control.GetUnderline());
  EXPECT_EQ(control.GetUnderlineColor(), clRed);
  EXPECT_EQ(control.GetColor(), clLime);
  EXPECT_EQ(control.Font().GetName(), "Arial");
  EXPECT_EQ(control.Font().GetSize(), 12);
  EXPECT_EQ(control.Font().GetColor(), clNavy);
  EXPECT_EQ(control.Font().GetStyle(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(control.GetWrapping(), twWrap);
  label->Finalize();
}

TEST_F(LabelViewPartTest, ACommandActionHandlesClicksWhileDoubleClickAndPopupReachTheViewPart) {
  Host.Actions().AddCommand({"File.Open", "Open", "Open a file", "", std::nullopt});
  auto label = RunningLabel("<ExtData><Label><CommandID>File.Open</CommandID></Label></ExtData>", "");
  TTBXLabel& control = Control(*label);
  ASSERT_NE(control.GetAction(), nullptr);
  EXPECT_FALSE(control.OnClick);
  EXPECT_EQ(control.GetText(), "Open");  // from the action; the empty caption does not overwrite it
  control.Click();
  control.DblClick();
  bool handled = false;
  control.ContextPopup({3, 4}, handled);
  EXPECT_THAT(Host.Events(), ElementsAre("command:File.Open", "dblclick:Title", "popup:Title"));
  label->Finalize();
}

TEST_F(LabelViewPartTest, UnknownCommandGivesNoActionAndClicksGoToDoClick) {
  auto label = RunningLabel("<ExtData><Label><CommandID>No.Such</CommandID></Label></ExtData>");
  EXPECT_EQ(Control(*label).GetAction(), nullptr);
  Control(*label).Click();
  EXPECT_THAT(Host.Events(), ElementsAre("click:Title"));
  label->Finalize();
}

TEST_F(LabelViewPartTest, EmptyCaptionLeavesTheTextAlone) {
  auto label = MakeLabel("<ExtData/>", "");
  label->Initialize();
  label->GetControl()->SetText("kept");
  TTestHost::Run(*label);
  EXPECT_EQ(label->GetControl()->GetText(), "kept");
  label->Finalize();
}

TEST_F(LabelViewPartTest, CaptionKeyReadsAndWritesTheStoredCaption) {
  auto label = RunningLabel("");
  EXPECT_EQ(std::get<std::string>(Host.Data().ReadValue("Title_Caption")), "Hello");
  Host.Data().WriteValue("Title_Caption", std::string("World"));
  EXPECT_EQ(label->GetCaption(), "World");
  EXPECT_EQ(label->GetControl()->GetText(), "World");
  EXPECT_EQ(std::get<std::string>(Host.Data().ReadValue("Title_Caption")), "World");
  EXPECT_THROW(Host.Data().WriteValue("Title_Caption", 5), EConvertError);
  label->Finalize();
}

TEST_F(LabelViewPartTest, BadValuesRaiseConfigurationErrorsThatNameElementAndText) {
  struct Case {
    std::string Xml, Found;
  } cases[] = {{"<Alignment>Centre</Alignment>", "Centre"},
               {"<Alignment>Center</Alignment>", "Center"},
               {"<Underline>maybe</Underline>", "maybe"},
               {"<Color>clPink</Color>", "clPink"},
               {"<Wrapping>Sometimes</Wrapping>", "Sometimes"}};
  for (const auto& c : cases) {
    auto label = MakeLabel("<ExtData><Label>" + c.Xml + "</Label></ExtData>");
    label->Initialize();
    try {
      TTestHost::Run(*label);
      ADD_FAILURE() << c.Xml << " was accepted";
    } catch (const EConfigurationError& e) {
      EXPECT_EQ(e.Found(), c.Found);
      EXPECT_THAT(e.Message(), HasSubstr(c.Found));
    }
    // The run stopped at the failing step: nothing after it happened.
    EXPECT_TRUE(Host.Data().Keys().empty()) << c.Xml;
    EXPECT_FALSE(label->GetControl()->OnDblClick) << c.Xml;
    label->Finalize();
  }
}

TEST_F(LabelViewPartTest, FinalizeWithdrawsTheKeyAndFreesTheLabelEvenWithoutARun) {
  auto label = RunningLabel("");
  TGuard<TControl> control = label->GetControl();
  label->Finalize();
  EXPECT_TRUE(Host.Data().Keys().empty());
  EXPECT_EQ(control.get(), nullptr);
  EXPECT_EQ(label->GetControl(), nullptr);
  EXPECT_EQ(Host.Window().GetControlCount(), 0);

  auto idle = MakeLabel("");
  idle->Initialize();
  idle->Finalize();  // withdrawing a key that was never published is harmless
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

TEST_F(LabelViewPartTest, SetWorkSpaceMakesTheParentAlignTheLabelAnew) {
  auto label = MakeLabel("");
  label->Initialize();
  label->GetControl()->SetAlign(alTop);
  TTbxLayoutProbe window(Host.Window());
  label->SetWorkSpace(nullptr);
  EXPECT_EQ(window.AlignPasses(), 1);
  EXPECT_EQ(label->GetControl()->GetAlign(), alTop);
  label->Finalize();
}

class CountingLabel : public TNUVLabelViewPart {
 public:
  using TNUVLabelViewPart::TNUVLabelViewPart;
  void DoClick(TObject* sender) override {
    ++Clicks;
    LastSender = sender;
  }
  int Clicks = 0;
  TObject* LastSender = nullptr;

 protected:
  ~CountingLabel() override = default;
};

TEST_F(LabelViewPartTest, ClickHandlerHonoursAnOverriddenDoClick) {
  auto ext = Host.Extension("Title", "Hi");
  auto label = MakeCounted<CountingLabel>(ext.get(), Host.WorkItemIntf());
  label->Initialize();
  TTestHost::Run(*label);
  label->GetControl()->Click();
  EXPECT_EQ(label->Clicks, 1);
  EXPECT_EQ(label->LastSender, label->GetControl());
  EXPECT_TRUE(Host.Events().empty());
  label->Finalize();
}

TEST_F(LabelViewPartTest, ReleasingWithoutFinalizeWithdrawsTheCaptionKey) {
  auto label = RunningLabel("<ExtData/>");
  label = nullptr;  // the delegate would read a destroyed view part
  EXPECT_TRUE(Host.Data().Keys().empty());
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

}  // namespace
