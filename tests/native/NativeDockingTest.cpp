// The living window offscreen: the user's pointer resizes the window, drags toolbars and panels
// between docks and out to float, and resizes floating panels; every gesture is the toolkit's
// operation, so the events and the model follow, and the widgets stand where the model says.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QRubberBand>
#include <QTest>

#include "NativeWindow.h"
#include "TbxDockablePanels.h"
#include "TbxForms.h"
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

QRubberBand* Outline() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "DragOutline") return qobject_cast<QRubberBand*>(widget);
  return nullptr;
}

class NativeDocking : public ::testing::Test {
 protected:
  NativeDocking() {
    Native.Workbench->App.RunAll();
    QApplication::processEvents();
    Native.NewEvents();
  }

  TForm& Form() { return Native.Workbench->App.Form(); }
  TTBCustomDockableWindow& Window(const std::string& viewPart) {
    return dynamic_cast<TTBCustomDockableWindow&>(Native.ControlOf(viewPart));
  }
  TTBDock& Dock(const std::string& viewPart) { return dynamic_cast<TTBDock&>(Native.ControlOf(viewPart)); }
  // The screen point of a point in the form's coordinates.
  QPoint OnScreen(TPoint formPoint) { return Native.Root().mapToGlobal(QPoint(formPoint.X, formPoint.Y)); }

  // Presses on the control at `from` (its own coordinates) and moves the pointer in steps to the
  // screen point `to`; the release is the caller's, so that it can look at the drag on the way.
  QWidget* PressAndMove(TControl& control, QPoint from, QPoint to) {
    QWidget* widget = PeerWidget(control);
    const QPoint start = widget->mapToGlobal(from);
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step)
      QTest::mouseMove(widget, widget->mapFromGlobal(start + (to - start) * step / 4));
    QApplication::processEvents();
    return widget;
  }
  void Release(QWidget* widget, QPoint to) {
    QTest::mouseRelease(widget, Qt::LeftButton, {}, widget->mapFromGlobal(to));
    QApplication::processEvents();
  }
  void ExpectWidgetWhereTheModelSays(const std::string& viewPart) {
    EXPECT_EQ(PeerWidget(Window(viewPart))->geometry(), ExpectedGeometry(Window(viewPart), Native.Root())) << viewPart;
  }

  TNativeWindow Native{"showcase"};
};

TEST_F(NativeDocking, ResizingTheWindowLaysTheFormOutDownToItsMinimum) {
  Native.Root().resize(1000, 700);
  QApplication::processEvents();
  EXPECT_EQ(Form().GetBoundsRect().Size(), (TSize{1000, 700}));
  const TControl& status = Native.ControlOf("Status");
  EXPECT_EQ(status.GetWindowRect().Bottom(), 700) << "the status bar keeps to the bottom edge";
  EXPECT_EQ(Native.ControlOf("TopDock").GetWidth(), 1000) << "the top dock spans the width";
  EXPECT_EQ(PeerWidget(status)->geometry().bottom(), 699);
  EXPECT_TRUE(HasEvent(Native.NewEvents(), {{"event", "window-resize"}, {"width", 1000}, {"height", 700}}));

  const TSize least = Form().GetMinimumSize();
  EXPECT_EQ(Native.Root().minimumSize(), QSize(least.Width, least.Height));
  Native.Root().resize(50, 50);
  QApplication::processEvents();
  EXPECT_EQ(Form().GetBoundsRect().Size(), least);
  EXPECT_EQ(Native.Root().size(), QSize(least.Width, least.Height));
}

TEST_F(NativeDocking, TheStatusBarsSizeGripResizesTheWindow) {
  auto& bar = dynamic_cast<TTBXCustomStatusBar&>(Native.ControlOf("Status"));
  const QPoint grip = Centre(bar.GetSizeGripRect());
  QWidget* widget = PeerWidget(bar);
  const QPoint to = widget->mapToGlobal(grip) + QPoint(120, 80);
  Release(PressAndMove(bar, grip, to), to);
  EXPECT_EQ(Form().GetBoundsRect().Size(), (TSize{920, 680}));
  EXPECT_EQ(Native.Root().size(), QSize(920, 680));
}

