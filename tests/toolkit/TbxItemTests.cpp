#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "KolExceptions.h"
#include "TbxToolbars.h"
#include "TbxLayoutCounters.h"
#include "TbxRecordingPeers.h"
#include "TbxTestComponents.h"

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

// What the item was given itself stays when its action changes; what it takes from the action
// follows the action.
TEST(TbxItems, AnItemKeepsItsOwnCaptionHintAndImageWhenItsActionChanges) {
  TComponent owner(nullptr);
  auto* action = new TCustomAction(&owner);
  action->SetCaption("Open");
  action->SetHint("Opens a file");
  action->SetImageIndex(3);
  auto* own = NewItem(&owner, "");
  own->SetAction(action);
  own->SetCaption("Open...");
  own->SetHint("Mine");
  own->SetImageIndex(5);
  auto* follower = NewItem(&owner, "");
  follower->SetAction(action);

  action->SetVisible(false);  // what a merge does with INUVActionState
  action->SetCaption("Open a file");
  action->SetHint("Another hint");
  action->SetImageIndex(4);
  EXPECT_EQ(own->GetCaption(), "Open...");
  EXPECT_EQ(own->GetHint(), "Mine");
  EXPECT_EQ(own->GetImageIndex(), 5);
  EXPECT_FALSE(own->GetVisible());
  EXPECT_EQ(follower->GetCaption(), "Open a file");
  EXPECT_EQ(follower->GetHint(), "Another hint");
  EXPECT_EQ(follower->GetImageIndex(), 4);

  // An empty caption is none of the item's own: the action's shows again at its next change.
  own->SetCaption("");
  action->SetCaption("Open it");
  EXPECT_EQ(own->GetCaption(), "Open it");
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

// What an item shows reaches its toolbar, which draws and lays its items out again; a value set
// to what it was reaches nothing.
TEST(TbxItems, AChangeAnItemShowsReachesItsToolbarOnceAndTheSameValueNotAtAll) {
  TRecordingPeers peers;
  TTBXToolbar toolbar(nullptr);
  auto* item = NewItem(&toolbar, "Open");
  auto* menu = new TTBXSubmenuItem(&toolbar);
  auto* inner = NewItem(&toolbar, "Inner");
  toolbar.Items()->Add(item);
  toolbar.Items()->Add(menu);
  menu->Add(inner);
  const TPeerLog& log = peers.Watch(toolbar);
  TFontSettings& font = item->FontSettings();
  const TSteps steps{
      {"caption", [&] { item->SetCaption("Save"); }},
      {"enabled", [&] { item->SetEnabled(false); }},
      {"visible", [&] { item->SetVisible(false); }},
      {"image index", [&] { item->SetImageIndex(2); }},
      {"font size", [&] { font.SetSize(150); }},
      {"bold", [&] { font.SetBold(tsTrue); }},
      {"italic", [&] { font.SetItalic(tsTrue); }},
      {"underline", [&] { font.SetUnderline(tsFalse); }},
      {"strike-out", [&] { font.SetStrikeOut(tsTrue); }},
      {"font name", [&] { font.SetName("Serif"); }},
      {"font colour", [&] { font.SetColor(clRed); }},
      {"a sub-item's caption", [&] { inner->SetCaption("Deeper"); }},
  };
  ExpectRedrawnOnlyByChanges(log, steps, TRedraws::AtLeastOnce);
  EXPECT_GE(Repaints(log, [&] { toolbar.Items()->Remove(menu); }), 1);
  EXPECT_EQ(menu->GetParent(), nullptr);
  delete menu;
  // An item on no toolbar changes alone.
  TTBXItem loose(nullptr);
  loose.SetCaption("Loose");
  loose.FontSettings().SetBold(tsTrue);
  EXPECT_EQ(loose.GetToolbar(), nullptr);
}

TEST(TbxItems, FontSettingsApplyTheirOwnStylesNameAndColourOverTheBaseFont) {
  TFont base;
  base.SetName("Sans");
  base.SetSize(10);
  base.SetColor(clBlue);
  base.SetStyle(TFontStyles{fsBold, fsItalic});
  TFontSettings settings;
  TFont font;
  settings.Apply(base, font);  // the defaults change nothing
  EXPECT_EQ(font.GetName(), "Sans");
  EXPECT_EQ(font.GetSize(), 10);
  EXPECT_EQ(font.GetColor(), clBlue);
  EXPECT_EQ(font.GetStyle(), (TFontStyles{fsBold, fsItalic}));
  settings.SetBold(tsFalse);
  settings.SetUnderline(tsTrue);
  settings.SetName("Serif");
  settings.SetColor(clRed);
  settings.SetSize(125);
  settings.Apply(base, font);
  EXPECT_EQ(font.GetStyle(), (TFontStyles{fsItalic, fsUnderline}));
  EXPECT_EQ(font.GetName(), "Serif");
  EXPECT_EQ(font.GetColor(), clRed);
  EXPECT_EQ(font.GetSize(), 13);  // 12.5 points round to 13
  settings.SetSize(25);
  base.SetSize(1);
  settings.Apply(base, font);
  EXPECT_EQ(font.GetSize(), 1);  // never below one point
}

TEST(TbxItems, IndexesOutsideTheItemsAreRefusedAndAStrangerIsNotRemoved) {
  TTBXSubmenuItem menu(nullptr);
  menu.Insert(0, NewItem(nullptr, "a"));
  menu.Insert(1, NewItem(nullptr, "c"));  // at the end
  menu.Insert(1, NewItem(nullptr, "b"));
  EXPECT_EQ(menu.GetItem(0)->GetCaption(), "a");
  EXPECT_EQ(menu.GetItem(2)->GetCaption(), "c");
  EXPECT_THROW(menu.GetItem(3), Exception);
  EXPECT_THROW(menu.GetItem(-1), Exception);
  auto* late = NewItem(nullptr, "late");
  EXPECT_THROW(menu.Insert(-1, late), Exception);
  EXPECT_THROW(menu.Insert(4, late), Exception);
  EXPECT_EQ(late->GetParent(), nullptr);
  TTBXItem stranger(nullptr);
  menu.Remove(&stranger);
  menu.Remove(late);
  EXPECT_EQ(menu.Count(), 3);
  delete late;
  // Delete takes the item out before destroying it: one who hears of its end finds the menu
  // without it.
  TCallbackSink sink;
  TTBCustomItem* first = menu.GetItem(0);
  sink.Watch(first);
  int countHeard = -1;
  sink.OnFreed = [&](TComponent*) { countHeard = menu.Count(); };
  menu.Delete(0);
  EXPECT_EQ(sink.Freed, (std::vector<TComponent*>{first}));
  EXPECT_EQ(countHeard, 2);
  EXPECT_EQ(menu.GetItem(0)->GetCaption(), "b");
}

TEST(TbxItems, ADisabledItemIgnoresClicksAndAnItemTakesImageZeroAsAnImage) {
  TComponent owner(nullptr);
  auto* action = new TCustomAction(&owner);
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  auto* follower = NewItem(&owner, "");
  follower->SetAction(action);
  auto* own = NewItem(&owner, "");
  own->SetAction(action);
  own->SetImageIndex(0);  // image 0 is an image of its own too
  action->SetImageIndex(0);
  EXPECT_EQ(follower->GetImageIndex(), 0);
  action->SetImageIndex(7);
  EXPECT_EQ(own->GetImageIndex(), 0);
  EXPECT_EQ(follower->GetImageIndex(), 7);
  follower->SetEnabled(false);
  follower->Click();
  EXPECT_EQ(runs, 0);
  follower->SetEnabled(true);
  follower->Click();
  EXPECT_EQ(runs, 1);
  // An action that is not a custom action has nothing for the item to follow.
  auto* basic = new TBasicAction(&owner);
  follower->SetAction(basic);
  EXPECT_EQ(follower->GetImageIndex(), 7);
}

// A control item brings its control onto the toolbar it joins at the top level, shows and hides
// it with itself, and lets it go when it leaves, unless the control went elsewhere meanwhile.
TEST(TbxItems, AControlItemCarriesItsControlOntoItsToolbarAndLetsItGoThere) {
  TWinControl window(nullptr);
  TTBXToolbar toolbar(nullptr);
  TControl control(nullptr), nested(nullptr);
  toolbar.BeginUpdate();
  auto* item = new TTBControlItem(&toolbar, &control);
  toolbar.Items()->Add(item);
  EXPECT_EQ(control.GetParent(), &toolbar);  // at once, though the toolbar lays out later
  toolbar.EndUpdate();
  auto* menu = new TTBXSubmenuItem(&toolbar);
  toolbar.Items()->Add(menu);
  menu->Add(new TTBControlItem(&toolbar, &nested));
  EXPECT_EQ(nested.GetParent(), nullptr);  // a sub-item's control is not the toolbar's
  item->SetVisible(false);
  EXPECT_FALSE(control.GetVisible());
  item->SetVisible(true);
  EXPECT_TRUE(control.GetVisible());
  toolbar.Items()->Remove(item);
  EXPECT_EQ(control.GetParent(), nullptr);
  toolbar.Items()->Add(item);
  control.SetParent(&window);  // moved away by someone else
  toolbar.Items()->Remove(item);
  EXPECT_EQ(control.GetParent(), &window);
  // An item whose control is gone leaves quietly, and a hidden item without control too.
  toolbar.Items()->Add(item);
  item->SetControl(nullptr);
  item->SetVisible(false);
  toolbar.Items()->Remove(item);
  delete item;
}

TEST(TbxItems, AControlItemGivenTheControlItHoldsChangesNothing) {
  TRecordingPeers peers;
  TTBXToolbar toolbar(nullptr);
  TControl control(nullptr), other(nullptr);
  auto* item = new TTBControlItem(&toolbar, &control);
  toolbar.Items()->Add(item);
  const TPeerLog& log = peers.Watch(toolbar);
  EXPECT_EQ(Repaints(log, [&] { item->SetControl(&control); }), 0);
  EXPECT_GE(Repaints(log, [&] { item->SetControl(&other); }), 1);
  EXPECT_EQ(item->GetControl(), &other);
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
