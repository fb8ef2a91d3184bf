// The data keys of several owners in one data context: each owner keeps its own, whatever else
// it publishes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVConfig.h"
#include "NUVLabelViewPart.h"
#include "NUVPublishedKeys.h"
#include "ReferenceCount.h"
#include "StatusBarTestSupport.h"
#include "TestHost.h"

using ::testing::ElementsAre;

namespace {

TIntfPtr<INUVDataDelegate> TextDelegate(std::string text) {
  return TNUVDataFactory::NewStringDelegate([text] { return text; }, [](const std::string&) {});
}

// Withdraws "Owner" + each suffix, in the order given.
void WithdrawOwners(TNUVPublishedKeys& keys, std::initializer_list<std::string_view> suffixes) {
  keys.Withdraw("Owner", std::span(suffixes.begin(), suffixes.size()));
}

class PublishedKeysTest : public ::testing::Test {
 protected:
  PublishedKeysTest()
      : Ext(Host.Extension("Owner", "Owner")),
        ViewPart(MakeCounted<TNUVLabelViewPart>(Ext.get(), Host.WorkItemIntf())) {}

  TTestHost Host;
  TIntfPtr<IQIMExtension> Ext;
  TIntfPtr<TNUVLabelViewPart> ViewPart;
};

// Holding keys of its own does not make another owner's key one's own: publishing it is refused
// and withdrawing it leaves it where it is.
TEST_F(PublishedKeysTest, AnOwnerWithKeysOfItsOwnNeitherTakesOverNorWithdrawsAnotherOwnersKey) {
  TNUVPublishedKeys first(*ViewPart);
  TNUVPublishedKeys second(*ViewPart);
  first.Publish("Owner_A", TextDelegate("first's A"));
  auto secondsB = TextDelegate("second's B");
  second.Publish("Owner_B", secondsB);

  EXPECT_THROW(first.Publish("Owner_B", TextDelegate("first's B")), ENUVViewPartError);
  EXPECT_EQ(Host.Data().FindDelegate("Owner_B"), secondsB);
  WithdrawOwners(first, {"_B"});
  EXPECT_THAT(Host.Data().Keys(), ElementsAre("Owner_B"));
  EXPECT_EQ(Host.Data().FindDelegate("Owner_B"), secondsB);
  second.WithdrawPublished();
  EXPECT_TRUE(Host.Data().Keys().empty());
}

// A key that someone else registered anew since is no longer the owner's: publishing it again is
// refused, and withdrawing leaves it.
TEST_F(PublishedKeysTest, AKeyRegisteredAnewByAnotherIsNoLongerTheOwnersToReplaceOrWithdraw) {
  TNUVPublishedKeys keys(*ViewPart);
  keys.Publish("Owner_A", TextDelegate("own"));
  auto successor = TextDelegate("successor");
  Host.Data().RegisterDelegate("Owner_A", successor);
  EXPECT_THROW(keys.Publish("Owner_A", TextDelegate("own again")), ENUVViewPartError);
  WithdrawOwners(keys, {"_A"});
  EXPECT_EQ(Host.Data().FindDelegate("Owner_A"), successor);
}

// Publishing a key again (a second run) replaces the earlier delegate, which nothing keeps then.
TEST_F(PublishedKeysTest, AKeyPublishedAgainLetsGoOfItsEarlierDelegate) {
  TNUVPublishedKeys keys(*ViewPart);
  auto earlier = TextDelegate("earlier");
  keys.Publish("Owner_A", earlier);
  auto later = TextDelegate("later");
  keys.Publish("Owner_A", later);
  EXPECT_EQ(Host.Data().FindDelegate("Owner_A"), later);
  EXPECT_EQ(ReferenceCount(earlier.get()), 1);  // this test's reference only
  keys.WithdrawPublished();
}

// The keys named go in the order given, and then every other key the owner published.
TEST_F(PublishedKeysTest, WithdrawingTheKeysNamedAlsoWithdrawsTheOthersTheOwnerPublished) {
  TNUVPublishedKeys keys(*ViewPart);
  keys.Publish("Owner_A", TextDelegate("A"));
  keys.Publish("Owner_B", TextDelegate("B"));
  WithdrawOwners(keys, {"_A"});
  EXPECT_TRUE(Host.Data().Keys().empty());
}

// Each key is the prefix with its own suffix, whatever the suffix before it was, and they go in
// the order given, also one never published; then the rest in the order published.
TEST_F(PublishedKeysTest, WithdrawsEachSuffixedKeyInTheOrderGivenThenTheRest) {
  auto workItem = MakeCounted<TRecordingWorkItem>(Host);
  auto owner = MakeCounted<TNUVLabelViewPart>(Ext.get(), workItem.get());
  TNUVPublishedKeys keys(*owner);
  for (const char* key : {"Owner_Rest", "Owner_A_rather_long_suffix", "Owner_S", "Owner_Mid"})
    keys.Publish(key, TextDelegate(key));
  workItem->Log().clear();
  WithdrawOwners(keys, {"_A_rather_long_suffix", "_S", "_Never", "_Mid"});
  EXPECT_THAT(workItem->Log(),
              ElementsAre("-Owner_A_rather_long_suffix", "-Owner_S", "-Owner_Never", "-Owner_Mid", "-Owner_Rest"));
  EXPECT_TRUE(Host.Data().Keys().empty());
}

// A view part outside any work item has no data context: there is nowhere to publish to and
// nothing to withdraw.
TEST_F(PublishedKeysTest, AnOwnerWithoutADataContextPublishesAndWithdrawsNothing) {
  auto homeless = MakeCounted<TNUVLabelViewPart>(Ext.get(), nullptr);
  TNUVPublishedKeys keys(*homeless);
  EXPECT_NO_THROW(keys.Publish("Owner_A", TextDelegate("A")));
  EXPECT_NO_THROW(WithdrawOwners(keys, {"_A"}));
  EXPECT_TRUE(Host.Data().Keys().empty());
}

}  // namespace
