// What the four simple view parts share: their lifetime and their runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVCheckBoxViewPart.h"
#include "NUVLabelViewPart.h"
#include "NUVLinkViewPart.h"
#include "NUVRadioButtonViewPart.h"
#include "TestHost.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

template <class TViewPart>
struct TKind;
template <>
struct TKind<TNUVLabelViewPart> {
  static constexpr const char* Element = "Label";
};
template <>
struct TKind<TNUVLinkViewPart> {
  static constexpr const char* Element = "TBXLink";
};
template <>
struct TKind<TNUVRadioButtonViewPart> {
  static constexpr const char* Element = "TBXRadioButton";
};
template <>
struct TKind<TNUVCheckBoxViewPart> {
  static constexpr const char* Element = "TBXCheckBox";
};

template <class TViewPart>
class SimpleViewPartTest : public ::testing::Test {
 protected:
  TIntfPtr<TViewPart> Make(const std::string& settings) {
    const std::string element = TKind<TViewPart>::Element;
    auto ext =
        Host.Extension("Simple", "Simple", "<ExtData><" + element + ">" + settings + "</" + element + "></ExtData>");
    TIntfPtr<TViewPart> viewPart(new TViewPart(ext.get(), Host.WorkItemIntf()));
    viewPart->Initialize();
    return viewPart;
  }
  TTestHost Host;
};

using TSimpleKinds =
    ::testing::Types<TNUVLabelViewPart, TNUVLinkViewPart, TNUVRadioButtonViewPart, TNUVCheckBoxViewPart>;
TYPED_TEST_SUITE(SimpleViewPartTest, TSimpleKinds);

// Each run makes the command's action anew; the one the run before made goes, so the control owns
// one action however often its work item runs and stops.
TYPED_TEST(SimpleViewPartTest, RunsReplaceTheActionOfTheRunBeforeInsteadOfAddingOne) {
  this->Host.Actions().AddCommand({"File.Open", "Open", "", "", std::nullopt});
  auto viewPart = this->Make("<CommandID>File.Open</CommandID>");
  TControl* control = viewPart->GetControl();
  for (int run = 0; run < 5; ++run) {
    TTestHost::Run(*viewPart);
    TTestHost::Stop(*viewPart);
  }
  EXPECT_EQ(control->ComponentCount(), 1);
  ASSERT_NE(control->GetAction(), nullptr);
  EXPECT_EQ(control->GetAction()->GetOwner(), control);
  control->Click();
  EXPECT_THAT(this->Host.Events(), Contains("command:File.Open"));
  viewPart->Finalize();
}

// Another owner of a key that the view part would publish keeps it: the run is refused, and
// neither Finalize nor the view part's release withdraws the other owner's key.
TYPED_TEST(SimpleViewPartTest, AKeyThatAnotherOwnerPublishesIsRefusedAndLeftToIt) {
  auto viewPart = this->Make("");
  const std::string key = "Simple_Checked";
  const std::string caption = "Simple_Caption";
  auto foreign = TNUVDataFactory::NewStringDelegate([] { return std::string("foreign"); }, [](const std::string&) {});
  this->Host.Data().RegisterDelegate(key, foreign);
  this->Host.Data().RegisterDelegate(caption, foreign);
  EXPECT_THROW(TTestHost::Run(*viewPart), ENUVViewPartError);
  viewPart->Finalize();
  EXPECT_THAT(this->Host.Data().Keys(), ElementsAre(key, caption));
  EXPECT_EQ(this->Host.Data().FindDelegate(key), foreign);
  EXPECT_EQ(this->Host.Data().FindDelegate(caption), foreign);
  this->Host.Data().UnregisterDelegate(key);
  this->Host.Data().UnregisterDelegate(caption);
  EXPECT_THAT(this->Host.Data().Keys(), IsEmpty());
}

}  // namespace
