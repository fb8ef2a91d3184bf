#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "KolXml.h"
#include "TbxDockablePanels.h"
#include "TbxStatusBars.h"
#include "TbxLayoutCounters.h"
#include "TbxMetrics.h"
#include "TbxRecordingPeers.h"

namespace {
// A panel that writes to a log when it is destroyed.
class TLoggedPanel : public TTBXStatusPanel {
 public:
  TLoggedPanel(TTBXStatusPanels* panels, std::vector<std::string>& log, std::string name)
      : TTBXStatusPanel(panels), FLog(log), FName(std::move(name)) {}
  ~TLoggedPanel() override { FLog.push_back(FName); }

 private:
  std::vector<std::string>& FLog;
  std::string FName;
};
}  // namespace

TEST(TTBXStatusBar, Defaults) {
  TTBXStatusBar bar(nullptr);
  EXPECT_TRUE(bar.GetSizeGrip());
  EXPECT_EQ(bar.GetImages(), nullptr);
  EXPECT_FALSE(bar.GetSimplePanel());
  EXPECT_EQ(bar.GetSimpleText(), "");
  EXPECT_EQ(bar.Panels().Count(), 0);
  EXPECT_EQ(bar.GetAlign(), alBottom);

  TTBXStatusPanel& panel = *bar.Panels().Add();
  EXPECT_EQ(panel.GetCaption(), "");
  EXPECT_EQ(panel.GetAlignment(), taLeftJustify);
  EXPECT_TRUE(panel.GetFramed());
  EXPECT_EQ(panel.GetHint(), "");
  EXPECT_EQ(panel.GetSize(), 50);
  EXPECT_EQ(panel.GetMaxSize(), 0);
  EXPECT_EQ(panel.GetStretchPriority(), 0);
  EXPECT_EQ(panel.GetTextTruncation(), twNone);
  EXPECT_EQ(panel.GetImageIndex(), -1);
  EXPECT_EQ(panel.GetControl(), nullptr);
  EXPECT_EQ(panel.GetDisplayName(), "");
}

TEST(TTBXStatusBar, PanelsJoinInOrderLeaveWhenDestroyedAndGoWithTheBarFirstToLast) {
  std::vector<std::string> log;
  auto bar = std::make_unique<TTBXStatusBar>(nullptr);
  auto* a = bar->Panels().Add(std::make_unique<TLoggedPanel>(&bar->Panels(), log, "a"));
  auto* b = bar->Panels().Add(std::make_unique<TLoggedPanel>(&bar->Panels(), log, "b"));
  auto* c = bar->Panels().Add(std::make_unique<TLoggedPanel>(&bar->Panels(), log, "c"));
  EXPECT_EQ(bar->Panels().Count(), 3);
  EXPECT_EQ(bar->Panels().GetItem(0), a);
  EXPECT_EQ(c->GetIndex(), 2);
  EXPECT_EQ(c->GetCollection(), &bar->Panels());
  EXPECT_EQ(&c->GetCollection()->GetStatusBar(), bar.get());
  delete b;
  EXPECT_EQ(bar->Panels().Count(), 2);
  EXPECT_EQ(bar->Panels().GetItem(0), a);
  EXPECT_EQ(bar->Panels().GetItem(1), c);
  EXPECT_THROW(bar->Panels().GetItem(2), Exception);
  EXPECT_THROW(bar->Panels().GetItem(-1), Exception);
  bar.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"b", "a", "c"}));
}

// A panel made for a collection is not in it until it is added, and only that collection takes it.
TEST(TTBXStatusBar, APanelJoinsTheCollectionItWasMadeForWhenItIsAdded) {
  TTBXStatusBar bar(nullptr), other(nullptr);
  auto panel = std::make_unique<TTBXStatusPanel>(&bar.Panels());
  EXPECT_EQ(bar.Panels().Count(), 0);
  EXPECT_EQ(panel->GetIndex(), -1);
  EXPECT_THROW(other.Panels().Add(std::move(panel)), EAssertionFailed);  // and it goes
  TTBXStatusPanel* added = bar.Panels().Add(std::make_unique<TTBXStatusPanel>(&bar.Panels()));
  EXPECT_EQ(added->GetIndex(), 0);
  EXPECT_EQ(other.Panels().Count(), 0);
}

