// The dump's writers recurse along the control tree and the item trees: past their level they
// raise an error naming what they were writing instead of running out of stack.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "KolExceptions.h"
#include "TbxStackPanels.h"
#include "TbxToolbars.h"
#include "WbControlWriters.h"
#include "WbDump.h"

using ::testing::HasSubstr;

namespace {

// levels windowed controls, each inside the one before; the first is the root.
class TControlChain {
 public:
  explicit TControlChain(int levels) {
    for (int i = 0; i < levels; ++i) {
      FControls.push_back(std::make_unique<TStackPanel>(nullptr));
      FControls.back()->SetName("P" + std::to_string(i + 1));
      if (i > 0) FControls.back()->SetParent(FControls[static_cast<size_t>(i - 1)].get());
    }
  }
  ~TControlChain() {
    while (!FControls.empty()) FControls.pop_back();  // the innermost first
  }
  TControlChain(const TControlChain&) = delete;
  TControlChain& operator=(const TControlChain&) = delete;
  const TControl& Root() const { return *FControls.front(); }

 private:
  std::vector<std::unique_ptr<TStackPanel>> FControls;
};

void ExpectRefused(const std::function<void()>& write, const std::string& what) {
  try {
    write();
    FAIL() << "wrote " << what;
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "cannot write " + what + ": it is nested 1025 levels deep, more than the 1024 a dump writes");
  }
}

TEST(WorkbenchDumpLevel, AWriterRefusesATreeDeeperThanItsLevel) {
  const TControlChain deepest(KWbMaxDumpLevel);
  EXPECT_EQ(ControlTreeJson(deepest.Root(), {})["Class"], "TStackPanel");
  EXPECT_THAT(ControlTreeText(deepest.Root(), {}), HasSubstr("\"P1024\""));

  const TControlChain tooDeep(KWbMaxDumpLevel + 1);
  ExpectRefused([&] { ControlTreeJson(tooDeep.Root(), {}); }, "the control \"P1025\"");
  ExpectRefused([&] { ControlTreeText(tooDeep.Root(), {}); }, "the control \"P1025\"");
  std::ostringstream streamed;
  ExpectRefused([&] { WriteControlTreeJson(streamed, tooDeep.Root(), {}); }, "the control \"P1025\"");
}

TEST(WorkbenchDumpLevel, ToolbarItemsDeeperThanTheLevelAreRefusedByTheJsonAndTheNote) {
  TTBXToolbar toolbar(nullptr);
  TTBCustomItem* parent = toolbar.Items();
  for (int i = 0; i <= KWbMaxDumpLevel; ++i) {
    auto* item = new TTBXSubmenuItem(&toolbar);
    item->SetCaption("I" + std::to_string(i + 1));
    parent->Add(item);
    parent = item;
  }
  ExpectRefused([&] { ControlTreeJson(toolbar, {}); }, "the item \"I1025\"");
  ExpectRefused([&] { ControlTreeText(toolbar, {}); }, "the item \"I1025\"");
}

}  // namespace
