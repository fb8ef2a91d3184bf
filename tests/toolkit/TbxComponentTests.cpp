#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <stdexcept>

#include "TbxFindEitherEnd.h"
#include "TbxTestComponents.h"

using TLog = std::vector<std::string>;
using THeard = std::vector<std::pair<TComponent*, TOperation>>;
using THeardBy = std::vector<std::pair<std::string, TComponent*>>;

namespace {
class TThrowingComponent : public TComponent {
 public:
  explicit TThrowingComponent(TComponent* owner) : TComponent(owner) { throw std::runtime_error("no"); }
};
}  // namespace

TEST(TComponentOwnership, OwnerDestroysOwnedLastInsertedFirst) {
  TLog log;
  auto* owner = new TLoggedComponent(nullptr, log, "owner");
  auto* a = new TLoggedComponent(owner, log, "a");
  new TLoggedComponent(owner, log, "b");
  new TLoggedComponent(a, log, "a1");
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(a->GetOwner(), owner);
  delete owner;
  EXPECT_EQ(log, (TLog{"owner", "b", "a", "a1"}));
}

TEST(TComponentOwnership, OwnedDestroyedFirstLeavesOwnerAndNotifiesIt) {
  TLog log;
  TNotifiedComponent owner(nullptr);
  auto* a = new TLoggedComponent(&owner, log, "a");
  auto* b = new TLoggedComponent(&owner, log, "b");
  auto* c = new TLoggedComponent(&owner, log, "c");
  delete b;
  ASSERT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(owner.GetComponent(0), a);
  EXPECT_EQ(owner.GetComponent(1), c);
  EXPECT_EQ(owner.Heard, (THeard{{b, opRemove}}));
}

TEST(TComponentOwnership, DestructorDestroyingASiblingIsSafe) {
  TLog log;
  auto* owner = new TComponent(nullptr);
  auto* first = new TLoggedComponent(owner, log, "first");
  auto* last = new TLoggedComponent(owner, log, "last");
  last->AlsoDestroy = first;
  delete owner;
  EXPECT_EQ(log, (TLog{"last", "first"}));
}

TEST(TComponentOwnership, InsertAndRemoveMoveOwnershipWithoutDestroying) {
  TLog log;
  auto* first = new TComponent(nullptr);
  auto* second = new TComponent(nullptr);
  auto* x = new TLoggedComponent(first, log, "x");
  second->InsertComponent(x);
  EXPECT_EQ(first->ComponentCount(), 0);
  EXPECT_EQ(second->ComponentCount(), 1);
  EXPECT_EQ(x->GetOwner(), second);
  delete first;
  EXPECT_TRUE(log.empty());

  second->RemoveComponent(x);
  EXPECT_EQ(x->GetOwner(), nullptr);
  delete second;
  EXPECT_TRUE(log.empty());
  delete x;
  EXPECT_EQ(log, (TLog{"x"}));
}

// Components made side by side go in any order, each once: a loose one before the owner of its
// neighbours, the owner with all it owns, one made afterwards among the rest.
TEST(TComponentOwnership, ComponentsMadeTogetherGoInAnyOrderEachOnce) {
  TLog log;
  auto* owner = new TLoggedComponent(nullptr, log, "owner");
  std::vector<TComponent*> loose;
  for (int i = 0; i < 300; ++i) {
    new TLoggedComponent(owner, log, "owned");
    loose.push_back(new TLoggedComponent(nullptr, log, "loose"));
  }
  delete loose[150];
  delete owner;
  auto* later = new TLoggedComponent(nullptr, log, "made later");
  for (size_t i = 0; i < loose.size(); ++i)
    if (i != 150) delete loose[i];
  delete later;
  EXPECT_EQ(log.size(), 602U);
  EXPECT_EQ(std::count(log.begin(), log.end(), "owned"), 300);
}

// An owner takes a component built apart and gives it back: the signature says who owns it.
TEST(TComponentOwnership, AnOwnerTakesAComponentBuiltApartAndGivesItBack) {
  TLog log;
  TNotifiedComponent owner(nullptr), elsewhere(nullptr);
  auto* taken = owner.InsertComponent(std::make_unique<TLoggedComponent>(nullptr, log, "taken"));
  EXPECT_EQ(taken->GetOwner(), &owner);
  EXPECT_EQ(owner.InsertComponent(std::unique_ptr<TComponent>()), nullptr);
  EXPECT_EQ(elsewhere.ExtractComponent(taken), nullptr);  // not its own to give
  EXPECT_EQ(owner.ExtractComponent<TComponent>(nullptr), nullptr);
  std::unique_ptr<TLoggedComponent> back = owner.ExtractComponent(taken);
  EXPECT_EQ(back.get(), taken);
  EXPECT_EQ(back->GetOwner(), nullptr);
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_TRUE(log.empty());
  back.reset();
  EXPECT_EQ(log, TLog{"taken"});
  EXPECT_TRUE(owner.Heard.empty());  // it was no longer the owner's when it went
}

