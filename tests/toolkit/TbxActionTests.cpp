#include <gtest/gtest.h>

#include "TbxControls.h"

TEST(TActionExecute, ClickRunsOnClickElseTheEnabledAction) {
  TCustomAction action(nullptr);
  EXPECT_FALSE(action.Execute());  // no handler
  int executed = 0, clicked = 0;
  action.OnExecute = [&](TObject* sender) { executed += sender == &action; };
  TControl control(nullptr);
  control.SetAction(&action);
  control.Click();
  EXPECT_EQ(executed, 1);

  action.SetEnabled(false);
  EXPECT_FALSE(action.Execute());
  control.Click();
  EXPECT_EQ(executed, 1);

  action.SetEnabled(true);
  control.OnClick = [&](TObject*) { ++clicked; };
  control.Click();
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(executed, 1);
}

TEST(TActionLink, ControlFollowsTheActionItIsLinkedTo) {
  TCustomAction action(nullptr);
  action.SetCaption("Open");
  action.SetHint("Opens a file");
  action.SetEnabled(false);
  TControl control(nullptr);
  control.SetAction(&action);
  EXPECT_EQ(control.GetText(), "Open");
  EXPECT_EQ(control.GetHint(), "Opens a file");
  EXPECT_FALSE(control.GetEnabled());

  action.SetVisible(false);
  action.SetEnabled(true);
  EXPECT_FALSE(control.GetVisible());
  EXPECT_TRUE(control.GetEnabled());
  action.SetCaption("");  // an empty caption leaves the text alone
  EXPECT_EQ(control.GetText(), "Open");

  TCustomAction other(nullptr);
  control.SetAction(&other);
  EXPECT_EQ(action.ClientCount(), 0);
  action.SetCaption("Stale");
  EXPECT_EQ(control.GetText(), "Open");
  EXPECT_TRUE(control.GetVisible());
}

TEST(TActionLink, DestroyingEitherSideUnlinks) {
  auto* action = new TCustomAction(nullptr);
  auto* control = new TControl(nullptr);
  TControl survivor(nullptr);
  control->SetAction(action);
  survivor.SetAction(action);
  EXPECT_EQ(action->ClientCount(), 2);
  delete control;
  EXPECT_EQ(action->ClientCount(), 1);
  action->SetCaption("Still fine");
  EXPECT_EQ(survivor.GetText(), "Still fine");
  delete action;
  EXPECT_EQ(survivor.GetAction(), nullptr);
  survivor.Click();
}

TEST(TActionLink, ClientDestroyedDuringChangeIsNotTold) {
  TCustomAction action(nullptr);
  TControl killer(nullptr), other(nullptr);
  auto* victim = new TControl(nullptr);
  int victimTold = 0, otherTold = 0;
  action.AddClient(&killer, [&] { FreeAndNil(victim); });
  action.AddClient(victim, [&] { ++victimTold; });
  action.AddClient(&other, [&] { ++otherTold; });
  action.SetCaption("Go");
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(victimTold, 0);
  EXPECT_EQ(otherTold, 1);
  EXPECT_EQ(action.ClientCount(), 2);
  action.RemoveClient(&other);
  EXPECT_EQ(action.ClientCount(), 1);
}

// A client is told once per change whatever number of times it was added, by the last handler it
// gave; adding no client adds nothing.
TEST(TActionClients, AClientAddedAgainIsToldOnceByItsLastHandlerAndNoneIsNoClient) {
  TComponent client(nullptr);
  TCustomAction action(nullptr);
  int first = 0, second = 0;
  action.AddClient(nullptr, [&] { ++first; });
  EXPECT_EQ(action.ClientCount(), 0);
  action.AddClient(&client, [&] { ++first; });
  action.AddClient(&client, [&] { ++second; });
  EXPECT_EQ(action.ClientCount(), 1);
  action.SetCaption("Open");
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  action.RemoveClient(&client);
  EXPECT_FALSE(action.HasClients());
}

// The last client, removed by another's handler while the action tells them, is not told.
TEST(TActionClients, AClientRemovedWhileTheActionTellsIsNotTold) {
  TCustomAction action(nullptr);
  TComponent remover(nullptr), removed(nullptr);
  int removedTold = 0;
  action.AddClient(&remover, [&] { action.RemoveClient(&removed); });
  action.AddClient(&removed, [&] { ++removedTold; });
  action.SetCaption("Go");
  EXPECT_EQ(removedTold, 0);
  EXPECT_EQ(action.ClientCount(), 1);
}

// Linking the action a control follows again changes nothing the control was given since; an
// action that is no custom action gives the control nothing to follow.
TEST(TActionLink, TheSameActionAgainChangesNothingAndAPlainActionGivesNothing) {
  TCustomAction action(nullptr);
  action.SetCaption("Open");
  TControl control(nullptr);
  control.SetAction(&action);
  control.SetText("Mine");
  control.SetAction(&action);
  EXPECT_EQ(control.GetText(), "Mine");
  EXPECT_EQ(action.ClientCount(), 1);
  TBasicAction plain(nullptr);
  control.SetAction(&plain);
  EXPECT_EQ(control.GetText(), "Mine");
  EXPECT_TRUE(control.GetVisible());
}
