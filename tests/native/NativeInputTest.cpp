// The user's mouse on the showcase's native window, offscreen: every gesture reaches the toolkit
// as its own operation, so the view parts report what they report for the script's commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include "NativeWindow.h"
#include "TbxDockablePanels.h"
#include "TbxStatusBars.h"
#include "TbxToolbars.h"

namespace {

QPoint Centre(const TRect& r) { return {r.Left + r.Width / 2, r.Top + r.Height / 2}; }

bool HasEvent(const std::vector<nlohmann::json>& events, const nlohmann::json& wanted) {
  for (const auto& event : events) {
    bool matches = true;
    for (const auto& [key, value] : wanted.items()) matches = matches && event.value(key, nlohmann::json()) == value;
    if (matches) return true;
  }
  return false;
}

std::string Text(const std::vector<nlohmann::json>& events) { return nlohmann::json(events).dump(); }

class NativeInput : public ::testing::Test {
 protected:
  NativeInput() {
    Native.Workbench->App.RunAll();
    QApplication::processEvents();
    Native.NewEvents();
  }

  TTBCustomToolbar& Toolbar(const std::string& viewPart) {
    return dynamic_cast<TTBCustomToolbar&>(Native.ControlOf(viewPart));
  }
  TTBCustomItem& Item(TTBCustomToolbar& toolbar, const std::string& caption) {
    for (int i = 0; i < toolbar.Items()->Count(); ++i)
      if (toolbar.Items()->GetItem(i)->GetCaption() == caption && toolbar.Items()->GetItem(i)->GetVisible())
        return *toolbar.Items()->GetItem(i);
    throw std::runtime_error("no item " + caption);
  }
  // The first dockable panel docked in the Tools multi-dock that shows.
  TTBXCustomDockablePanel& ShownToolPanel() {
    auto& dock = dynamic_cast<TWinControl&>(Native.ControlOf("Tools"));
    for (int i = 0; i < dock.GetControlCount(); ++i)
      if (auto* panel = dynamic_cast<TTBXCustomDockablePanel*>(dock.GetControl(i)); panel && panel->GetVisible())
        return *panel;
    throw std::runtime_error("no tool panel shows");
  }
  void Click(TControl& control, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(PeerWidget(control), button, {}, at);
    QApplication::processEvents();
  }
  void DoubleClick(TControl& control, QPoint at) {
    QTest::mouseDClick(PeerWidget(control), Qt::LeftButton, {}, at);
    QApplication::processEvents();
  }
  // The pointer moves over the screen while the widget may move under it (a floating window
  // follows its caption), so each step is given in the widget's coordinates of that moment.
  void Drag(TControl& control, QPoint from, QPoint by) {
    QWidget* widget = PeerWidget(control);
    const QPoint start = widget->mapToGlobal(from);
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, widget->mapFromGlobal(start + by / 2));
    QTest::mouseMove(widget, widget->mapFromGlobal(start + by));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, widget->mapFromGlobal(start + by));
    QApplication::processEvents();
  }

  TNativeWindow Native{"showcase"};
};

}  // namespace

TEST_F(NativeInput, AToolbarButtonClickedOnItsBoundsRunsItsCommand) {
  TTBCustomToolbar& toolbar = Toolbar("MainToolbar");
  Click(toolbar, Centre(Item(toolbar, "New").GetBounds()));
  const auto events = Native.NewEvents();
  EXPECT_TRUE(HasEvent(events, {{"event", "command"}, {"id", "File.New"}})) << Text(events);
}

TEST_F(NativeInput, PressAndReleaseOnDifferentItemsClicksNothing) {
  TTBCustomToolbar& toolbar = Toolbar("MainToolbar");
  QWidget* widget = PeerWidget(toolbar);
  QTest::mousePress(widget, Qt::LeftButton, {}, Centre(Item(toolbar, "New").GetBounds()));
  QTest::mouseRelease(widget, Qt::LeftButton, {}, Centre(Item(toolbar, "Open").GetBounds()));
  EXPECT_FALSE(HasEvent(Native.NewEvents(), {{"event", "command"}}));
}

