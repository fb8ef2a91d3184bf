// The kind hook: what the native backend, the dump and the script commands ask of a control or an
// item instead of testing its class.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxStackPanels.h"
#include "TbxStatusBars.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"

namespace {

// Subclasses that say nothing of their kind, as a plug-in's own classes do.
class TOwnRadioButton : public TTBXRadioButton {
 public:
  using TTBXRadioButton::TTBXRadioButton;
};
class TOwnToggleItem : public TTBXVisibilityToggleItem {
 public:
  using TTBXVisibilityToggleItem::TTBXVisibilityToggleItem;
};

struct TControlSample {
  std::unique_ptr<TControl> Control;
  TControlKind Kind;
};

std::vector<TControlSample> ControlSamples() {
  std::vector<TControlSample> samples;
  auto add = [&](TControl* control, TControlKind kind) {
    samples.push_back({std::unique_ptr<TControl>(control), kind});
  };
  add(new TControl(nullptr), ckControl);
  add(new TWinControl(nullptr), ckWinControl);
  add(new TStackPanel(nullptr), ckWinControl);
  add(new TTBXTextObject(nullptr), ckTextObject);
  add(new TTBXLabel(nullptr), ckLabel);
  add(new TTBXRadioButton(nullptr), ckRadioButton);
  add(new TOwnRadioButton(nullptr), ckRadioButton);
  add(new TTBXCheckBox(nullptr), ckCheckBox);
  add(new TTBXLink(nullptr), ckLink);
  add(new TTBXStatusBar(nullptr), ckStatusBar);
  add(new TTBXDock(nullptr), ckDock);
  add(new TTBXMultiDock(nullptr), ckDock);
  add(new TTBXDockablePanel(nullptr), ckDockablePanel);
  add(new TTBXToolbar(nullptr), ckToolbar);
  return samples;
}

// KindCast to T answers what a type test would, for every sample.
template <class T>
void ExpectKindCastIsTheTypeTest(const std::vector<TControlSample>& samples, const char* name) {
  for (const TControlSample& sample : samples) {
    TControl* control = sample.Control.get();
    EXPECT_EQ(KindCast<T>(control), dynamic_cast<T*>(control)) << control->ClassName() << " as " << name;
    const TControl* constant = control;
    EXPECT_EQ(KindCast<T>(constant), dynamic_cast<const T*>(constant)) << control->ClassName() << " as " << name;
  }
  EXPECT_EQ(KindCast<T>(static_cast<TControl*>(nullptr)), nullptr);
}

}  // namespace

// Every class answers its own kind; one that says nothing, a plug-in's subclass among them, keeps
// its base's.
TEST(TControlKind, EveryClassAnswersItsKindAndASubclassKeepsItsBases) {
  for (const TControlSample& sample : ControlSamples())
    EXPECT_EQ(sample.Control->Kind(), sample.Kind) << sample.Control->ClassName();
}

TEST(TControlKind, KindCastAnswersWhatATypeTestWould) {
  const auto samples = ControlSamples();
  ExpectKindCastIsTheTypeTest<TControl>(samples, "TControl");
  ExpectKindCastIsTheTypeTest<TWinControl>(samples, "TWinControl");
  ExpectKindCastIsTheTypeTest<TTBXTextObject>(samples, "TTBXTextObject");
  ExpectKindCastIsTheTypeTest<TTBXCustomLabel>(samples, "TTBXCustomLabel");
  ExpectKindCastIsTheTypeTest<TTBXCustomRadioButton>(samples, "TTBXCustomRadioButton");
  ExpectKindCastIsTheTypeTest<TTBXCustomCheckBox>(samples, "TTBXCustomCheckBox");
  ExpectKindCastIsTheTypeTest<TTBXCustomLink>(samples, "TTBXCustomLink");
  ExpectKindCastIsTheTypeTest<TTBXCustomStatusBar>(samples, "TTBXCustomStatusBar");
  ExpectKindCastIsTheTypeTest<TTBDock>(samples, "TTBDock");
  ExpectKindCastIsTheTypeTest<TTBCustomDockableWindow>(samples, "TTBCustomDockableWindow");
  ExpectKindCastIsTheTypeTest<TTBXCustomDockablePanel>(samples, "TTBXCustomDockablePanel");
  ExpectKindCastIsTheTypeTest<TTBCustomToolbar>(samples, "TTBCustomToolbar");
}

TEST(TItemKind, EveryItemClassAnswersItsKindAndKindCastFollowsIt) {
  TTBXToolbar toolbar(nullptr);
  TControl control(nullptr);
  struct TSample {
    std::unique_ptr<TTBCustomItem> Item;
    TItemKind Kind;
  };
  std::vector<TSample> samples;
  samples.push_back({std::make_unique<TTBCustomItem>(nullptr), ikItem});
  samples.push_back({std::make_unique<TTBXItem>(nullptr), ikItem});
  samples.push_back({std::make_unique<TTBXSubmenuItem>(nullptr), ikSubmenu});
  samples.push_back({std::make_unique<TTBXSeparatorItem>(nullptr), ikSeparator});
  samples.push_back({std::make_unique<TTBControlItem>(nullptr, &control), ikControl});
  samples.push_back({std::make_unique<TTBXVisibilityToggleItem>(nullptr), ikVisibilityToggle});
  samples.push_back({std::make_unique<TOwnToggleItem>(nullptr), ikVisibilityToggle});
  EXPECT_EQ(toolbar.Items()->Kind(), ikItem);
  for (const TSample& sample : samples) {
    TTBCustomItem* item = sample.Item.get();
    EXPECT_EQ(item->Kind(), sample.Kind) << item->ClassName();
    EXPECT_EQ(KindCast<TTBControlItem>(item), dynamic_cast<TTBControlItem*>(item)) << item->ClassName();
    EXPECT_EQ(KindCast<TTBXVisibilityToggleItem>(item), dynamic_cast<TTBXVisibilityToggleItem*>(item))
        << item->ClassName();
    EXPECT_EQ(KindCast<TTBXSeparatorItem>(item), dynamic_cast<TTBXSeparatorItem*>(item)) << item->ClassName();
  }
}
