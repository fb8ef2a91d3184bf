#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "KolExceptions.h"
#include "TbxTextObjects.h"

using ::testing::ElementsAre;

namespace {

// Logs "<name>:<checked>" for every OnChange of the buttons it watches.
struct TChangeLog {
  std::vector<std::string> Entries;
  void Watch(TTBXCustomRadioButton& button, const std::string& name) {
    button.OnChange = [this, &button, name](TObject* sender) {
      EXPECT_EQ(sender, &button);
      Entries.push_back(name + ":" + (button.GetChecked() ? "on" : "off"));
    };
  }
};

std::unique_ptr<TTBXRadioButton> RadioIn(TWinControl* parent, int groupIndex) {
  auto button = std::make_unique<TTBXRadioButton>(nullptr);
  button->SetParent(parent);
  button->SetGroupIndex(groupIndex);
  return button;
}

TEST(TTBXRadioButton, CheckingUnchecksOnlyTheSiblingsOfTheSameGroupInTheSameParent) {
  TWinControl parent(nullptr), other(nullptr);
  auto a = RadioIn(&parent, 0), b = RadioIn(&parent, 0), c = RadioIn(&parent, 1), d = RadioIn(&other, 0);
  TTBXCheckBox box(nullptr);  // not a radio button: never touched
  box.SetParent(&parent);
  box.SetChecked(true);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_EQ(a->GetGroupIndex(), 0);
  a->SetChecked(true);
  c->SetChecked(true);
  d->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_TRUE(c->GetChecked());
  EXPECT_TRUE(d->GetChecked());
  EXPECT_TRUE(box.GetChecked());
  // Unchecking checks nobody else.
  b->SetChecked(false);
  EXPECT_FALSE(a->GetChecked());
  // Without a parent a button has no siblings.
  TTBXRadioButton alone(nullptr);
  alone.SetChecked(true);
  EXPECT_TRUE(alone.GetChecked());
}

TEST(TTBXRadioButton, OnChangeOncePerRealChangeWithTheUncheckedSiblingFirst) {
  TWinControl parent(nullptr);
  auto a = RadioIn(&parent, 0), b = RadioIn(&parent, 0);
  TChangeLog log;
  log.Watch(*a, "a");
  log.Watch(*b, "b");
  a->SetChecked(true);
  a->SetChecked(true);  // the current value: nothing
  b->SetChecked(true);
  b->SetChecked(false);
  b->SetChecked(false);
  EXPECT_THAT(log.Entries, ElementsAre("a:on", "a:off", "b:on", "b:off"));
}

TEST(TTBXRadioButton, AChangeUndoneByASiblingsHandlerIsNotReportedAfterTheUndoing) {
  TWinControl parent(nullptr);
  auto a = RadioIn(&parent, 0), b = RadioIn(&parent, 0);
  b->SetChecked(true);
  std::vector<std::string> log;
  a->OnChange = [&](TObject*) { log.push_back(std::string("a:") + (a->GetChecked() ? "on" : "off")); };
  // b insists on being the checked one.
  b->OnChange = [&](TObject*) {
    log.push_back(std::string("b:") + (b->GetChecked() ? "on" : "off"));
    if (!b->GetChecked()) b->SetChecked(true);
  };
  a->SetChecked(true);
  EXPECT_THAT(log, ElementsAre("b:off", "a:off", "b:on"));
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
}

TEST(TTBXRadioButton, ClickChecksFirstThenRunsOnClickOrTheAction) {
  TWinControl parent(nullptr);
  auto a = RadioIn(&parent, 0), b = RadioIn(&parent, 0);
  a->SetChecked(true);
  std::vector<std::string> log;
  b->OnChange = [&](TObject*) { log.push_back("change"); };
  b->OnClick = [&](TObject*) { log.push_back(std::string("click:") + (b->GetChecked() ? "on" : "off")); };
  b->Click();
  b->Click();  // the toolkit's button runs its click again, with no change
  EXPECT_THAT(log, ElementsAre("change", "click:on", "click:on"));
  EXPECT_FALSE(a->GetChecked());

  TCustomAction action(nullptr);
  int executed = 0;
  action.OnExecute = [&](TObject*) { ++executed; };
  a->SetAction(&action);
  a->Click();
  EXPECT_EQ(executed, 1);
  EXPECT_TRUE(a->GetChecked());
  EXPECT_FALSE(b->GetChecked());
}

TEST(TTBXRadioButton, ASiblingHandlerThatDestroysAnotherSiblingIsSafe) {
  TWinControl parent(nullptr);
  auto a = RadioIn(&parent, 0);
  auto* b = new TTBXRadioButton(nullptr);
  b->SetParent(&parent);
  auto* c = new TTBXRadioButton(nullptr);
  c->SetParent(&parent);
  b->SetChecked(true);
  // Force two checked siblings past the group rule, then let the first one destroy the second.
  c->SetParent(nullptr);
  c->SetChecked(true);
  c->SetParent(&parent);
  b->OnChange = [&](TObject*) { delete c; };
  a->SetChecked(true);
  EXPECT_FALSE(b->GetChecked());
  EXPECT_EQ(parent.GetControlCount(), 2);
  delete b;
}

// Checking a button finds its checked siblings from a record by parent and group; the record
// follows every way a button enters or leaves a group.
TEST(TTBXRadioButton, TheGroupFollowsButtonsThatMoveRegroupOrAreDestroyedWhileChecked) {
  TWinControl first(nullptr), second(nullptr);
  auto a = RadioIn(&first, 0), b = RadioIn(&first, 0), c = RadioIn(&second, 0);
  a->SetChecked(true);
  a->SetParent(&second);  // moved while checked: in its new group, no longer in the old
  b->SetChecked(true);
  EXPECT_TRUE(a->GetChecked());
  c->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());