TEST_F(NativeDocking, AToolbarDraggedByItsHandleShowsAnOutlineAndDocksWhereItIsDropped) {
  TTBCustomDockableWindow& toolbar = Window("MainToolbar");
  const TRect handle = toolbar.GetFrame().DragHandle;
  const TControl& status = Native.ControlOf("Status");
  const QPoint overBottom = OnScreen({400, status.GetWindowRect().Top - 4});
  QWidget* widget = PressAndMove(toolbar, Centre(handle), overBottom);

  ASSERT_NE(Form().GetDockDrag(), nullptr);
  EXPECT_EQ(Form().GetDockDrag()->Target().Dock, &Dock("BottomDock"));
  EXPECT_EQ(toolbar.GetCurrentDock(), &Dock("TopDock")) << "nothing moves before the drop";
  QRubberBand* outline = Outline();
  ASSERT_NE(outline, nullptr);
  EXPECT_TRUE(outline->isVisible());
  const TRect expected = Form().GetDockDrag()->Target().Outline;
  EXPECT_EQ(outline->geometry(),
            QRect(OnScreen({expected.Left, expected.Top}), QSize(expected.Width, expected.Height)));

  Release(widget, overBottom);
  EXPECT_FALSE(outline->isVisible());
  EXPECT_EQ(toolbar.GetCurrentDock(), &Dock("BottomDock"));
  EXPECT_TRUE(HasEvent(Native.NewEvents(),
                       {{"event", "dock"}, {"viewPart", "MainToolbar"}, {"from", "TopDock"}, {"to", "BottomDock"}}));
  ExpectWidgetWhereTheModelSays("MainToolbar");
}

TEST_F(NativeDocking, AToolbarDraggedOutFloatsAsAToolWindowAndADoubleClickOnItsCaptionDocksItBack) {
  TTBCustomDockableWindow& toolbar = Window("MainToolbar");
  const QPoint middle = OnScreen({450, 300});
  Release(PressAndMove(toolbar, Centre(toolbar.GetFrame().DragHandle), middle), middle);
  ASSERT_TRUE(toolbar.GetFloating());
  QWidget* widget = PeerWidget(toolbar);
  EXPECT_TRUE(widget->isWindow());
  EXPECT_EQ(widget->windowTitle(), "Main");
  EXPECT_FALSE(toolbar.GetFrame().CloseButton.Empty());
  ExpectWidgetWhereTheModelSays("MainToolbar");
  EXPECT_TRUE(HasEvent(Native.NewEvents(), {{"event", "float"}, {"viewPart", "MainToolbar"}}));

  QTest::mouseDClick(widget, Qt::LeftButton, {}, Centre(toolbar.GetFrame().Caption));
  QApplication::processEvents();
  EXPECT_EQ(toolbar.GetCurrentDock(), &Dock("TopDock"));
  EXPECT_FALSE(PeerWidget(toolbar)->isWindow());
  EXPECT_TRUE(HasEvent(Native.NewEvents(), {{"event", "dock"}, {"from", nullptr}, {"to", "TopDock"}}));
}

TEST_F(NativeDocking, EscapeEndsADragAndLeavesTheWindowWhereItWas) {
  TTBCustomDockableWindow& toolbar = Window("MainToolbar");
  const QPoint middle = OnScreen({450, 300});
  QWidget* widget = PressAndMove(toolbar, Centre(toolbar.GetFrame().DragHandle), middle);
  ASSERT_NE(Form().GetDockDrag(), nullptr);
  QTest::keyClick(widget, Qt::Key_Escape);
  EXPECT_EQ(Form().GetDockDrag(), nullptr);
  Release(widget, middle);
  EXPECT_EQ(toolbar.GetCurrentDock(), &Dock("TopDock"));
  EXPECT_TRUE(Native.NewEvents().empty());
}