TEST(TTBXStatusBar, StretchPriorityAndTruncationRefuseWhatThePanelCannotShow) {
  TTBXStatusBar bar(nullptr);
  TTBXStatusPanel& panel = *bar.Panels().Add();
  panel.SetStretchPriority(100);
  panel.SetStretchPriority(0);
  EXPECT_THROW(panel.SetStretchPriority(101), Exception);
  EXPECT_THROW(panel.SetStretchPriority(-1), Exception);
  EXPECT_EQ(panel.GetStretchPriority(), 0);
  panel.SetTextTruncation(twPathEllipsis);
  EXPECT_THROW(panel.SetTextTruncation(twWrap), Exception);
  EXPECT_EQ(panel.GetTextTruncation(), twPathEllipsis);
}

TEST(TTBXStatusBar, TruncationTypeInformationNamesOnlyTheThreeTruncations) {
  const TEnumTypeInfo& info = TextTruncationTypeInfo();
  EXPECT_EQ(info.Name(), "TTextTruncation");
  EXPECT_EQ(info.Identifiers(), (std::vector<std::string>{"twNone", "twEndEllipsis", "twPathEllipsis"}));
  EXPECT_EQ(GetEnumValue("pathellipsis", info, "tw"), twPathEllipsis);
  EXPECT_THROW(GetEnumValue("Wrap", info, "tw"), EConfigurationError);
}

TEST(TTBXStatusBar, PanelControlIsParentedToTheBarAndForgottenWhenDestroyed) {
  TWinControl window(nullptr);
  TTBXStatusBar bar(nullptr);
  bar.SetParent(&window);
  TTBXStatusPanel& panel = *bar.Panels().Add();
  auto* control = new TControl(nullptr);
  panel.SetControl(control);
  EXPECT_EQ(panel.GetControl(), control);
  EXPECT_EQ(control->GetParent(), &bar);
  delete control;
  EXPECT_EQ(panel.GetControl(), nullptr);
  // A control that holds the bar cannot sit inside it.
  EXPECT_THROW(panel.SetControl(&bar), Exception);
  EXPECT_THROW(panel.SetControl(&window), Exception);
  EXPECT_EQ(panel.GetControl(), nullptr);
  EXPECT_EQ(bar.GetParent(), &window);
}

TEST(TTBXStatusBar, DestroyingTheBarLetsItsPanelControlsGo) {
  TControl control(nullptr);
  auto bar = std::make_unique<TTBXStatusBar>(nullptr);
  bar->Panels().Add()->SetControl(&control);
  bar.reset();
  EXPECT_EQ(control.GetParent(), nullptr);
}

TEST(TTBXStatusBar, ImagesAreForgottenWhenTheListIsDestroyed) {
  TTBXStatusBar bar(nullptr);
  auto* images = new TCustomImageList(nullptr);
  bar.SetImages(images);
  EXPECT_EQ(bar.GetImages(), images);
  delete images;
  EXPECT_EQ(bar.GetImages(), nullptr);
}

// A bar with 300 pixels for its panels beside the size grip, and three panels of the default size
// that hold a control each.
struct TThreePanelBar {
  TThreePanelBar() { Bar.SetBounds(0, 0, 316, 22); }
  TTBXStatusPanel* PanelHolding(TControl& control) {
    auto* panel = Bar.Panels().Add();
    panel->SetControl(&control);
    return panel;
  }
  TTBXStatusBar Bar{nullptr};
  TControl A{nullptr}, B{nullptr}, C{nullptr};
  TTBXStatusPanel* First = PanelHolding(A);
  TTBXStatusPanel* Second = PanelHolding(B);
  TTBXStatusPanel* Third = PanelHolding(C);
};

