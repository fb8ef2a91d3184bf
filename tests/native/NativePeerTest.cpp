// Peers on their own: a widget follows its control across parents, and what the user's input
// runs may raise or destroy the control without bringing Qt down.
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTest>

#include "KolExceptions.h"
#include "NativeWindow.h"
#include "TbxTextObjects.h"

namespace {

// A window of its own with a backend whose errors are kept.
class NativePeers : public ::testing::Test {
 protected:
  NativePeers() : Backend(TQtBackendOptions{{}, [this](const std::exception& e) { Errors.push_back(e.what()); }, {}}) {
    Window.SetBounds(0, 0, 300, 200);
    Backend.Attach(Window, "peers");
    Backend.Show(Window);
  }

  std::vector<std::string> Errors;
  TQtBackend Backend;
  TWinControl Window{nullptr};
};

// A check box of a class local to this file: its widget is still a check box's.
class TLocalCheckBox : public TTBXCheckBox {
 public:
  using TTBXCheckBox::TTBXCheckBox;
};

}  // namespace

// Controls given their peers before the window is on the screen show with it, except one hidden by
// hand; one placed under the window once it shows is shown at once. A control of a subclass local
// to a file or a function gets the widget of its kind: the check box's takes a click.
TEST(NativePeersBeforeTheWindowShows, ShowWithItUnlessHiddenAndGetTheWidgetOfTheirKind) {
  struct TFunctionLabel : TTBXLabel {
    using TTBXLabel::TTBXLabel;
  };
  TQtBackend backend;
  TWinControl window(nullptr);
  window.SetBounds(0, 0, 300, 200);
  TLocalCheckBox box(nullptr);
  TFunctionLabel label(nullptr);
  TTBXLabel hidden(nullptr);
  box.SetText("Local");
  label.SetText("Label");
  hidden.SetText("Hidden");
  for (TControl* control : std::initializer_list<TControl*>{&box, &label, &hidden}) control->SetParent(&window);
  hidden.Hide();
  backend.Attach(window, "before");
  EXPECT_FALSE(PeerWidget(box)->isVisible());  // nothing is on the screen yet
  backend.Show(window);
  EXPECT_TRUE(PeerWidget(box)->isVisible());
  EXPECT_TRUE(PeerWidget(label)->isVisible());
  EXPECT_FALSE(PeerWidget(hidden)->isVisible());
  TTBXLabel later(nullptr);
  later.SetText("Later");
  later.SetParent(&window);
  EXPECT_TRUE(PeerWidget(later)->isVisible());
  hidden.Show();
  EXPECT_TRUE(PeerWidget(hidden)->isVisible());

  QTest::mouseClick(PeerWidget(box), Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_TRUE(box.GetChecked());
}

TEST_F(NativePeers, AnErrorThatAClickRaisesGoesToOnErrorAndTheWindowStays) {
  TTBXLabel label(nullptr);
  label.SetText("Faulty");
  label.OnClick = [](TObject*) { throw Exception("the handler failed"); };
  label.SetParent(&Window);
  QTest::mouseClick(PeerWidget(label), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(Errors, std::vector<std::string>{"the handler failed"});
  EXPECT_TRUE(PeerWidget(label)->isVisible());
}

TEST_F(NativePeers, AControlThatItsOwnClickDestroysLeavesItsWidgetToBeDeletedAfterTheEvent) {
  auto label = std::make_unique<TTBXLabel>(nullptr);
  label->SetText("Gone");
  label->OnClick = [&label](TObject*) { label.reset(); };
  label->SetParent(&Window);
  QPointer<QWidget> widget = PeerWidget(*label);
  QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(label, nullptr);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(widget.isNull());
  EXPECT_TRUE(Errors.empty());
}

TEST(NativePeersOfAnExample, AControlMovedUnderAParentWithoutPeerHidesAndJoinsThatParentsWidgetLater) {
  TNativeWindow native("label");
  TWinControl box(nullptr);
  box.SetBounds(10, 20, 200, 100);
  TTBXLabel label(nullptr);
  label.SetText("Moved");
  label.SetParent(&native.Window());
  ASSERT_NE(PeerWidget(label), nullptr);

  label.SetParent(&box);
  EXPECT_TRUE(PeerWidget(label)->isHidden());
  EXPECT_EQ(PeerWidget(label)->parentWidget(), nullptr);

  box.SetParent(&native.Window());
  QApplication::processEvents();
  EXPECT_EQ(PeerWidget(label)->parentWidget(), PeerWidget(box));
  EXPECT_EQ(PeerWidget(label)->geometry(), ExpectedGeometry(label, native.Root()));
  EXPECT_TRUE(PeerWidget(label)->isVisible());
}

// Qt posts an event for every widget it makes: the event loop must be Qt's own, which wakes once
// for many posts, not GLib's, which makes a system call at each. A value set by the user stays.
TEST(NativeEventLoop, IsQtsOwnAndAnEventLoopChosenByTheUserIsKept) {
  EXPECT_FALSE(QAbstractEventDispatcher::instance()->inherits("QEventDispatcherGlib"));
  qputenv("QT_NO_GLIB", "");
  UseQtEventLoop();
  EXPECT_TRUE(qEnvironmentVariableIsSet("QT_NO_GLIB"));
  EXPECT_TRUE(qEnvironmentVariableIsEmpty("QT_NO_GLIB"));
  qputenv("QT_NO_GLIB", "1");
}
