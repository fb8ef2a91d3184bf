#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "KolSystem.h"
#include "NUVStrings.h"

namespace {

// Each message takes as many %s as its callers pass: the child's name, then the work space's name
// or the panel ID.
TEST(LibStrings, EveryMessageTakesTheArgumentsItsCallersPass) {
  const std::pair<TNUVLibStringID, int> placeholders[] = {
      {SViewPartWithoutControl, 2},   {SToolbarMergeIntoItself, 1}, {SViewPartNotDockableWindow, 2},
      {SViewPartNotDockablePanel, 2}, {SPanelIDNotFound, 2},        {SPanelIDMissing, 1}};
  for (const auto& [id, count] : placeholders) {
    const std::string& text = LoadLibStr(id);
    int found = 0;
    for (size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2)) ++found;
    EXPECT_EQ(found, count) << id << ": " << text;
  }
}

TEST(LibStrings, AnIdOutsideTheTableIsAnErrorNamingIt) {
  try {
    LoadLibStr(static_cast<TNUVLibStringID>(65517));
    ADD_FAILURE() << "65517 was found";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "the library's string table has no entry 65517");
  }
}

}  // namespace