TEST(TTBXStatusBar, PanelsShareTheFreeWidthByStretchPriorityUpToTheirMaxSize) {
  TThreePanelBar bar;
  // 150 free: the second takes 3/4, the third 1/4 capped at its MaxSize.
  bar.Second->SetStretchPriority(60);
  bar.Third->SetStretchPriority(20);
  bar.Third->SetMaxSize(70);
  EXPECT_EQ(bar.First->GetBounds().Left, 0);
  EXPECT_EQ(bar.First->GetBounds().Width, 50);
  EXPECT_EQ(bar.Second->GetBounds().Left, 50);
  EXPECT_EQ(bar.Second->GetBounds().Width, 162);
  EXPECT_EQ(bar.Third->GetBounds().Left, 212);
  EXPECT_EQ(bar.Third->GetBounds().Width, 70);
  EXPECT_EQ(bar.Third->GetBounds().Bottom(), bar.Bar.GetHeight());
  // Each control fills its panel inside the frame.
  EXPECT_EQ(bar.A.GetBoundsRect(), bar.First->GetContentRect());
  EXPECT_EQ(bar.C.GetBoundsRect(), bar.Third->GetContentRect());
  EXPECT_TRUE(bar.Third->GetBounds().Encloses(bar.C.GetBoundsRect()));
  bar.First->SetSize(0);  // a panel of size 0 takes no room of its own
  EXPECT_EQ(bar.First->GetBounds().Width, 0);
  EXPECT_EQ(bar.Second->GetBounds().Left, 0);
  bar.Bar.SetSizeGrip(false);
  EXPECT_EQ(bar.Second->GetBounds().Width, 50 + 216 * 60 / 80);
}

TEST(TTBXStatusBar, PanelsOfAbsurdSizeAreCutOffAtTheSizeGrip) {
  TThreePanelBar bar;
  // The sizes add up far past int: the first panel reaches the size grip, and the panels after
  // it start there with no width; their controls get no room.
  bar.First->SetSize(INT_MAX);
  bar.Second->SetSize(INT_MAX);
  EXPECT_EQ(bar.First->GetBounds().Left, 0);
  EXPECT_EQ(bar.First->GetBounds().Width, 300);
  EXPECT_EQ(bar.Second->GetBounds().Left, 300);
  EXPECT_EQ(bar.Second->GetBounds().Width, 0);
  EXPECT_EQ(bar.Third->GetBounds().Left, 300);
  EXPECT_TRUE(bar.C.GetBoundsRect().Empty());
  bar.First->SetSize(INT_MIN);  // no room of its own, however negative
  EXPECT_EQ(bar.First->GetBounds().Width, 0);
  EXPECT_EQ(bar.Second->GetBounds().Left, 0);
  EXPECT_EQ(bar.Second->GetBounds().Width, 300);

  // A bar far wider than any control can be is held to the largest extent, and a panel stretches
  // up to what that leaves.
  bar.Second->SetSize(50);
  bar.Third->SetStretchPriority(100);
  bar.Bar.SetWidth(INT_MAX);
  EXPECT_EQ(bar.Bar.GetWidth(), MaxControlExtent);
  EXPECT_EQ(bar.Third->GetBounds().Left, 50);
  EXPECT_EQ(bar.Third->GetBounds().Right(), MaxControlExtent - TTBXCustomStatusBar::SizeGripWidth);
}