TEST(TComponentOwnership, AComponentWhoseConstructorThrowsLeavesItsOwner) {
  TComponent owner(nullptr);
  EXPECT_THROW(new TThrowingComponent(&owner), std::runtime_error);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(TFreeNotification, WatcherHearsOnceAndCountsRequests) {
  TNotifiedComponent watcher(nullptr);
  auto* twice = new TComponent(nullptr);
  auto* withdrawn = new TComponent(nullptr);
  watcher.FreeNotification(twice);
  watcher.FreeNotification(twice);
  watcher.RemoveFreeNotification(twice);  // one request is still standing
  watcher.FreeNotification(withdrawn);
  watcher.RemoveFreeNotification(withdrawn);
  delete withdrawn;
  delete twice;
  EXPECT_EQ(watcher.Heard, (THeard{{twice, opRemove}}));
}

TEST(TFreeNotification, WatchedComponentOutlivesItsWatcher) {
  // Each watches the other and the watcher goes first: the survivor hears of it, and its own end
  // later calls nobody (the watcher is gone).
  THeardBy heard;
  auto watched = std::make_unique<TReportingComponent>(heard, "watched");
  auto* watcher = new TReportingComponent(heard, "watcher");
  watcher->FreeNotification(watched.get());
  watched->FreeNotification(watcher);
  delete watcher;
  EXPECT_EQ(heard, (THeardBy{{"watched", watcher}}));
  watched.reset();
  EXPECT_EQ(heard, (THeardBy{{"watched", watcher}}));
}

TEST(TFreeNotifySink, SinkHearsOnceAndForgetsTheComponent) {
  TCallbackSink sink;
  auto* component = new TComponent(nullptr);
  sink.Watch(component);
  sink.Watch(component);
  delete component;
  EXPECT_EQ(sink.Freed, (std::vector<TComponent*>{component}));
  sink.Unwatch(component);  // already forgotten: the dead address is not touched
}

TEST(TFreeNotifySink, SinkDestroyedByAnotherSinkDuringNotification) {
  auto* component = new TComponent(nullptr);
  auto* victim = new TCallbackSink;
  TCallbackSink first, killer;
  first.Watch(component);
  victim->Watch(component);
  killer.Watch(component);  // told first (newest watcher first), so the victim goes before its turn
  killer.OnFreed = [&victim](TComponent*) { FreeAndNil(victim); };
  delete component;
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(first.Freed.size(), 1u);
  EXPECT_EQ(killer.Freed.size(), 1u);
}

// The first watcher is kept apart from the others: whichever leaves, by unwatching or by being
// destroyed, the rest still hear, newest first, and a watcher that comes later is told first.
TEST(TFreeNotifySink, WatchersLeavingInAnyOrderLeaveTheOthersToldNewestFirst) {
  std::vector<int> told;
  auto* component = new TComponent(nullptr);
  std::vector<std::unique_ptr<TCallbackSink>> sinks;
  for (int i = 0; i < 5; ++i) {
    sinks.push_back(std::make_unique<TCallbackSink>());
    sinks.back()->OnFreed = [&told, i](TComponent*) { told.push_back(i); };
    sinks.back()->Watch(component);
  }
  sinks[0]->Unwatch(component);  // the first
  sinks[2].reset();              // one in the middle, destroyed while watching
  sinks[0]->Watch(component);    // back, now the newest
  sinks[4]->Unwatch(component);  // the last
  delete component;
  EXPECT_EQ(told, (std::vector<int>{0, 3, 1}));
}

// Owners, parents and watchers search their lists from both ends at once: every position of every
// short list is found, the nearer end first, and a value that is not there is not.
TEST(FindFromEitherEnd, FindsEveryPositionFromTheNearerEndAndMissesWhatIsNotThere) {
  for (int size = 0; size <= 6; ++size) {
    std::vector<int> values(static_cast<size_t>(size));
    std::iota(values.begin(), values.end(), 0);
    for (int wanted = 0; wanted < size; ++wanted) {
      int looks = 0;
      auto it = FindFromEitherEnd(values.begin(), values.end(), [&](int v) {
        ++looks;
        return v == wanted;
      });
      ASSERT_NE(it, values.end()) << size << " " << wanted;
      EXPECT_EQ(*it, wanted);
      EXPECT_EQ(looks, std::min(2 * wanted + 2, 2 * (size - 1 - wanted) + 1)) << size << " " << wanted;
    }
    int looks = 0;
    EXPECT_EQ(FindFromEitherEnd(values.begin(), values.end(),
                                [&](int v) {
                                  ++looks;
                                  return v == size;
                                }),
              values.end());
    EXPECT_EQ(looks, size);
  }
}

// Asking about what is not there changes nothing: removing a component that another owns, or
// none, and watching none.
TEST(TComponentOwnership, RemovingAComponentNotOwnedAndWatchingNoneChangeNothing) {
  TComponent owner(nullptr), other(nullptr);
  auto* mine = new TComponent(&owner);
  auto* theirs = new TComponent(&other);
  owner.RemoveComponent(theirs);
  owner.RemoveComponent(nullptr);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(theirs->GetOwner(), &other);
  EXPECT_EQ(mine->GetOwner(), &owner);
  owner.FreeNotification(nullptr);
  owner.RemoveFreeNotification(nullptr);
}

// A component is an IInterface, and nothing more unless a subclass says so.
TEST(TComponentInterfaces, AComponentAnswersIInterfaceOnly) {
  TComponent component(nullptr);
  void* found = nullptr;
  EXPECT_TRUE(component.QueryInterface(IInterface::IID, &found));
  EXPECT_EQ(found, static_cast<IInterface*>(&component));
  found = &component;
  EXPECT_FALSE(component.QueryInterface(StringToGUID("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FB}"), &found));
  EXPECT_EQ(found, nullptr);
}
