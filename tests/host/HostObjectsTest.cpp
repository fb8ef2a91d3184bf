#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "ReferenceCount.h"
#include "TestHost.h"

using ::testing::ElementsAre;

namespace {

// Counted objects die by their last reference and in no other way: none can be deleted or
// destroyed as a variable.
static_assert(!std::is_destructible_v<TNUVExtension>);
static_assert(!std::is_destructible_v<TNUVNamedValues>);
static_assert(!std::is_destructible_v<TNUVDataContext>);
static_assert(!std::is_destructible_v<TNUVServiceCenter>);
static_assert(!std::is_destructible_v<TNUVEventBroker>);
static_assert(!std::is_destructible_v<TNUVActionService>);
static_assert(!std::is_destructible_v<TNUVImageService>);
static_assert(!std::is_destructible_v<TNUVWorkItem>);
static_assert(!std::is_destructible_v<TNUVCustomViewPart>);
static_assert(!std::is_destructible_v<TNUVCustomWorkSpaceViewPart>);
static_assert(!std::is_destructible_v<TNUVMultiBindingViewPart>);
static_assert(!std::is_destructible_v<TTolvaRefCntIntfObject>);

TEST(DataContext, RegistersReplacesAndWithdrawsKeysInOrder) {
  auto data = MakeCounted<TNUVDataContext>();
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

// The key read or written last is found again without a search: that shortcut must follow the
// key's replacement, its withdrawal and its return, and never answer for another key.
TEST(DataContext, TheKeyUsedLastFollowsItsReplacementWithdrawalAndReturn) {
  auto data = MakeCounted<TNUVDataContext>();
  auto constant = [](int value) { return TNUVDataFactory::NewIntegerDelegate([value] { return value; }, [](int) {}); };
  data->RegisterDelegate("Key1", constant(1));
  data->RegisterDelegate("Key2", constant(2));
  EXPECT_EQ(std::get<int>(data->ReadValue("Key1")), 1);
  EXPECT_EQ(std::get<int>(data->ReadValue("Key2")), 2);
  data->RegisterDelegate("Key2", constant(20));
  EXPECT_EQ(std::get<int>(data->ReadValue("Key2")), 20);
  data->UnregisterDelegate("Key2");
  EXPECT_THROW(data->ReadValue("Key2"), EDataKeyError);
  EXPECT_EQ(std::get<int>(data->ReadValue("Key1")), 1);
  data->UnregisterDelegate("Key1");
  data->RegisterDelegate("Key1", constant(10));
  EXPECT_EQ(std::get<int>(data->ReadValue("Key1")), 10);
  EXPECT_THROW(data->WriteValue("Key", 0), EDataKeyError);
}

// Keys withdrawn from the front, the middle and the end, and registered again, among enough
// others that the index grows several times: the order is always that of registration.
TEST(DataContext, KeepsTheRegistrationOrderThroughWithdrawalsAndGrowth) {
  auto data = MakeCounted<TNUVDataContext>();
  std::vector<std::string> expected;
  auto add = [&](const std::string& key) {
    data->RegisterDelegate(key, TNUVDataFactory::NewIntegerDelegate([] { return 0; }, [](int) {}));
    if (std::find(expected.begin(), expected.end(), key) == expected.end()) expected.push_back(key);
  };
  auto withdraw = [&](const std::string& key) {
    data->UnregisterDelegate(key);
    std::erase(expected, key);
  };
  for (int i = 0; i < 200; ++i) add("WorkItem" + std::to_string(i) + "_LongEnoughToAllocate");
  for (int i = 0; i < 200; i += 7) withdraw("WorkItem" + std::to_string(i) + "_LongEnoughToAllocate");
  withdraw(expected.front());
  withdraw(expected.back());
  add("WorkItem0_LongEnoughToAllocate");
  add(expected[5]);  // registered already: it keeps its place
  EXPECT_EQ(data->Keys(), expected);
  while (!expected.empty()) withdraw(expected[expected.size() / 2]);
  EXPECT_TRUE(data->Keys().empty());
  add("Again");
  EXPECT_THAT(data->Keys(), ElementsAre("Again"));
}

// A read or write may withdraw or replace the very delegate it calls, through a nested write as
// well, or release the context itself: the delegate lives until its call returns. Each lambda
// keeps a string long enough to allocate, so that a freed delegate is caught under
// AddressSanitizer when the lambda uses it afterwards.
TEST(DataContext, ADelegateLivesUntilItsCallReturnsWhateverTheCallWithdraws) {
  auto data = MakeCounted<TNUVDataContext>();
  const std::string tag = "a capture long enough to live on the heap";
  std::vector<std::string> heard;
  auto integer = [&](std::function<void(int)> setter) {
    return TNUVDataFactory::NewIntegerDelegate([] { return 0; }, std::move(setter));
  };
  data->RegisterDelegate("Self", integer([&, tag](int) {
                           data->UnregisterDelegate("Self");
                           heard.push_back("withdrew itself " + tag.substr(0, 9));
                         }));
  data->RegisterDelegate("Swap", integer([&, tag](int) {
                           data->RegisterDelegate("Swap", integer([&](int) { heard.push_back("new"); }));
                           heard.push_back("replaced itself " + tag.substr(0, 9));
                         }));
  data->RegisterDelegate("Outer", integer([&, tag](int) {
                           data->WriteValue("Inner", 1);
                           heard.push_back("outer after inner " + tag.substr(0, 9));
                         }));
  data->RegisterDelegate("Inner", integer([&](int) { data->UnregisterDelegate("Outer"); }));
  data->RegisterDelegate("Read", TNUVDataFactory::NewStringDelegate(
                                     [&, tag] {
                                       data->UnregisterDelegate("Read");
                                       return tag;
                                     },
                                     [](const std::string&) {}));
  data->WriteValue("Self", 1);
  data->WriteValue("Swap", 1);
  data->WriteValue("Swap", 2);
  data->WriteValue("Outer", 1);
  EXPECT_EQ(std::get<std::string>(data->ReadValue("Read")), tag);
  EXPECT_THAT(heard, ElementsAre("withdrew itself a capture", "replaced itself a capture", "new",
                                 "outer after inner a capture"));
  EXPECT_THAT(data->Keys(), ElementsAre("Swap", "Inner"));

  // A setter that throws after withdrawing itself: the context goes on as before.
  data->RegisterDelegate("Throws", integer([&, tag](int) {
                           data->UnregisterDelegate("Throws");
                           throw EConvertError(tag);
                         }));
  EXPECT_THROW(data->WriteValue("Throws", 1), EConvertError);
  data->WriteValue("Swap", 3);
  EXPECT_EQ(heard.back(), "new");

  // A setter that releases the last reference to the context, from a nested write.
  data->RegisterDelegate("Release", integer([&, tag](int) {
                           data = nullptr;
                           heard.push_back("released " + tag.substr(0, 9));
                         }));
  data->RegisterDelegate("Nest", integer([&, tag](int) {
                           data->WriteValue("Release", 1);
                           heard.push_back("nest " + tag.substr(0, 9));
                         }));
  data->WriteValue("Nest", 1);
  EXPECT_EQ(data, nullptr);
  ASSERT_GE(heard.size(), 2u);
  EXPECT_THAT(std::vector(heard.end() - 2, heard.end()), ElementsAre("released a capture", "nest a capture"));
}

TEST(NamedValues, KeepTheOrderTheyWereFirstSetInAndReplaceInPlace) {
  auto values = MakeCounted<TNUVNamedValues>();
  values->SetStrValue("Title", "Demo");
  values->SetIntValue("Count", 3);
  values->SetStrValue("Title", "Other");
  EXPECT_THAT(values->Names(), ElementsAre("Title", "Count"));
  EXPECT_EQ(values->GetStrValue("Title"), "Other");
  EXPECT_EQ(values->GetIntValue("Count"), 3);
  EXPECT_FALSE(values->HasValue("title"));  // names are case-sensitive
  EXPECT_EQ(values->GetStrValue("Missing"), "");
  // A value that is not a whole integer reads as 0.
  values->SetStrValue("Width", "12px");
  values->SetStrValue("Name", "Demo");
  EXPECT_EQ(values->GetIntValue("Width"), 0);
  EXPECT_EQ(values->GetIntValue("Name"), 0);
  EXPECT_EQ(values->GetIntValue("Missing"), 0);
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
  auto center = MakeCounted<TNUVServiceCenter>();
  auto service = MakeCounted<TNUVEventBroker>();
  center->RegisterService("X", TIntfPtr<IInterface>(service.get()));
  EXPECT_EQ(ReferenceCount(service.get()), 2);
  EXPECT_EQ(center->FindService("X").get(), static_cast<IInterface*>(service.get()));
  center->UnregisterService("X");
  center->UnregisterService("X");
  EXPECT_EQ(ReferenceCount(service.get()), 1);
  EXPECT_EQ(center->FindService("X"), nullptr);
}

// A weak registration holds no reference: the service lives by its other holders, and only its own
// registration can be withdrawn by naming the service.
TEST(ServiceCenter, AWeakRegistrationHoldsNoReferenceAndIsWithdrawnByItsServiceOnly) {
  auto center = MakeCounted<TNUVServiceCenter>();
  auto service = MakeCounted<TNUVEventBroker>();
  auto other = MakeCounted<TNUVEventBroker>();
  center->RegisterWeakService("X", service.get());
  EXPECT_EQ(ReferenceCount(service.get()), 1);
  EXPECT_THAT(center->ServiceIDs(), ElementsAre("X"));
  {
    auto found = center->FindService("X");  // a finder holds what it found like any other holder
    EXPECT_EQ(found.get(), static_cast<IInterface*>(service.get()));
    EXPECT_EQ(ReferenceCount(service.get()), 2);
  }
  center->WithdrawService("X", other.get());
  EXPECT_NE(center->FindService("X"), nullptr);
  center->WithdrawService("X", service.get());
  EXPECT_EQ(center->FindService("X"), nullptr);

  // Registered again in its place, a counted service is not withdrawn by the weak one's owner.
  center->RegisterWeakService("Y", service.get());
  center->RegisterService("Y", TIntfPtr<IInterface>(other.get()));
  EXPECT_EQ(ReferenceCount(other.get()), 2);
  center->WithdrawService("Y", service.get());
  EXPECT_EQ(center->FindService("Y").get(), static_cast<IInterface*>(other.get()));
  center->WithdrawService("Y", other.get());
  EXPECT_EQ(ReferenceCount(other.get()), 1);
  EXPECT_EQ(center->FindService("Y"), nullptr);
}

TEST(EventBroker, AHandlerMayUnsubscribeWhileAnEventIsDelivered) {
  auto broker = MakeCounted<TNUVEventBroker>();
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
  EXPECT_EQ(host.Actions().CreateAction(""), nullptr);
  EXPECT_EQ(host.Actions().CreateAction("No.Such"), nullptr);
  std::unique_ptr<TCustomAction> made = host.Actions().CreateAction("File.Open");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetOwner(), nullptr);  // the caller hands it to its owner
  TCustomAction* open = owner.InsertComponent(std::move(made));
  EXPECT_EQ(open->GetOwner(), &owner);
  EXPECT_EQ(open->GetCaption(), "Open");
  EXPECT_EQ(open->GetImageIndex(), host.Images().GetImageManager()->AddImage("open.png"));
  EXPECT_EQ(Supports<INUVActionState>(open), nullptr);
  open->Execute();
  EXPECT_THAT(host.Events(), ElementsAre("command:File.Open"));

  TCustomAction* find = owner.InsertComponent(host.Actions().CreateAction("Edit.Find"));
  auto* findCommand = dynamic_cast<TNUVAction*>(find);  // the runner reads the command of either kind
  ASSERT_NE(findCommand, nullptr);
  EXPECT_EQ(findCommand->GetCommandID(), "Edit.Find");
  auto state = Supports<INUVActionState>(find);
  ASSERT_NE(state, nullptr);
  EXPECT_FALSE(state->GetActionVisible());
}

TEST(ActionService, WithoutBrokerOrImagesMakesActionsThatDoNothing) {
  // A host may offer actions before it has an event broker or images: the command's image is not
  // looked for and executing publishes nothing.
  auto actions = MakeCounted<TNUVActionService>(nullptr, nullptr);
  actions->AddCommand({"File.Open", "Open", "Open a file", "open.png", std::nullopt});
  std::unique_ptr<TCustomAction> open = actions->CreateAction("File.Open");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->GetCaption(), "Open");
  EXPECT_EQ(open->GetImageIndex(), -1);
  open->Execute();  // no broker to tell: nothing happens
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