TEST(TTBXStatusBar, UpdatesNestAndLayOutOnceAtTheOutermostEnd) {
  TTBXStatusBar bar(nullptr);
  bar.SetBounds(0, 0, 216, 22);
  TControl control(nullptr);
  auto* panel = bar.Panels().Add();
  panel->SetControl(&control);
  TTbxLayoutProbe probe(bar);
  bar.BeginUpdate();
  bar.BeginUpdate();
  panel->SetSize(80);
  bar.EndUpdate();
  EXPECT_TRUE(bar.IsUpdating());
  EXPECT_EQ(probe.CompletedUpdates(), 0);
  EXPECT_EQ(panel->GetBounds().Width, 50);
  bar.EndUpdate();
  EXPECT_FALSE(bar.IsUpdating());
  EXPECT_EQ(probe.CompletedUpdates(), 1);
  EXPECT_EQ(panel->GetBounds().Width, 80);
  EXPECT_EQ(control.GetBoundsRect(), panel->GetContentRect());
  EXPECT_THROW(bar.EndUpdate(), EAssertionFailed);
}

// The layout at the outermost EndUpdate resizes the panels' controls, whose handlers may raise:
// the bracket is closed by then, so the next one starts from zero.
TEST(TTBXStatusBar, AnUpdateEndsEvenWhenALaidOutControlRaises) {
  TTBXStatusBar bar(nullptr);
  bar.SetBounds(0, 0, 216, 22);
  TTBXDockablePanel control(nullptr);
  auto* panel = bar.Panels().Add();
  panel->SetControl(&control);
  control.OnResize = [](TObject*) { throw Exception("resize refused"); };
  TTbxLayoutProbe probe(bar);
  bar.BeginUpdate();
  panel->SetSize(80);
  EXPECT_THROW(bar.EndUpdate(), Exception);
  EXPECT_FALSE(bar.IsUpdating());
  EXPECT_EQ(probe.CompletedUpdates(), 1);
  control.OnResize = nullptr;
  bar.BeginUpdate();
  bar.EndUpdate();
  EXPECT_EQ(probe.CompletedUpdates(), 2);
  EXPECT_EQ(control.GetBoundsRect(), panel->GetContentRect());
  EXPECT_EQ(panel->GetBounds().Width, 80);
}

// Destroying a panel lays the others out anew; a handler raising there must not terminate the host.
TEST(TTBXStatusBar, DestroyingAPanelSurvivesAHandlerThatRaisesDuringTheLayout) {
  TTBXStatusBar bar(nullptr);
  bar.SetBounds(0, 0, 216, 22);
  TTBXDockablePanel control(nullptr);
  auto* doomed = bar.Panels().Add();
  doomed->SetSize(40);
  auto* kept = bar.Panels().Add();
  kept->SetSize(80);
  kept->SetMaxSize(1000);
  kept->SetStretchPriority(100);  // takes the width the doomed panel leaves
  kept->SetControl(&control);
  int raised = 0;
  control.OnResize = [&raised](TObject*) {
    ++raised;
    throw Exception("resize refused");
  };
  delete doomed;
  control.OnResize = nullptr;
  EXPECT_EQ(raised, 1);
  ASSERT_EQ(bar.Panels().Count(), 1);
  EXPECT_EQ(bar.Panels().GetItem(0), kept);
}

TEST(TTBXStatusBar, PanelClicksRaiseTheEventsWithBarAndPanel) {
  TTBXStatusBar bar(nullptr);
  TTBXStatusPanel& first = *bar.Panels().Add();
  TTBXStatusPanel& second = *bar.Panels().Add();
  std::vector<std::pair<TObject*, TTBXStatusPanel*>> clicks, dblClicks;
  bar.PanelClick(0);  // no handlers: nothing happens
  bar.PanelDblClick(1);
  bar.OnPanelClick = [&](TObject* sender, TTBXStatusPanel* panel) { clicks.emplace_back(sender, panel); };
  bar.OnPanelDblClick = [&](TObject* sender, TTBXStatusPanel* panel) { dblClicks.emplace_back(sender, panel); };
  bar.PanelClick(1);
  bar.PanelDblClick(0);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].first, &bar);
  EXPECT_EQ(clicks[0].second, &second);
  ASSERT_EQ(dblClicks.size(), 1u);
  EXPECT_EQ(dblClicks[0].second, &first);
  EXPECT_THROW(bar.PanelClick(2), Exception);
  bar.SetSimplePanel(true);  // the panels are not shown, so they cannot be hit
  EXPECT_THROW(bar.PanelClick(0), Exception);
  EXPECT_THROW(bar.PanelDblClick(0), Exception);
  EXPECT_EQ(clicks.size(), 1u);
}

