#include <gtest/gtest.h>
#include <sanitizer/asan_interface.h>

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "TbxControls.h"
#include "TbxTestComponents.h"

namespace {

using TLog = std::vector<std::string>;

std::intptr_t Distance(const void* from, const void* to) {
  return reinterpret_cast<std::intptr_t>(to) - reinterpret_cast<std::intptr_t>(from);
}

// The most that lies from a plain component to the next one placed after it: its size, the
// prefix and the rounding.
constexpr std::intptr_t KNextComponentAtMost = sizeof(TComponent) + 2 * __STDCPP_DEFAULT_NEW_ALIGNMENT__;

// Larger than anything an arena places in its blocks.
class THugeComponent : public TComponent {
 public:
  using TComponent::TComponent;
  std::array<char, 64 * 1024> Bytes{};
};

class TThrowingComponent : public TComponent {
 public:
  explicit TThrowingComponent(TComponent* owner) : TComponent(owner) { throw std::runtime_error("no"); }
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool KAddressSanitizer = true;
#else
constexpr bool KAddressSanitizer = false;
#endif

}  // namespace

TEST(TComponentArena, PlacesComponentsSideBySideInTheOrderTheyAreMade) {
  std::unique_ptr<TComponent> owner;
  TComponent* second = nullptr;
  TComponent* third = nullptr;
  {
    TComponentArena arena;
    owner = std::make_unique<TComponent>(nullptr);
    second = new TComponent(owner.get());
    third = new TControl(owner.get());
  }
  // Each follows the one before, a small prefix apart.
  const auto step = Distance(owner.get(), second);
  EXPECT_GT(step, static_cast<std::intptr_t>(sizeof(TComponent)));
  EXPECT_LE(step, KNextComponentAtMost);
  EXPECT_EQ(Distance(second, third), step);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(third) % __STDCPP_DEFAULT_NEW_ALIGNMENT__, 0U);
}

TEST(TComponentArena, ComponentsOutliveTheirArenaAndGoInAnyOrder) {
  // Under the sanitizers, a block freed too early is a use after free, one never freed a leak.
  TLog log;
  std::vector<TComponent*> loose;
  auto* owner = static_cast<TComponent*>(nullptr);
  {
    TComponentArena arena;
    owner = new TLoggedComponent(nullptr, log, "owner");
    for (int i = 0; i < 300; ++i) {  // several blocks
      new TControl(owner);
      loose.push_back(new TLoggedComponent(nullptr, log, "loose"));
    }
  }
  delete loose[150];
  delete owner;
  auto* later = new TLoggedComponent(nullptr, log, "made after the arena");
  for (size_t i = 0; i < loose.size(); ++i)
    if (i != 150) delete loose[i];
  delete later;
  EXPECT_EQ(log.size(), 302U);
}

TEST(TComponentArena, AnInnerArenaEndsFirstAndTheOuterGoesOn) {
  std::unique_ptr<TComponent> before;
  std::unique_ptr<TComponent> inner;
  std::unique_ptr<TComponent> after;
  {
    TComponentArena outer;
    before = std::make_unique<TComponent>(nullptr);
    {
      TComponentArena nested;
      inner = std::make_unique<TComponent>(nullptr);
    }
    after = std::make_unique<TComponent>(nullptr);
  }
  // The outer arena's components stay together; the inner one's lie elsewhere.
  const auto step = Distance(before.get(), after.get());
  EXPECT_LE(step, KNextComponentAtMost);
  EXPECT_NE(Distance(before.get(), inner.get()), step);
  inner.reset();
  before.reset();
}

TEST(TComponentArena, AnArenaEndingOutOfTurnLeavesTheOthersPlacing) {
  auto outer = std::make_unique<TComponentArena>();
  auto inner = std::make_unique<TComponentArena>();
  outer.reset();
  auto first = std::make_unique<TComponent>(nullptr);
  auto second = std::make_unique<TComponent>(nullptr);
  EXPECT_LE(Distance(first.get(), second.get()), KNextComponentAtMost);
  inner.reset();
  auto fromTheHeap = std::make_unique<TComponent>(nullptr);  // no arena left: nothing dangles
  EXPECT_NE(Distance(second.get(), fromTheHeap.get()), Distance(first.get(), second.get()));
}

TEST(TComponentArena, AThrowingConstructorGivesItsRoomBack) {
  TComponentArena arena;
  TComponent owner(nullptr);
  EXPECT_THROW(new TThrowingComponent(&owner), std::runtime_error);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(TComponentArena, HugeComponentsAndOtherThreadsUseTheHeap) {
  TComponentArena arena;
  auto first = std::make_unique<TComponent>(nullptr);
  auto huge = std::make_unique<THugeComponent>(nullptr);
  std::unique_ptr<TComponent> elsewhere;
  std::thread([&] { elsewhere = std::make_unique<TComponent>(nullptr); }).join();
  auto next = std::make_unique<TComponent>(nullptr);
  // Neither took room from the arena: the next component follows the first.
  EXPECT_LE(Distance(first.get(), next.get()), KNextComponentAtMost);
  elsewhere.reset();  // destroyed on another thread than it was made on: no matter
}

TEST(TComponentArena, ADestroyedComponentsRoomIsOutOfBoundsToTheAddressSanitizer) {
  if (!KAddressSanitizer) GTEST_SKIP() << "only the address sanitizer sees poisoned memory";
  TComponentArena arena;
  auto keep = std::make_unique<TComponent>(nullptr);
  auto* gone = new TControl(nullptr);
  void* room = gone;
  EXPECT_FALSE(__asan_address_is_poisoned(room));
  delete gone;
  EXPECT_TRUE(__asan_address_is_poisoned(room));
  EXPECT_TRUE(__asan_address_is_poisoned(static_cast<char*>(room) + sizeof(TControl) - 1));
}