  b->SetGroupIndex(7);  // regrouped while checked
  a->SetParent(&first);
  a->SetChecked(true);
  EXPECT_TRUE(b->GetChecked());
  a->SetGroupIndex(7);
  EXPECT_TRUE(b->GetChecked());  // entering a group changes nobody's state
  b->SetChecked(false);
  b->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());

  // A refused move (into itself) leaves the button in its group.
  EXPECT_THROW(b->SetParent(b.get()), Exception);
  a->SetChecked(true);
  EXPECT_FALSE(b->GetChecked());

  // A checked button destroyed, or whose parent is destroyed, is gone from the group.
  a.reset();
  b->SetChecked(true);
  EXPECT_TRUE(b->GetChecked());
  {
    TWinControl doomed(nullptr);
    c->SetParent(&doomed);
    EXPECT_TRUE(c->GetChecked());
  }
  EXPECT_EQ(c->GetParent(), nullptr);
  c->SetParent(&first);
  c->SetGroupIndex(7);
  b->SetChecked(true);
  EXPECT_TRUE(c->GetChecked());
  b->SetChecked(false);
  b->SetChecked(true);
  EXPECT_FALSE(c->GetChecked());
}

TEST(TTBXRadioButton, SeveralCheckedSiblingsAreUncheckedInChildOrder) {
  TWinControl parent(nullptr);
  auto a = RadioIn(&parent, 1), b = RadioIn(&parent, 0), c = RadioIn(&parent, 0);
  a->SetChecked(true);
  b->SetChecked(true);
  a->SetGroupIndex(0);  // joins b's group checked, after b did
  TChangeLog log;
  log.Watch(*a, "a");
  log.Watch(*b, "b");
  log.Watch(*c, "c");
  c->SetChecked(true);
  EXPECT_THAT(log.Entries, ElementsAre("a:off", "b:off", "c:on"));
}

// An arrow moves the choice to the next button of the group; with no other button to move to it
// is taken and changes nothing. Keys with modifiers, and keys other than arrows and Space, are
// left to the form.
TEST(TTBXRadioButton, ArrowsWithNowhereToGoChangeNothingAndOtherKeysAreLeftToTheForm) {
  TTBXRadioButton orphan(nullptr);
  EXPECT_TRUE(orphan.KeyDown(vkDown, {}));
  EXPECT_FALSE(orphan.GetChecked());

  TWinControl parent(nullptr);
  auto lone = RadioIn(&parent, 0), other = RadioIn(&parent, 1);
  for (TKey arrow : {vkDown, vkUp, vkLeft, vkRight}) EXPECT_TRUE(lone->KeyDown(arrow, {}));
  EXPECT_FALSE(lone->GetChecked());
  EXPECT_FALSE(other->GetChecked());

  EXPECT_FALSE(lone->KeyDown(vkSpace, {ssShift}));
  EXPECT_FALSE(lone->KeyDown(vkDown, {ssCtrl}));
  EXPECT_FALSE(lone->KeyDown(vkReturn, {}));
  EXPECT_FALSE(lone->GetChecked());
  EXPECT_TRUE(lone->KeyDown(vkSpace, {}));
  EXPECT_TRUE(lone->GetChecked());
}

