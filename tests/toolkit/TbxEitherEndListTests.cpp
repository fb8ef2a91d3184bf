#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "TbxEitherEndList.h"

namespace {
std::vector<int> Contents(const TEitherEndList<int>& list) { return {list.begin(), list.end()}; }
}  // namespace

// Random pushes, pops and erases anywhere (mostly near the ends, as owners and parents see them),
// against a plain vector: the same entries in the same order after every step, and each erase
// returns the position of the entry after the erased one.
TEST(TEitherEndList, KeepsTheOrderOfAVectorThroughPushesPopsAndErasesAnywhere) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 200; ++round) {
    TEitherEndList<int> list;
    std::vector<int> expected;
    for (int step = 0; step < 300; ++step) {
      const unsigned choice = random() % 10;
      if (expected.empty() || choice < 4) {
        list.push_back(step);
        expected.push_back(step);
      } else if (choice == 4) {
        list.pop_back();
        expected.pop_back();
      } else {
        const auto size = static_cast<unsigned>(expected.size());
        const unsigned near = std::min(size - 1, static_cast<unsigned>(random() % 3));
        const unsigned index = choice == 5 ? near : choice == 6 ? size - 1 - near : random() % size;
        const auto after = list.erase(list.begin() + index);
        expected.erase(expected.begin() + index);
        ASSERT_EQ(after - list.begin(), static_cast<std::ptrdiff_t>(index));
      }
      ASSERT_EQ(Contents(list), expected) << "round " << round << ", step " << step;
      ASSERT_EQ(list.size(), expected.size());
      ASSERT_EQ(list.empty(), expected.empty());
      if (!expected.empty()) {
        ASSERT_EQ(list.back(), expected.back());
        ASSERT_EQ(list.at(0), expected.front());
        ASSERT_EQ(list[expected.size() - 1], expected.back());
      }
    }
  }
}

TEST(TEitherEndList, EmptiedFromTheFrontItStartsAfreshAndAtRefusesWhatIsNotThere) {
  TEitherEndList<int> list;
  for (int i = 0; i < 10; ++i) list.push_back(i);
  while (!list.empty()) list.erase(list.begin());
  EXPECT_EQ(list.size(), 0U);
  EXPECT_EQ(list.begin(), list.end());
  EXPECT_THROW(list.at(0), std::out_of_range);
  list.push_back(7);
  EXPECT_EQ(Contents(list), std::vector<int>{7});
  try {
    list.at(1);
    ADD_FAILURE() << "at(1) of one entry";
  } catch (const std::out_of_range& error) {
    EXPECT_STREQ(error.what(), "list index 1 out of range (count 1)");
  }
}
