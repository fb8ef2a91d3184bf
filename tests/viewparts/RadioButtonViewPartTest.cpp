#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVRadioButtonViewPart.h"
#include "TestHost.h"

using ::testing::ElementsAre;

namespace {

const std::string ChoiceChanged = "topic:Topic://ViewPart/Choice/OnChange:TNUVRadioButton";

class RadioButtonViewPartTest : public ::testing::Test {
 protected:
  TIntfPtr<TNUVRadioButtonViewPart> MakeRadio(const std::string& extData, const std::string& name = "Choice",
                                              const std::string& caption = "Red") {
    auto ext = Host.Extension(name, caption, extData);
    return MakeCounted<TNUVRadioButtonViewPart>(ext.get(), Host.WorkItemIntf());
  }
  TIntfPtr<TNUVRadioButtonViewPart> RunningRadio(const std::string& extData, const std::string& name = "Choice",
                                                 const std::string& caption = "Red") {
    auto radio = MakeRadio(extData, name, caption);
    radio->Initialize();
    TTestHost::Run(*radio);
    return radio;
  }
  static TNUVRadioButton& Control(TNUVRadioButtonViewPart& vp) {
    return *dynamic_cast<TNUVRadioButton*>(vp.GetControl());
  }
  static std::string Element(const std::string& settings) {
    return "<ExtData><TBXRadioButton>" + settings + "</TBXRadioButton></ExtData>";
  }