TEST(TTBXCheckBox, CheckedIsTheCheckedStateAndSetStateTakesAnyState) {
  TTBXCheckBox box(nullptr);
  EXPECT_EQ(box.GetState(), cbUnchecked);
  EXPECT_FALSE(box.GetAllowGrayed());
  EXPECT_FALSE(box.GetChecked());
  box.SetState(cbGrayed);  // allowed without AllowGrayed
  EXPECT_EQ(box.GetState(), cbGrayed);
  EXPECT_FALSE(box.GetChecked());
  box.SetChecked(true);
  EXPECT_EQ(box.GetState(), cbChecked);
  box.SetState(cbGrayed);
  box.SetChecked(false);  // grayed is not checked, yet unchecking is a real change
  EXPECT_EQ(box.GetState(), cbUnchecked);
  EXPECT_THROW(box.SetState(static_cast<TCheckBoxState>(3)), EAssertionFailed);
  EXPECT_EQ(box.GetState(), cbUnchecked);
}

TEST(TTBXCheckBox, OnChangeOncePerRealChangeOfState) {
  TTBXCheckBox box(nullptr);
  std::vector<TCheckBoxState> seen;
  box.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &box);
    seen.push_back(box.GetState());
  };
  box.SetChecked(false);
  box.SetState(cbUnchecked);
  box.SetChecked(true);
  box.SetChecked(true);
  box.SetState(cbChecked);
  box.SetState(cbGrayed);
  box.SetChecked(false);
  EXPECT_THAT(seen, ElementsAre(cbChecked, cbGrayed, cbUnchecked));
}

TEST(TTBXCheckBox, ClicksCycleThroughGrayedOnlyWhenAllowed) {
  TTBXCheckBox box(nullptr);
  std::vector<std::string> log;
  box.OnChange = [&](TObject*) { log.push_back("change:" + EnumIdentifier(box.GetState())); };
  box.OnClick = [&](TObject*) { log.push_back("click"); };
  box.Click();
  box.Click();
  EXPECT_THAT(log, ElementsAre("change:cbChecked", "click", "change:cbUnchecked", "click"));

  log.clear();
  box.SetAllowGrayed(true);
  box.Click();
  box.Click();
  box.Click();
  EXPECT_THAT(log, ElementsAre("change:cbChecked", "click", "change:cbGrayed", "click", "change:cbUnchecked", "click"));

  // A configured grayed state leaves to unchecked on a click even when grayed is not allowed.
  box.SetAllowGrayed(false);
  box.SetState(cbGrayed);
  box.Click();
  EXPECT_EQ(box.GetState(), cbUnchecked);
}

TEST(TTBXLink, ImagesIsAGuardedReferenceAndImageIndexStartsAtNone) {
  TTBXLink link(nullptr);
  EXPECT_EQ(link.GetImages(), nullptr);
  EXPECT_EQ(link.GetImageIndex(), -1);
  auto* images = new TCustomImageList(nullptr);
  link.SetImages(images);
  link.SetImageIndex(images->Add("open.png"));
  EXPECT_EQ(link.GetImages(), images);
  EXPECT_EQ(link.GetImageIndex(), 0);
  delete images;  // the link does not own its images and lets go of them
  EXPECT_EQ(link.GetImages(), nullptr);
}

// Only an index inside the list shows an image, which then stands before the text.
TEST(TTBXLink, AnImageShowsOnlyForAnIndexInTheList) {
  TCustomImageList images(nullptr);
  images.Add("open.png");
  images.Add("save.png");
  TTBXLink link(nullptr);
  link.SetText("Open");
  link.SetAutoSize(false);
  link.SetBounds(0, 0, 120, 20);
  link.SetImages(&images);
  for (int index : {-1, 2, 5}) {
    link.SetImageIndex(index);
    EXPECT_FALSE(link.HasImage()) << index;
    EXPECT_EQ(link.GetImageRect(), TRect{}) << index;
    EXPECT_EQ(link.GetTextRect().Left, 0) << index;
  }
  link.SetImageIndex(1);
  EXPECT_TRUE(link.HasImage());
  EXPECT_EQ(link.GetImageRect(), (TRect{0, 2, 16, 16}));
  EXPECT_EQ(link.GetTextRect().Left, 16 + 4);
}

// Enter and Space follow a link; with a modifier, or any other key, it is left to the form.
TEST(TTBXLink, EnterAndSpaceWithoutModifiersFollowTheLink) {
  TTBXLink link(nullptr);
  int clicks = 0;
  link.OnClick = [&](TObject*) { ++clicks; };
  EXPECT_FALSE(link.KeyDown(vkReturn, {ssCtrl}));
  EXPECT_FALSE(link.KeyDown(vkSpace, {ssShift}));
  EXPECT_FALSE(link.KeyDown(vkDown, {}));
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(link.KeyDown(vkReturn, {}));
  EXPECT_TRUE(link.KeyDown(vkSpace, {}));
  EXPECT_EQ(clicks, 2);
}

}  // namespace
