// Peers on their own: a widget follows its control across parents, and what the user's input
// runs may raise or destroy the control without bringing Qt down.
#include <gtest/gtest.h>

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

}  // namespace

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