// A backend draws the bar again when, and only when, something it shows has changed.
TEST(TTBXStatusBar, AChangedValueRepaintsTheBarOnceAndTheSameValueAgainDoesNot) {
  TRecordingPeers peers;
  TCustomImageList images(nullptr);
  TThreePanelBar bar;
  TTBXStatusPanel& panel = *bar.Second;
  TControl loose(nullptr);  // the bar's child, in no panel
  loose.SetParent(&bar.Bar);
  const TPeerLog& log = peers.Watch(bar.Bar);
  const TSteps steps{
      {"caption", [&] { panel.SetCaption("Ready"); }},
      {"alignment", [&] { panel.SetAlignment(taCenter); }},
      {"framed", [&] { panel.SetFramed(false); }},
      {"image index", [&] { panel.SetImageIndex(2); }},
      {"size", [&] { panel.SetSize(80); }},
      {"max size", [&] { panel.SetMaxSize(120); }},
      {"stretch priority", [&] { panel.SetStretchPriority(10); }},
      {"simple text", [&] { bar.Bar.SetSimpleText("Loading"); }},
      {"size grip", [&] { bar.Bar.SetSizeGrip(false); }},
      {"simple panel", [&] { bar.Bar.SetSimplePanel(true); }},
  };
  ExpectRedrawnOnlyByChanges(log, steps, TRedraws::Once);
  // Images make the bar taller as well: it is drawn again at least once, and not at all for the
  // same list.
  EXPECT_GE(Repaints(log, [&] { bar.Bar.SetImages(&images); }), 1);
  EXPECT_EQ(Repaints(log, [&] { bar.Bar.SetImages(&images); }), 0);
  // A child that no panel holds is not the bar's to place.
  EXPECT_EQ(Repaints(log, [&] { loose.SetBounds(3, 4, 20, 10); }), 0);
  // A panel made for the bar but never added leaves it as it was when it goes.
  EXPECT_EQ(Repaints(log, [&] { TTBXStatusPanel stray(&bar.Bar.Panels()); }), 0);
  EXPECT_EQ(bar.Bar.Panels().Count(), 3);
}

// The panels stand at 0, 50 and 100, each 50 wide, below the bar's top line.
TEST(TTBXStatusBar, APointHitsThePanelWhoseBoundsHoldItAndNothingPastThem) {
  TThreePanelBar bar;
  const int top = TbxMetrics::StatusBarTopLine, bottom = bar.Bar.GetHeight() - 1;
  EXPECT_EQ(bar.Bar.PanelAt({0, top}), 0);
  EXPECT_EQ(bar.Bar.PanelAt({49, bottom}), 0);
  EXPECT_EQ(bar.Bar.PanelAt({50, top}), 1);
  EXPECT_EQ(bar.Bar.PanelAt({149, bottom}), 2);
  EXPECT_EQ(bar.Bar.PanelAt({150, top}), -1);     // past the last panel
  EXPECT_EQ(bar.Bar.PanelAt({10, top - 1}), -1);  // on the top line
  EXPECT_EQ(bar.Bar.PanelAt({10, bottom + 1}), -1);
  bar.Bar.SetSimplePanel(true);  // the simple text hides the panels
  EXPECT_EQ(bar.Bar.PanelAt({10, top}), -1);
  EXPECT_TRUE(bar.First->GetBounds().Empty());
  bar.Bar.SetSimplePanel(false);
  EXPECT_EQ(bar.Bar.PanelAt({60, top}), 1);
}

