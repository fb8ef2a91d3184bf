#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVCheckBoxViewPart.h"
#include "TestHost.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const std::string FlagsChanged = "topic:Topic://ViewPart/Flags/OnChange:TTBXCheckBox";

// A data context that records the keys withdrawn from it, in order, and refuses to register the
// key in Refused.
class TRecordingDataContext : public TNUVDataContext {
 public:
  void RegisterDelegate(const std::string& key, TIntfPtr<INUVDataDelegate> delegate) override {
    if (key == Refused) throw Exception("the host refuses the key " + key);
    TNUVDataContext::RegisterDelegate(key, std::move(delegate));
  }
  void UnregisterDelegate(const std::string& key) override {
    Withdrawn.push_back(key);
    TNUVDataContext::UnregisterDelegate(key);
  }
  std::vector<std::string> Withdrawn;
  std::string Refused;

 protected:
  ~TRecordingDataContext() override = default;
};

class TRecordingWorkItem : public TNUVWorkItem {
 public:
  explicit TRecordingWorkItem(TTestHost& host)
      : TNUVWorkItem("Recording", &host.Window(), TIntfPtr<INUVWorkItem>(host.WorkItemIntf())) {}
  TIntfPtr<INUVDataContext> GetDataContext() const override { return Data; }
  TIntfPtr<TRecordingDataContext> Data = MakeCounted<TRecordingDataContext>();

 protected:
  ~TRecordingWorkItem() override = default;
};

class CheckBoxViewPartTest : public ::testing::Test {
 protected:
  TIntfPtr<TNUVCheckBoxViewPart> MakeBox(const std::string& extData, const std::string& caption = "Bold",
                                         INUVWorkItem* workItem = nullptr) {
    auto ext = Host.Extension("Flags", caption, extData);
    return MakeCounted<TNUVCheckBoxViewPart>(ext.get(), workItem ? workItem : Host.WorkItemIntf());
  }
  TIntfPtr<TNUVCheckBoxViewPart> RunningBox(const std::string& extData, const std::string& caption = "Bold") {
    auto box = MakeBox(extData, caption);
    box->Initialize();
    TTestHost::Run(*box);
    return box;
  }
  static TTBXCheckBox& Control(TNUVCheckBoxViewPart& vp) { return *dynamic_cast<TTBXCheckBox*>(vp.GetControl()); }
  static std::string Element(const std::string& settings) {
    return "<ExtData><TBXCheckBox>" + settings + "</TBXCheckBox></ExtData>";
  }
  int State() { return std::get<int>(Host.Data().ReadValue("Flags_State")); }
  bool Checked() { return std::get<bool>(Host.Data().ReadValue("Flags_Checked")); }

  TTestHost Host;
};

TEST_F(CheckBoxViewPartTest, WithoutElementKeepsToolkitDefaultsButCaptionsWiresAndPublishes) {
  auto box = MakeBox("<ExtData/>");
  box->Initialize();
  ASSERT_NE(dynamic_cast<TTBXCheckBox*>(box->GetControl()), nullptr);
  EXPECT_EQ(box->GetControl()->GetParent(), &Host.Window());
  EXPECT_EQ(box->DefaultAlign(), "None");
  TTestHost::Run(*box);

  TTBXCheckBox& control = Control(*box);
  TTBXCheckBox fresh(nullptr);
  EXPECT_EQ(control.GetColor(), fresh.GetColor());
  EXPECT_EQ(control.GetState(), cbUnchecked);
  EXPECT_EQ(control.GetAction(), nullptr);
  EXPECT_EQ(control.GetText(), "Bold");
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Flags_Checked", "Flags_State"));
  control.Click();
  EXPECT_THAT(Host.Events(), ElementsAre(FlagsChanged, "click:Flags"));
  box->Finalize();
}

TEST_F(CheckBoxViewPartTest, StateDefaultsFromCheckedAndOverridesIt) {
  struct Case {
    std::string Settings;
    TCheckBoxState Expected;
  } cases[] = {
      {"", cbUnchecked},
      {"<Checked>True</Checked>", cbChecked},
      {"<Checked>True</Checked><State>Grayed</State>", cbGrayed},
      {"<Checked>False</Checked><State>Checked</State>", cbChecked},
      {"<Checked>True</Checked><State>UNCHECKED</State>", cbUnchecked},
      {"<State>grayed</State>", cbGrayed},  // AllowGrayed False does not limit configuration
      {"<AllowGrayed>True</AllowGrayed><State>cbGrayed</State>", cbGrayed},
  };
  for (const auto& c : cases) {
    auto box = RunningBox(Element(c.Settings));
    EXPECT_EQ(Control(*box).GetState(), c.Expected) << c.Settings;
    EXPECT_EQ(State(), static_cast<int>(c.Expected)) << c.Settings;
    EXPECT_EQ(Checked(), c.Expected == cbChecked) << c.Settings;
    EXPECT_TRUE(Host.Events().empty()) << c.Settings;  // configuration is not a change to report
    box->Finalize();
  }
}

