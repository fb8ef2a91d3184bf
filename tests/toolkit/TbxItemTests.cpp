#include <gtest/gtest.h>

#include <memory>

#include "KolExceptions.h"
#include "TbxToolbars.h"
#include "TbxLayoutCounters.h"

namespace {

TTBXItem* NewItem(TComponent* owner, const std::string& caption) {
  auto* item = new TTBXItem(owner);
  item->SetCaption(caption);
  return item;
}

TEST(TbxItems, SubItemsAreContentsAndOwnershipIsSeparate) {
  TComponent owner(nullptr);
  auto* menu = new TTBXSubmenuItem(&owner);
  auto* a = NewItem(&owner, "a");
  auto* b = NewItem(nullptr, "b");
  menu->Add(a);
  menu->Insert(0, b);
  EXPECT_EQ(menu->IndexOf(a), 1);
  EXPECT_EQ(a->GetParent(), menu);
  TGuard<TComponent> guardA = a, guardB = b;
  delete menu;  // destroys its sub-items, whoever owns them
  EXPECT_EQ(guardA.get(), nullptr);
  EXPECT_EQ(guardB.get(), nullptr);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(TbxItems, DestroyingAnItemTakesItOutOfItsParent) {
  TTBXSubmenuItem menu(nullptr);
  auto* a = NewItem(nullptr, "a");
  menu.Add(a);
  menu.Add(NewItem(nullptr, "b"));
  delete a;
  ASSERT_EQ(menu.Count(), 1);
  EXPECT_EQ(menu.GetItem(0)->GetCaption(), "b");
  menu.Delete(0);
  EXPECT_EQ(menu.Count(), 0);
}

TEST(TbxItems, AnItemStandsInOneParentOnly) {
  TTBXSubmenuItem first(nullptr), second(nullptr);
  auto* a = NewItem(&first, "a");
  first.Add(a);
  EXPECT_THROW(second.Add(a), Exception);
  EXPECT_THROW(a->Add(&first), Exception);  // no cycles
  EXPECT_THROW(first.Insert(5, NewItem(&first, "late")), Exception);
  first.Remove(a);
  second.Add(a);
  EXPECT_EQ(a->GetParent(), &second);
  EXPECT_THROW(second.GetItem(3), Exception);
}

TEST(TbxItems, ControlItemForgetsItsControlAndNeverDestroysIt) {
  TWinControl parent(nullptr);
  auto* control = new TControl(nullptr);
  auto* item = new TTBControlItem(nullptr, control);
  EXPECT_EQ(item->GetControl(), control);
  delete control;
  EXPECT_EQ(item->GetControl(), nullptr);
  TControl kept(nullptr);
  item->SetControl(&kept);
  delete item;
  EXPECT_EQ(kept.GetParent(), nullptr);  // still alive and usable
}

TEST(TbxItems, ItemsFollowTheirActionAndClickRunsIt) {
  TComponent owner(nullptr);
  auto* action = new TCustomAction(&owner);
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  action->SetCaption("Open");
  action->SetImageIndex(3);
  auto* item = NewItem(&owner, "");
  item->SetAction(action);
  EXPECT_EQ(item->GetCaption(), "Open");
  EXPECT_EQ(item->GetImageIndex(), 3);
  action->SetVisible(false);
  EXPECT_FALSE(item->GetVisible());
  item->Click();
  EXPECT_EQ(runs, 1);
  delete action;
  EXPECT_EQ(item->GetAction(), nullptr);
  item->Click();
  EXPECT_EQ(runs, 1);
}

TEST(TbxItems, AVisibilityToggleFlipsItsControlAndForgetsItWhenDestroyed) {
  TTBXVisibilityToggleItem toggle(nullptr);
  int clicks = 0;
  toggle.OnClick = [&](TObject*) { ++clicks; };
  toggle.Click();  // without a control only the click runs
  auto* panel = new TWinControl(nullptr);
  toggle.SetControl(panel);
  EXPECT_TRUE(toggle.GetChecked());
  toggle.Click();
  EXPECT_FALSE(panel->GetVisible());
  EXPECT_FALSE(toggle.GetChecked());
  toggle.Click();
  EXPECT_TRUE(panel->GetVisible());
  EXPECT_EQ(clicks, 3);
  delete panel;
  EXPECT_EQ(toggle.GetControl(), nullptr);
}

TEST(TbxItems, FontSettingsKeepTheirSizeInRange) {
  TTBXItem item(nullptr);
  TFontSettings& font = item.FontSettings();
  EXPECT_EQ(font.GetSize(), 100);
  EXPECT_EQ(font.GetBold(), tsDefault);
  EXPECT_EQ(font.GetColor(), clDefault);
  font.SetSize(25);
  font.SetSize(1000);
  EXPECT_THROW(font.SetSize(24), Exception);
  EXPECT_THROW(font.SetSize(1001), Exception);
  EXPECT_EQ(font.GetSize(), 1000);
}

// A parent item takes a sub-item built apart as its content; one it refuses goes at once.
TEST(TbxItems, AParentTakesASubItemBuiltApartAndOneItRefusesGoes) {
  TTBXSubmenuItem parent(nullptr);
  TTBXItem* first = parent.Add(std::make_unique<TTBXItem>(nullptr));
  TTBXItem* before = parent.Insert(0, std::make_unique<TTBXItem>(nullptr));
  EXPECT_EQ(parent.IndexOf(first), 1);
  EXPECT_EQ(parent.IndexOf(before), 0);
  EXPECT_EQ(first->GetParent(), &parent);
  auto refused = std::make_unique<TTBXItem>(nullptr);
  TGuard<TComponent> watched = refused.get();
  EXPECT_THROW(parent.Insert(5, std::move(refused)), Exception);
  EXPECT_EQ(watched.get(), nullptr);
  EXPECT_EQ(parent.Count(), 2);
  TGuard<TComponent> content = first;
  parent.Clear();
  EXPECT_EQ(content.get(), nullptr);  // its parent's content, destroyed with the rest
}

TEST(TbxToolbars, TheToolbarDestroysItsTreeAndCountsUpdateBrackets) {
  auto* toolbar = new TTBXToolbar(nullptr);
  auto* a = NewItem(toolbar, "a");
  toolbar->Items()->Add(a);
  TComponent elsewhere(nullptr);
  auto* foreign = NewItem(&elsewhere, "foreign");
  toolbar->Items()->Add(foreign);
  EXPECT_EQ(a->GetToolbar(), toolbar);
  TTbxLayoutProbe probe(*toolbar);
  toolbar->BeginUpdate();
  toolbar->BeginUpdate();
  toolbar->EndUpdate();
  EXPECT_TRUE(toolbar->IsUpdating());
  EXPECT_EQ(probe.CompletedUpdates(), 0);
  toolbar->EndUpdate();
  EXPECT_FALSE(toolbar->IsUpdating());
  EXPECT_EQ(probe.CompletedUpdates(), 1);
  EXPECT_THROW(toolbar->EndUpdate(), EAssertionFailed);
  TGuard<TComponent> guard = foreign;
  delete toolbar;
  EXPECT_EQ(guard.get(), nullptr);  // an item in the tree goes with it, whoever owns it
  EXPECT_EQ(elsewhere.ComponentCount(), 0);
}

TEST(TbxDocks, PositionAlignsTheDockAndDockableWindowsDockWhenParented) {
  TWinControl window(nullptr);
  window.SetBounds(0, 0, 400, 300);
  TTBXDock dock(nullptr);
  dock.SetParent(&window);
  EXPECT_EQ(dock.GetAlign(), alTop);
  dock.SetPosition(dpRight);
  EXPECT_EQ(dock.GetAlign(), alRight);
  TTBXToolbar toolbar(nullptr);
  EXPECT_TRUE(toolbar.GetFloating());
  toolbar.SetParent(&dock);
  EXPECT_EQ(toolbar.GetCurrentDock(), &dock);
  EXPECT_EQ(toolbar.GetDockableTo(), (TTBDockPositions{dpTop, dpBottom, dpLeft, dpRight}));
}

TEST(TbxItems, ANilItemFailsAnAssertionOfTheItemsUnit) {
  TTBXSubmenuItem parent(nullptr);
  try {
    parent.Insert(0, nullptr);
    ADD_FAILURE() << "a nil item was inserted";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), "Framework\\Source\\Platform\\Toolkit\\TbxItems");
  }
  EXPECT_EQ(parent.Count(), 0);
}

}  // namespace
