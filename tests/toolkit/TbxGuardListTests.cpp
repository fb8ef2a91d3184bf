#include <gtest/gtest.h>

#include "TbxTestComponents.h"

using TLog = std::vector<std::string>;

TEST(TGuard, ClearsWhenTheComponentIsDestroyed) {
  auto* first = new TComponent(nullptr);
  auto* second = new TComponent(nullptr);
  TGuard<TComponent> guard = first;
  TGuard<TComponent> copy = guard;
  guard = second;
  delete first;
  EXPECT_EQ(guard.get(), second);
  EXPECT_EQ(copy.get(), nullptr);
  delete second;
  EXPECT_EQ(guard.get(), nullptr);
}

TEST(TObjectList, OwningListDestroysEntriesLastToFirst) {
  TLog log;
  {
    TObjectList<TComponent> list;
    list.Add(new TLoggedComponent(nullptr, log, "a"));
    list.Add(new TLoggedComponent(nullptr, log, "b"));
    list.Add(new TLoggedComponent(nullptr, log, "c"));
    TComponent* extracted = list.Extract(list.Items(1));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(log.empty());
    delete extracted;
  }
  EXPECT_EQ(log, (TLog{"b", "c", "a"}));
}

TEST(TObjectList, NonOwningListLeavesEntriesAlive) {
  TLog log;
  TComponent owner(nullptr);
  auto* a = new TLoggedComponent(&owner, log, "a");
  {
    TObjectList<TComponent> list(false);
    list.Add(a);
    list.Remove(a);
    list.Add(a);
  }
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(TObjectList, EntryDestroyedElsewhereLeavesEveryList) {
  auto* a = new TComponent(nullptr);
  auto* b = new TComponent(nullptr);
  TObjectList<TComponent> owning;
  TObjectList<TComponent> referring(false);
  owning.Add(a);
  owning.Add(b);
  referring.Add(b);
  referring.Add(b);
  delete b;
  EXPECT_EQ(owning.Count(), 1);
  EXPECT_EQ(owning.IndexOf(a), 0);
  EXPECT_EQ(referring.Count(), 0);
}

TEST(TObjectList, ClearSurvivesEntriesDestroyingEachOther) {
  TLog log;
  TObjectList<TComponent> list;
  auto* owner = new TLoggedComponent(nullptr, log, "owner");
  auto* owned = new TLoggedComponent(owner, log, "owned");
  auto* killer = new TLoggedComponent(nullptr, log, "killer");
  auto* victim = new TLoggedComponent(nullptr, log, "victim");
  killer->AlsoDestroy = victim;
  list.Add(owned);
  list.Add(victim);
  list.Add(owner);
  list.Add(killer);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(log, (TLog{"killer", "victim", "owner", "owned"}));
}

// Reversed, an owning list destroys its first entry first; it still counts each entry as often
// as it holds it, so that one destroyed elsewhere leaves it whole and a repeated one goes once.
TEST(TObjectList, AReversedListDestroysFirstToLastAndStillHearsOfEachEntry) {
  TLog log;
  auto* gone = new TLoggedComponent(nullptr, log, "gone");
  auto* kept = new TLoggedComponent(nullptr, log, "kept");
  {
    TObjectList<TComponent> list;
    list.Add(new TLoggedComponent(nullptr, log, "a"));
    list.Add(gone);
    list.Add(new TLoggedComponent(nullptr, log, "b"));
    TObjectList<TComponent> referring(false);
    referring.Add(kept);
    referring.Add(kept);
    referring.Reverse();
    referring.Remove(kept);
    list.Reverse();
    delete gone;
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(referring.Count(), 1);
    delete kept;
    EXPECT_EQ(referring.Count(), 0);
  }
  EXPECT_EQ(log, (TLog{"gone", "kept", "a", "b"}));
}