TEST_F(NativeInput, ASubmenuOpensAMenuOfItsVisibleSubItemsAndPickingOneClicksIt) {
  TTBCustomToolbar& toolbar = Toolbar("MainToolbar");
  QTest::mousePress(PeerWidget(toolbar), Qt::LeftButton, {}, Centre(Item(toolbar, "Format").GetBounds()));
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QStringList captions;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) captions << action->text();
  EXPECT_EQ(captions, (QStringList{"Bold", "Italic", "Clear formatting"}));
  for (QAction* action : menu->actions())
    if (action->text() == "Italic") action->trigger();
  menu->close();
  QApplication::processEvents();
  const auto events = Native.NewEvents();
  EXPECT_TRUE(HasEvent(events, {{"event", "command"}, {"id", "Format.Italic"}})) << Text(events);
}

TEST_F(NativeInput, AMultiDockToggleButtonShowsItsPanel) {
  auto& dock = dynamic_cast<TWinControl&>(Native.ControlOf("Tools"));
  TTBCustomToolbar* buttons = nullptr;
  for (int i = 0; i < dock.GetControlCount() && !buttons; ++i)
    buttons = dynamic_cast<TTBCustomToolbar*>(dock.GetControl(i));
  ASSERT_NE(buttons, nullptr);
  auto& search = dynamic_cast<TTBXVisibilityToggleItem&>(*buttons->Items()->GetItem(1));
  ASSERT_FALSE(search.GetChecked());
  Click(*buttons, Centre(search.GetBounds()));
  EXPECT_TRUE(search.GetChecked());
  EXPECT_TRUE(PeerWidget(*search.GetControl())->isVisible());
}

TEST_F(NativeInput, CheckBoxAndRadioButtonClicksChangeTheirState) {
  auto& wordWrap = dynamic_cast<TTBXCustomCheckBox&>(Native.ControlOf("WordWrap"));
  ASSERT_EQ(wordWrap.GetState(), cbGrayed);
  Click(wordWrap, Centre(wordWrap.GetGlyphRect()));
  EXPECT_EQ(wordWrap.GetState(), cbUnchecked);
  auto& large = dynamic_cast<TTBXCustomRadioButton&>(Native.ControlOf("Large"));
  Click(large, Centre(large.GetTextRect()));
  EXPECT_TRUE(large.GetChecked());
  EXPECT_FALSE(dynamic_cast<TTBXCustomRadioButton&>(Native.ControlOf("Medium")).GetChecked());
  const auto events = Native.NewEvents();
  EXPECT_TRUE(HasEvent(events, {{"event", "command"}, {"id", "View.Large"}})) << Text(events);
}

TEST_F(NativeInput, StatusPanelClicksAndDoubleClicksReachThePanelUnderThePointer) {
  auto& bar = dynamic_cast<TTBXCustomStatusBar&>(Native.ControlOf("Status"));
  Click(bar, Centre(bar.Panels().GetItem(1)->GetBounds()));
  auto events = Native.NewEvents();
  EXPECT_TRUE(HasEvent(events, {{"event", "topic"}, {"topic", "Topic://ViewPart/Status/OnPanelClick"}}) ||
              HasEvent(events, {{"event", "topic"}, {"topic", "Topic://ViewPart/Status/OnClick"}}))
      << Text(events);
  DoubleClick(bar, Centre(bar.Panels().GetItem(1)->GetBounds()));
  events = Native.NewEvents();
  EXPECT_TRUE(HasEvent(events, {{"event", "topic"}})) << Text(events);
  EXPECT_NE(Text(events).find("DblClick"), std::string::npos) << Text(events);
}