  TTestHost Host;
};

TEST_F(RadioButtonViewPartTest, WithoutElementKeepsToolkitDefaultsButCaptionsWiresAndPublishes) {
  auto radio = MakeRadio("<ExtData/>");
  radio->Initialize();
  ASSERT_NE(dynamic_cast<TNUVRadioButton*>(radio->GetControl()), nullptr);
  // Drawn, dumped and scripted as any radio button: the plug-in's class keeps its base's kind.
  EXPECT_EQ(radio->GetControl()->Kind(), ckRadioButton);
  EXPECT_EQ(radio->GetControl()->GetParent(), &Host.Window());
  EXPECT_EQ(radio->GetControl()->GetOwner(), nullptr);
  EXPECT_EQ(radio->DefaultAlign(), "None");
  EXPECT_TRUE(Host.Data().Keys().empty());
  TTestHost::Run(*radio);

  TNUVRadioButton& control = Control(*radio);
  TTBXRadioButton fresh(nullptr);
  EXPECT_EQ(control.GetColor(), fresh.GetColor());
  EXPECT_FALSE(control.GetChecked());
  EXPECT_EQ(control.GetAction(), nullptr);
  EXPECT_EQ(control.GetText(), "Red");
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Choice_Checked"));
  // A user's click checks the button, which reports the change, then reaches DoClick.
  control.Click();
  EXPECT_TRUE(control.GetChecked());
  EXPECT_THAT(Host.Events(), ElementsAre(ChoiceChanged, "click:Choice"));
  radio->Finalize();
}

TEST_F(RadioButtonViewPartTest, EverySettingIsAppliedWithoutReportingTheConfiguredCheck) {
  auto radio = RunningRadio(Element(R"(
      <Alignment>RightJustify</Alignment><AutoSize>False</AutoSize><GroupIndex>3</GroupIndex>
      <Checked>True</Checked><Color>clYellow</Color><Font><Name>Arial</Name><Size>11</Size></Font>
      <Wrapping>EndEllipsis</Wrapping>)"));
  TNUVRadioButton& control = Control(*radio);
  EXPECT_EQ(control.GetAlignment(), taRightJustify);
  EXPECT_FALSE(control.GetAutoSize());
  EXPECT_EQ(control.GetGroupIndex(), 3);
  EXPECT_TRUE(control.GetChecked());
  EXPECT_EQ(control.GetColor(), clYellow);
  EXPECT_EQ(control.Font().GetName(), "Arial");
  EXPECT_EQ(control.Font().GetSize(), 11);
  EXPECT_EQ(control.GetWrapping(), twEndEllipsis);
  EXPECT_TRUE(Host.Events().empty());  // OnChange is wired after the settings
  radio->Finalize();
}

TEST_F(RadioButtonViewPartTest, AClickOnACheckedButtonDoesNothingAtAll) {
  Host.Actions().AddCommand({"Color.Red", "", "", "", std::nullopt});
  auto plain = RunningRadio(Element("<Checked>True</Checked>"));
  Control(*plain).Click();
  EXPECT_TRUE(Control(*plain).GetChecked());
  plain->Finalize();

  auto commanded = RunningRadio(Element("<CommandID>Color.Red</CommandID><Checked>True</Checked>"));
  ASSERT_NE(Control(*commanded).GetAction(), nullptr);
  Control(*commanded).Click();
  EXPECT_TRUE(Host.Events().empty());
  // Once unchecked, the same button takes clicks again.
  Control(*commanded).SetChecked(false);
  Host.ClearEvents();
  Control(*commanded).Click();
  EXPECT_THAT(Host.Events(), ElementsAre(ChoiceChanged, "command:Color.Red"));
  commanded->Finalize();
}

TEST_F(RadioButtonViewPartTest, ACommandActionTakesClicksWhileTheOtherHandlersReachTheViewPart) {
  Host.Actions().AddCommand({"Color.Red", "Red colour", "", "", std::nullopt});
  auto radio = RunningRadio(Element("<CommandID>Color.Red</CommandID>"), "Choice", "");
  TNUVRadioButton& control = Control(*radio);
  EXPECT_FALSE(control.OnClick);
  EXPECT_EQ(control.GetText(), "Red colour");  // the empty caption leaves the action's text
  control.DblClick();
  bool handled = false;
  control.ContextPopup({1, 2}, handled);
  Host.Data().WriteValue("Choice_Checked", true);
  EXPECT_THAT(Host.Events(), ElementsAre("dblclick:Choice", "popup:Choice", ChoiceChanged));
  radio->Finalize();
}

TEST_F(RadioButtonViewPartTest, WritingTheKeyFiresTheTopicForEveryChangeOfTheGroup) {
  auto red = RunningRadio(Element("<GroupIndex>1</GroupIndex><Checked>True</Checked>"), "Red");
  auto green = RunningRadio(Element("<GroupIndex>1</GroupIndex>"), "Green");
  EXPECT_EQ(std::get<bool>(Host.Data().ReadValue("Red_Checked")), true);
  EXPECT_EQ(std::get<bool>(Host.Data().ReadValue("Green_Checked")), false);

  Host.Data().WriteValue("Green_Checked", true);
  EXPECT_THAT(Host.Events(), ElementsAre("topic:Topic://ViewPart/Red/OnChange:TNUVRadioButton",
                                         "topic:Topic://ViewPart/Green/OnChange:TNUVRadioButton"));
  EXPECT_EQ(std::get<bool>(Host.Data().ReadValue("Red_Checked")), false);
  EXPECT_EQ(std::get<bool>(Host.Data().ReadValue("Green_Checked")), true);

  Host.ClearEvents();
  Host.Data().WriteValue("Green_Checked", true);  // already checked: no change, no topic
  EXPECT_TRUE(Host.Events().empty());
  Host.Data().WriteValue("Green_Checked", false);
  EXPECT_THAT(Host.Events(), ElementsAre("topic:Topic://ViewPart/Green/OnChange:TNUVRadioButton"));
  EXPECT_THROW(Host.Data().WriteValue("Green_Checked", std::string("yes")), EConvertError);
  green->Finalize();
  red->Finalize();
}

TEST_F(RadioButtonViewPartTest, FinalizeWithdrawsTheKeyAndFreesTheButtonEvenWithoutARun) {
  auto radio = RunningRadio("");
  TGuard<TControl> control = radio->GetControl();
  radio->Finalize();
  EXPECT_TRUE(Host.Data().Keys().empty());
  EXPECT_EQ(control.get(), nullptr);
  EXPECT_EQ(radio->GetControl(), nullptr);

  auto idle = MakeRadio("");
  idle->Initialize();
  idle->Finalize();  // withdrawing a key that was never published is harmless
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

TEST_F(RadioButtonViewPartTest, ReleasingWithoutFinalizeWithdrawsTheCheckedKey) {
  auto radio = RunningRadio("<ExtData/>");
  radio = nullptr;  // the delegate would read a destroyed view part
  EXPECT_TRUE(Host.Data().Keys().empty());
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

}  // namespace
