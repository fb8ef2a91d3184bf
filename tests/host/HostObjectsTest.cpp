#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestHost.h"

using ::testing::ElementsAre;

namespace {

TEST(DataContext, RegistersReplacesAndWithdrawsKeysInOrder) {
  TIntfPtr<TNUVDataContext> data(new TNUVDataContext);
  std::string text = "a";
  int number = 1;
  data->RegisterDelegate(
      "S", TNUVDataFactory::NewStringDelegate([&] { return text; }, [&](const std::string& v) { text = v; }));
  data->RegisterDelegate("I", TNUVDataFactory::NewIntegerDelegate([&] { return number; }, [&](int v) { number = v; }));
  data->RegisterDelegate(
      "S", TNUVDataFactory::NewStringDelegate([] { return std::string("other"); }, [](const std::string&) {}));
  EXPECT_THAT(data->Keys(), ElementsAre("S", "I"));
  EXPECT_EQ(std::get<std::string>(data->ReadValue("S")), "other");
  data->WriteValue("I", 7);
  EXPECT_EQ(number, 7);
  EXPECT_THROW(data->WriteValue("I", std::string("7")), EConvertError);
  EXPECT_EQ(number, 7);
  data->UnregisterDelegate("Never");
  data->UnregisterDelegate("S");
  EXPECT_THAT(data->Keys(), ElementsAre("I"));
  EXPECT_THROW(data->ReadValue("S"), EDataKeyError);
}

TEST(DataContext, ValueTextRoundTripsAndRejectsBadText) {
  EXPECT_EQ(std::get<int>(TextToValue("-12", dtInteger)), -12);
  EXPECT_EQ(std::get<bool>(TextToValue("true", dtBoolean)), true);
  EXPECT_EQ(std::get<std::string>(TextToValue("x y", dtString)), "x y");
  EXPECT_THROW(TextToValue("12px", dtInteger), EConvertError);
  EXPECT_THROW(TextToValue("maybe", dtBoolean), EConvertError);
  EXPECT_EQ(ValueToText(TNUVValue(false)), "False");
  EXPECT_EQ(ValueToText(TNUVValue(42)), "42");
}

TEST(ServiceCenter, HoldsACountedReferenceUntilWithdrawn) {
  TIntfPtr<TNUVServiceCenter> center(new TNUVServiceCenter);
  TIntfPtr<TNUVEventBroker> service(new TNUVEventBroker);
  center->RegisterService("X", TIntfPtr<IInterface>(service.get()));
  EXPECT_EQ(service->RefCount(), 2);
  EXPECT_EQ(center->FindService("X").get(), static_cast<IInterface*>(service.get()));
  center->UnregisterService("X");
  center->UnregisterService("X");
  EXPECT_EQ(service->RefCount(), 1);
  EXPECT_EQ(center->FindService("X"), nullptr);
}

TEST(EventBroker, AHandlerMayUnsubscribeWhileAnEventIsDelivered) {
  TIntfPtr<TNUVEventBroker> broker(new TNUVEventBroker);
  std::vector<std::string> heard;
  int second = 0;
  broker->Subscribe([&](const TNUVEvent& e) {
    heard.push_back("1:" + e.Topic);
    broker->Unsubscribe(second);
  });
  second = broker->Subscribe([&](const TNUVEvent& e) { heard.push_back("2:" + e.Topic); });
  broker->Publish({ekTopic, "T", "", "", ""});
  EXPECT_THAT(heard, ElementsAre("1:T"));
}

TEST(ActionService, MakesActionsForDeclaredCommandsOnly) {
  TTestHost host;
  host.Actions().AddCommand({"File.Open", "Open", "Open a file", "open.png", std::nullopt});
  host.Actions().AddCommand({"Edit.Find", "Find", "", "", false});
  TComponent owner(nullptr);
  EXPECT_EQ(host.Actions().CreateAction("", &owner), nullptr);
  EXPECT_EQ(host.Actions().CreateAction("No.Such", &owner), nullptr);
  TCustomAction* open = host.Actions().CreateAction("File.Open", &owner);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->GetOwner(), &owner);
  EXPECT_EQ(open->GetCaption(), "Open");
  EXPECT_EQ(open->GetImageIndex(), host.Images().GetImageManager()->AddImage("open.png"));
  EXPECT_EQ(Supports<INUVActionState>(open), nullptr);
  open->Execute();
  EXPECT_THAT(host.Events(), ElementsAre("command:File.Open"));

  auto state = Supports<INUVActionState>(host.Actions().CreateAction("Edit.Find", &owner));
  ASSERT_NE(state, nullptr);
  EXPECT_FALSE(state->GetActionVisible());
}

TEST(ImageManager, SameFileGivesTheSameIndexAndEmptyGivesNone) {
  TNUVImageManager images;
  EXPECT_EQ(images.AddImage("a.png"), 0);
  EXPECT_EQ(images.AddImage("b.png"), 1);
  EXPECT_EQ(images.AddImage("a.png"), 0);
  EXPECT_EQ(images.AddImage(""), -1);
  EXPECT_EQ(images.GetImageList()->Count(), 2);
}

}  // namespace