TEST_F(NativeDocking, AFloatingPanelResizesByItsBordersAndDocksWhenDroppedOnADock) {
  auto& panel = dynamic_cast<TTBXCustomDockablePanel&>(Window("Properties"));
  ASSERT_TRUE(panel.GetFloating());
  const TRect before = panel.GetWindowRect();
  const QPoint right(before.Width - 1, before.Height / 2);
  Release(PressAndMove(panel, right, PeerWidget(panel)->mapToGlobal(right) + QPoint(40, 0)),
          PeerWidget(panel)->mapToGlobal(right) + QPoint(40, 0));
  EXPECT_EQ(panel.GetWindowRect(), (TRect{before.Left, before.Top, before.Width + 40, before.Height}));
  EXPECT_EQ(panel.GetDockedWidth(), panel.GetClientRect().Width);
  ExpectWidgetWhereTheModelSays("Properties");

  const TRect grown = panel.GetWindowRect();
  const QPoint corner(grown.Width - 1, grown.Height - 1);
  const QPoint to = PeerWidget(panel)->mapToGlobal(corner) - QPoint(500, 500);
  Release(PressAndMove(panel, corner, to), to);
  EXPECT_EQ(panel.GetBoundsRect().Size(), panel.GetMinimumFloatingSize()) << "held at the minimum";

  const QPoint overRight = OnScreen({Form().GetWidth() - 3, 300});
  Release(PressAndMove(panel, Centre(panel.GetFrame().Caption), overRight), overRight);
  EXPECT_EQ(panel.GetCurrentDock(), &Dock("RightDock"));
  EXPECT_FALSE(PeerWidget(panel)->isWindow());
  ExpectWidgetWhereTheModelSays("Properties");
}

TEST_F(NativeDocking, APanelInADockThatKeepsItsWindowsNeitherDragsNorFloats) {
  auto& dock = dynamic_cast<TWinControl&>(Native.ControlOf("Tools"));
  TTBCustomDockableWindow* panel = nullptr;
  for (int i = 0; i < dock.GetControlCount(); ++i)
    if (auto* window = dock.GetControl(i)->AsDockableWindow();
        window && IsKindOf(window->Kind(), ckDockablePanel) && window->GetVisible())
      panel = window;
  ASSERT_NE(panel, nullptr);
  const QPoint caption = Centre(panel->GetFrame().Caption);
  const QPoint middle = OnScreen({450, 300});
  Release(PressAndMove(*panel, caption, middle), middle);
  EXPECT_EQ(Form().GetDockDrag(), nullptr);
  QTest::mouseDClick(PeerWidget(*panel), Qt::LeftButton, {}, caption);
  QApplication::processEvents();
  EXPECT_EQ(panel->GetCurrentDock(), &dock);
  for (const auto& event : Native.NewEvents()) EXPECT_NE(event.value("event", ""), "error") << event.dump();
}

TEST_F(NativeDocking, AToolbarButtonIsNoLongerHotOnceItsMenuHasClosed) {
  TTBCustomToolbar& toolbar = dynamic_cast<TTBCustomToolbar&>(Window("MainToolbar"));
  QWidget* widget = PeerWidget(toolbar);
  const QImage cold = widget->grab().toImage();
  TTBCustomItem* format = nullptr;
  for (int i = 0; i < toolbar.Items()->Count(); ++i)
    if (toolbar.Items()->GetItem(i)->GetCaption() == "Format") format = toolbar.Items()->GetItem(i);
  ASSERT_NE(format, nullptr);
  const QPoint onFormat = Centre(format->GetBounds());
  QTest::mouseMove(widget, onFormat);
  EXPECT_NE(widget->grab().toImage(), cold) << "the button under the pointer is hot";
  QTest::mouseClick(widget, Qt::LeftButton, {}, onFormat);
  QApplication::processEvents();
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QCursor::setPos(Native.Root().mapToGlobal(QPoint(500, 400)));
  menu->close();
  QApplication::processEvents();
  EXPECT_EQ(widget->grab().toImage(), cold) << "the pointer left with the menu";
}

}  // namespace
