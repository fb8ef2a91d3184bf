#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "KolSystem.h"
#include "NUVStrings.h"

namespace {

// Each message takes as many %s as its callers pass: the view part's name, then the work space's
// name, the panel ID, the data key or the service ID.
TEST(LibStrings, EveryMessageTakesTheArgumentsItsCallersPass) {
  const std::pair<TNUVLibStringID, int> placeholders[] = {
      {SViewPartWithoutControl, 2},    {SToolbarMergeIntoItself, 1}, {SViewPartNotDockableWindow, 2},
      {SViewPartNotDockablePanel, 2},  {SPanelIDNotFound, 2},        {SPanelIDMissing, 1},
      {SWorkSpaceWithoutControl, 2},   {SDataKeyTaken, 2},           {SStatusPanelTaken, 3},
      {SStatusPanelWithoutControl, 2}, {SServiceIDTaken, 2}};
  for (const auto& [id, count] : placeholders) {
    const std::string& text = LoadLibStr(id);
    int found = 0;
    for (size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2)) ++found;
    EXPECT_EQ(found, count) << id << ": " << text;
  }
}

TEST(LibStrings, AnIdOutsideTheTableIsAnErrorNamingIt) {
  try {
    LoadLibStr(static_cast<TNUVLibStringID>(65500));
    ADD_FAILURE() << "65500 was found";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "the library's string table has no entry 65500");
  }
}

}  // namespace