TEST_F(NativeInput, ARightClickAsksTheControlForItsContextMenuAndAClickTakesTheFocus) {
  TControl& hint = Native.ControlOf("Hint");
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(3, 3), PeerWidget(hint)->mapToGlobal(QPoint(3, 3)));
  QApplication::sendEvent(PeerWidget(hint), &menu);
  auto events = Native.NewEvents();
  EXPECT_TRUE(HasEvent(events, {{"event", "popup"}, {"viewPart", "Hint"}})) << Text(events);
  Click(hint, QPoint(3, 3));
  EXPECT_EQ(FocusedControl(), &hint);
  events = Native.NewEvents();
  EXPECT_TRUE(HasEvent(events, {{"event", "click"}, {"viewPart", "Hint"}})) << Text(events);
}

TEST_F(NativeInput, TheCloseButtonOfAFloatingPanelHidesIt) {
  auto& properties = dynamic_cast<TTBCustomDockableWindow&>(Native.ControlOf("Properties"));
  ASSERT_TRUE(properties.GetFloating());
  ASSERT_TRUE(PeerWidget(properties)->isWindow());
  Click(properties, Centre(properties.GetFrame().CloseButton));
  EXPECT_FALSE(properties.GetVisible());
  EXPECT_FALSE(PeerWidget(properties)->isVisible());
}

TEST_F(NativeInput, DraggingAFloatingPanelsCaptionMovesIt) {
  auto& properties = dynamic_cast<TTBCustomDockableWindow&>(Native.ControlOf("Properties"));
  const TPoint before = properties.GetFloatingPosition();
  const TRect caption = properties.GetFrame().Caption;
  Drag(properties, QPoint(caption.Left + 4, caption.Top + caption.Height / 2), QPoint(-40, 25));
  EXPECT_EQ(properties.GetFloatingPosition(), (TPoint{before.X - 40, before.Y + 25}));
  EXPECT_EQ(PeerWidget(properties)->geometry(), ExpectedGeometry(properties, Native.Root()));
}

TEST_F(NativeInput, DraggingTheInnerEdgeOfADockedPanelSetsItsDockedWidth) {
  TTBXCustomDockablePanel& panel = ShownToolPanel();
  const int before = panel.GetDockedWidth();
  const TRect edge = panel.GetFrame().ResizeEdge;
  ASSERT_FALSE(edge.Empty());
  Drag(panel, Centre(edge), QPoint(30, 0));
  EXPECT_EQ(panel.GetDockedWidth(), before + 30);
  EXPECT_EQ(panel.GetWidth(), before + 30);
}

// Docked in a dock that lets its windows be dragged (the multi-dock keeps its panels).
TEST_F(NativeInput, DoubleClickingADockedPanelsCaptionUndocksIt) {
  auto& panel = dynamic_cast<TTBXCustomDockablePanel&>(Native.ControlOf("Properties"));
  panel.DockTo(dynamic_cast<TTBDock&>(Native.ControlOf("BottomDock")), 0, -1);
  QApplication::processEvents();
  ASSERT_TRUE(panel.GetDblClickUndock());
  const TRect caption = panel.GetFrame().Caption;
  ASSERT_FALSE(caption.Empty());
  DoubleClick(panel, Centre(caption));
  EXPECT_TRUE(panel.GetFloating());
  EXPECT_TRUE(PeerWidget(panel)->isWindow());
  EXPECT_EQ(PeerWidget(panel)->geometry(), ExpectedGeometry(panel, Native.Root()));
}

TEST_F(NativeInput, WithoutDblClickUndockOrWhenItCannotFloatADockedPanelStaysDocked) {
  auto& panel = dynamic_cast<TTBXCustomDockablePanel&>(Native.ControlOf("Properties"));
  panel.DockTo(dynamic_cast<TTBDock&>(Native.ControlOf("BottomDock")), 0, -1);
  QApplication::processEvents();
  const QPoint caption = Centre(panel.GetFrame().Caption);
  panel.SetDblClickUndock(false);
  DoubleClick(panel, caption);
  EXPECT_FALSE(panel.GetFloating());
  panel.SetDblClickUndock(true);
  panel.SetDockMode(dmCannotFloat);
  DoubleClick(panel, caption);
  EXPECT_FALSE(panel.GetFloating());
  EXPECT_FALSE(PeerWidget(panel)->isWindow());
}
