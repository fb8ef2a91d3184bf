#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVLinkViewPart.h"
#include "TestHost.h"
#include "TbxLayoutCounters.h"

using ::testing::ElementsAre;

namespace {

class LinkViewPartTest : public ::testing::Test {
 protected:
  TIntfPtr<TNUVLinkViewPart> MakeLink(const std::string& extData, const std::string& caption = "Home page") {
    auto ext = Host.Extension("Home", caption, extData);
    return MakeCounted<TNUVLinkViewPart>(ext.get(), Host.WorkItemIntf());
  }
  TIntfPtr<TNUVLinkViewPart> RunningLink(const std::string& extData, const std::string& caption = "Home page") {
    auto link = MakeLink(extData, caption);
    link->Initialize();
    TTestHost::Run(*link);
    return link;
  }
  static TTBXLink& Control(TNUVLinkViewPart& vp) { return *dynamic_cast<TTBXLink*>(vp.GetControl()); }
  static std::string Element(const std::string& settings) {
    return "<ExtData><TBXLink>" + settings + "</TBXLink></ExtData>";
  }
  TNUVImageManager& Images() { return *Host.Images().GetImageManager(); }

  TTestHost Host;
};

TEST_F(LinkViewPartTest, WithoutElementHasNoImageAndToolkitDefaultsButCaptionsWiresAndPublishes) {
  auto link = MakeLink("<ExtData><Other><ImageFile>home.png</ImageFile></Other></ExtData>");
  link->Initialize();
  ASSERT_NE(dynamic_cast<TTBXLink*>(link->GetControl()), nullptr);
  EXPECT_EQ(link->GetControl()->GetParent(), &Host.Window());
  EXPECT_EQ(link->DefaultAlign(), "None");
  TTestHost::Run(*link);

  TTBXLink& control = Control(*link);
  TTBXLink fresh(nullptr);
  EXPECT_EQ(control.GetColor(), fresh.GetColor());
  EXPECT_EQ(control.GetImages(), nullptr);
  EXPECT_EQ(control.GetImageIndex(), -1);
  EXPECT_EQ(control.GetAction(), nullptr);
  EXPECT_EQ(control.GetText(), "Home page");
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Home_Caption"));
  control.Click();
  EXPECT_THAT(Host.Events(), ElementsAre("click:Home"));
  link->Finalize();
}

TEST_F(LinkViewPartTest, TheImageComesFromTheSharedListAtTheIndexThatAddImageGave) {
  Images().AddImage("other.png");
  auto link = RunningLink(Element("<ImageFile>home.png</ImageFile>"));
  EXPECT_EQ(Control(*link).GetImages(), Images().GetImageList());
  EXPECT_EQ(Control(*link).GetImageIndex(), 1);
  EXPECT_EQ(Images().GetImageList()->FileName(1), "home.png");
  link->Finalize();  // the next link of that name publishes the same key

  auto again = RunningLink(Element("<ImageFile>home.png</ImageFile>"));
  EXPECT_EQ(Control(*again).GetImageIndex(), 1);
  again->Finalize();
}

TEST_F(LinkViewPartTest, WithoutImageFileOrImageServiceTheLinkSilentlyGoesWithoutAnImage) {
  auto empty = RunningLink(Element("<ImageFile></ImageFile>"));
  EXPECT_EQ(Control(*empty).GetImages(), nullptr);
  EXPECT_EQ(Control(*empty).GetImageIndex(), -1);
  EXPECT_EQ(Images().GetImageList()->Count(), 0);
  empty->Finalize();

  Host.RemoveImageService();
  auto link = RunningLink(Element("<ImageFile>home.png</ImageFile><AutoSize>False</AutoSize>"));
  EXPECT_EQ(Control(*link).GetImages(), nullptr);
  EXPECT_EQ(Control(*link).GetImageIndex(), -1);
  EXPECT_FALSE(Control(*link).GetAutoSize());
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Home_Caption"));
  link->Finalize();
}

TEST_F(LinkViewPartTest, EverySettingIsApplied) {
  auto link = RunningLink(Element(R"(
      <Alignment>RightJustify</Alignment><AutoSize>False</AutoSize><Color>clBlue</Color>
      <Font><Color>clRed</Color></Font><Wrapping>PathEllipsis</Wrapping>)"));
  TTBXLink& control = Control(*link);
  EXPECT_EQ(control.GetAlignment(), taRightJustify);
  EXPECT_FALSE(control.GetAutoSize());
  EXPECT_EQ(control.GetColor(), clBlue);
  EXPECT_EQ(control.Font().GetColor(), clRed);
  EXPECT_EQ(control.GetWrapping(), twPathEllipsis);
  link->Finalize();
}

TEST_F(LinkViewPartTest, ACommandActionTakesClicksWhileTheOtherHandlersReachTheViewPart) {
  Host.Actions().AddCommand({"Help.Home", "Go home", "", "", std::nullopt});
  auto link = RunningLink(Element("<CommandID>Help.Home</CommandID>"), "");
  TTBXLink& control = Control(*link);
  EXPECT_FALSE(control.OnClick);
  EXPECT_EQ(control.GetText(), "Go home");
  control.Click();
  control.DblClick();
  bool handled = false;
  control.ContextPopup({0, 0}, handled);
  EXPECT_THAT(Host.Events(), ElementsAre("command:Help.Home", "dblclick:Home", "popup:Home"));
  link->Finalize();
}

TEST_F(LinkViewPartTest, CaptionKeyReadsAndWritesTheStoredCaption) {
  auto link = RunningLink("");
  Host.Data().WriteValue("Home_Caption", std::string("Start"));
  EXPECT_EQ(link->GetCaption(), "Start");
  EXPECT_EQ(link->GetControl()->GetText(), "Start");
  EXPECT_EQ(std::get<std::string>(Host.Data().ReadValue("Home_Caption")), "Start");
  link->Finalize();
}

TEST_F(LinkViewPartTest, SetWorkSpaceLeavesTheAlignmentAlone) {
  auto link = MakeLink("");
  link->Initialize();
  link->GetControl()->SetAlign(alTop);
  TTbxLayoutProbe window(Host.Window());
  link->SetWorkSpace(nullptr);
  EXPECT_EQ(window.AlignPasses(), 0);
  link->Finalize();
}

TEST_F(LinkViewPartTest, FinalizeWithdrawsTheKeyAndFreesTheLink) {
  auto link = RunningLink(Element("<ImageFile>home.png</ImageFile>"));
  TGuard<TControl> control = link->GetControl();
  link->Finalize();
  EXPECT_TRUE(Host.Data().Keys().empty());
  EXPECT_EQ(control.get(), nullptr);
  EXPECT_EQ(link->GetControl(), nullptr);
  EXPECT_EQ(Images().GetImageList()->Count(), 1);  // the shared list is the host's
}

TEST_F(LinkViewPartTest, ReleasingWithoutFinalizeWithdrawsTheCaptionKey) {
  auto link = RunningLink("<ExtData/>");
  link = nullptr;  // the delegate would read a destroyed view part
  EXPECT_TRUE(Host.Data().Keys().empty());
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

}  // namespace