TEST(TTBXStatusBar, APanelShowsAnImageOnlyForAnIndexInTheBarsListAndItsTextMovesAside) {
  TThreePanelBar bar;
  TTBXStatusPanel& panel = *bar.First;
  TCustomImageList images(nullptr);
  images.Add("ready.png");
  images.Add("busy.png");
  panel.SetImageIndex(0);
  EXPECT_TRUE(panel.GetImageRect().Empty());  // the bar has no images
  bar.Bar.SetImages(&images);
  for (const int index : {-1, 2, 3}) {
    panel.SetImageIndex(index);
    EXPECT_TRUE(panel.GetImageRect().Empty()) << index;
    EXPECT_EQ(panel.GetTextRect(), panel.GetContentRect()) << index;
  }
  for (const int index : {0, 1}) {
    panel.SetImageIndex(index);
    const TRect content = panel.GetContentRect(), image = panel.GetImageRect();
    EXPECT_EQ(image.Left, content.Left) << index;
    EXPECT_EQ(image.Width, TbxMetrics::ImageSize) << index;
    EXPECT_EQ(image.Height, TbxMetrics::ImageSize) << index;
    EXPECT_TRUE(content.Encloses(image)) << index;
    EXPECT_EQ(panel.GetTextRect().Left, image.Right() + TbxMetrics::GlyphGap) << index;
    EXPECT_EQ(panel.GetTextRect().Right(), content.Right()) << index;
  }
  // The bar is tall enough for an image beside the text.
  EXPECT_GE(bar.Bar.GetPreferredSize(0).Height,
            TbxMetrics::ImageSize + 2 * TbxMetrics::StatusPanelInset + TbxMetrics::StatusBarTopLine);
}

TEST(TTBXStatusBar, APanelLetsItsControlGoAndPlacesOnlyAControlThatStaysInTheBar) {
  TWinControl window(nullptr);
  TThreePanelBar bar;
  bar.First->SetControl(nullptr);
  EXPECT_EQ(bar.First->GetControl(), nullptr);
  // A control moved elsewhere is no longer the bar's to place.
  bar.B.SetParent(&window);
  bar.B.SetBounds(7, 8, 9, 10);
  bar.Second->SetSize(70);
  EXPECT_EQ(bar.B.GetBoundsRect(), (TRect{7, 8, 9, 10}));
  EXPECT_EQ(bar.C.GetBoundsRect(), bar.Third->GetContentRect());
  EXPECT_EQ(bar.Third->GetBounds().Left, 120);
  // The bar still lays its panels out when a control it places sizes itself anew.
  bar.C.SetWidth(3);
  EXPECT_EQ(bar.C.GetBoundsRect(), bar.Third->GetContentRect());
}

TEST(TTBXStatusBar, TheSizeGripTakesTheBarsRightEndOnlyWhenShown) {
  TThreePanelBar bar;
  const TRect grip = bar.Bar.GetSizeGripRect();
  EXPECT_EQ(grip.Right(), bar.Bar.GetWidth());
  EXPECT_EQ(grip.Width, TTBXCustomStatusBar::SizeGripWidth);
  EXPECT_EQ(grip.Top, TbxMetrics::StatusBarTopLine);
  EXPECT_EQ(bar.Bar.GetSimpleTextRect().Right(), grip.Left - TbxMetrics::StatusPanelInset);
  bar.Bar.SetSizeGrip(false);
  EXPECT_EQ(bar.Bar.GetSizeGripRect(), TRect{});
  EXPECT_EQ(bar.Bar.GetSimpleTextRect().Right(), bar.Bar.GetWidth() - TbxMetrics::StatusPanelInset);
}

TEST(TTBXStatusPanel, APanelWithoutCollectionFailsAnAssertionOfTheStatusBarUnit) {
  try {
    TTBXStatusPanel panel(nullptr);
    ADD_FAILURE() << "a panel without collection was made";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), "Framework\\Source\\Platform\\Toolkit\\TbxStatusBars");
  }
}