TEST_F(CheckBoxViewPartTest, EveryOtherSettingIsApplied) {
  auto box = RunningBox(Element(R"(
      <Alignment>RightJustify</Alignment><AutoSize>0</AutoSize><AllowGrayed>True</AllowGrayed>
      <Color>$00112233</Color><Font><Style>Underline</Style></Font><Wrapping>Wrap</Wrapping>)"));
  TTBXCheckBox& control = Control(*box);
  EXPECT_EQ(control.GetAlignment(), taRightJustify);
  EXPECT_FALSE(control.GetAutoSize());
  EXPECT_TRUE(control.GetAllowGrayed());
  EXPECT_EQ(control.GetColor(), 0x00112233u);
  EXPECT_EQ(control.Font().GetStyle(), TFontStyles{fsUnderline});
  EXPECT_EQ(control.GetWrapping(), twWrap);
  box->Finalize();
}

TEST_F(CheckBoxViewPartTest, KeysReadAndWriteTheStateAndEveryChangeFiresTheTopic) {
  auto box = RunningBox(Element("<State>Grayed</State>"));
  EXPECT_EQ(State(), 2);
  EXPECT_FALSE(Checked());

  Host.Data().WriteValue("Flags_Checked", true);
  EXPECT_EQ(Control(*box).GetState(), cbChecked);
  Host.Data().WriteValue("Flags_State", 2);
  EXPECT_EQ(Control(*box).GetState(), cbGrayed);
  Host.Data().WriteValue("Flags_State", 2);  // the current state: no change, no topic
  Host.Data().WriteValue("Flags_Checked", false);
  EXPECT_EQ(State(), 0);
  Host.Data().WriteValue("Flags_State", 1);
  EXPECT_TRUE(Checked());
  EXPECT_THAT(Host.Events(), ElementsAre(FlagsChanged, FlagsChanged, FlagsChanged, FlagsChanged));
  box->Finalize();
}

TEST_F(CheckBoxViewPartTest, AStateOutsideTheThreeIsRefusedAndLeavesTheBoxAsItWas) {
  auto box = RunningBox(Element("<Checked>True</Checked>"));
  for (int bad : {3, -1, 1000}) {
    try {
      Host.Data().WriteValue("Flags_State", bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const EConvertError& e) {
      EXPECT_THAT(e.Message(), HasSubstr("Flags_State"));
      EXPECT_THAT(e.Message(), HasSubstr(std::to_string(bad)));
    }
    EXPECT_EQ(Control(*box).GetState(), cbChecked);
  }
  EXPECT_TRUE(Host.Events().empty());
  box->Finalize();
}

TEST_F(CheckBoxViewPartTest, ClicksCycleTheStatesAndReachTheCommand) {
  Host.Actions().AddCommand({"Text.Bold", "", "", "", std::nullopt});
  auto box = RunningBox(Element("<CommandID>Text.Bold</CommandID><AllowGrayed>True</AllowGrayed>"));
  TTBXCheckBox& control = Control(*box);
  ASSERT_NE(control.GetAction(), nullptr);
  EXPECT_FALSE(control.OnClick);
  control.Click();
  control.Click();
  EXPECT_EQ(State(), 2);
  control.Click();
  EXPECT_EQ(State(), 0);
  control.DblClick();
  EXPECT_THAT(Host.Events(), ElementsAre(FlagsChanged, "command:Text.Bold", FlagsChanged, "command:Text.Bold",
                                         FlagsChanged, "command:Text.Bold", "dblclick:Flags"));
  box->Finalize();
}

TEST_F(CheckBoxViewPartTest, FinalizeWithdrawsCheckedBeforeStateAndFreesTheBox) {
  auto workItem = MakeCounted<TRecordingWorkItem>(Host);
  auto box = MakeBox(Element("<Checked>True</Checked>"), "Bold", workItem.get());
  box->Initialize();
  TTestHost::Run(*box);
  EXPECT_THAT(workItem->Data->Keys(), ElementsAre("Flags_Checked", "Flags_State"));
  TGuard<TControl> control = box->GetControl();
  box->Finalize();
  EXPECT_THAT(workItem->Data->Withdrawn, ElementsAre("Flags_Checked", "Flags_State"));
  EXPECT_TRUE(workItem->Data->Keys().empty());
  EXPECT_EQ(control.get(), nullptr);
  EXPECT_EQ(box->GetControl(), nullptr);
}

// The run ends at the refused key and undoes nothing; Finalize withdraws both keys all the same.
TEST_F(CheckBoxViewPartTest, ARefusedStateKeyEndsTheRunAndFinalizeStillWithdrawsBothKeys) {
  auto workItem = MakeCounted<TRecordingWorkItem>(Host);
  workItem->Data->Refused = "Flags_State";
  auto box = MakeBox(Element("<Checked>True</Checked>"), "Bold", workItem.get());
  box->Initialize();
  EXPECT_THROW(TTestHost::Run(*box), Exception);
  EXPECT_THAT(workItem->Data->Keys(), ElementsAre("Flags_Checked"));
  EXPECT_TRUE(Control(*box).GetChecked());
  box->Finalize();
  EXPECT_THAT(workItem->Data->Withdrawn, ElementsAre("Flags_Checked", "Flags_State"));
  EXPECT_TRUE(workItem->Data->Keys().empty());
  EXPECT_EQ(box->GetControl(), nullptr);
}

TEST_F(CheckBoxViewPartTest, ABadStateNameStopsTheRunAtThatStep) {
  auto box = MakeBox(Element("<Checked>True</Checked><State>Maybe</State><Color>clRed</Color>"));
  box->Initialize();
  try {
    TTestHost::Run(*box);
    ADD_FAILURE() << "Maybe was accepted";
  } catch (const EConfigurationError& e) {
    EXPECT_EQ(e.Found(), "Maybe");
  }
  EXPECT_EQ(Control(*box).GetState(), cbChecked);
  EXPECT_NE(Control(*box).GetColor(), clRed);
  EXPECT_TRUE(Host.Data().Keys().empty());
  box->Finalize();
}

TEST_F(CheckBoxViewPartTest, ReleasingWithoutFinalizeWithdrawsBothKeys) {
  auto box = RunningBox("<ExtData/>");
  box = nullptr;  // the delegates would read a destroyed view part
  EXPECT_TRUE(Host.Data().Keys().empty());
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

}  // namespace
