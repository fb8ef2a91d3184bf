// Every example, before and after its script: each control's widget stands at the control's
// bounds and shows when the control does.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "NativeWindow.h"
#include "WorkbenchRunner.h"

namespace {

const char* const KExamples[] = {"buttons", "docks",    "label",     "multidock",
                                 "panels",  "showcase", "statusbar", "toolbars"};

std::string ExampleScript(const std::string& name) {
  return ReadFile(std::string(NUV_SOURCE_DIR) + "/examples/" + name + ".script");
}

std::string Describe(const TControl& control) { return control.ClassName() + " " + control.GetName(); }

void ExpectWidgetsFollow(const TControl& control, const QWidget& root, int& checked) {
  const QWidget* widget = PeerWidget(control);
  ASSERT_NE(widget, nullptr) << Describe(control) << " has no widget";
  if (widget != &root) {
    EXPECT_EQ(widget->geometry(), ExpectedGeometry(control, root)) << Describe(control);
    EXPECT_EQ(!widget->isHidden(), control.GetVisible()) << Describe(control);
  } else {
    EXPECT_EQ(widget->size(), QSize(control.GetWidth(), control.GetHeight()));
  }
  ++checked;
  if (const auto* windowed = dynamic_cast<const TWinControl*>(&control))
    for (int i = 0; i < windowed->GetControlCount(); ++i) ExpectWidgetsFollow(*windowed->GetControl(i), root, checked);
}

class NativeGeometry : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(NativeGeometry, EveryWidgetStandsAtItsControlsBoundsBeforeAndAfterTheScript) {
  TNativeWindow native(GetParam());
  native.Workbench->App.RunAll();
  QApplication::processEvents();
  int checked = 0;
  ExpectWidgetsFollow(native.Window(), native.Root(), checked);
  EXPECT_GT(checked, 2);

  TNativeWindow scripted(GetParam());
  scripted.Workbench->Run(ExampleScript(GetParam()));
  QApplication::processEvents();
  checked = 0;
  ExpectWidgetsFollow(scripted.Window(), scripted.Root(), checked);
  EXPECT_GT(checked, 2);
}

INSTANTIATE_TEST_SUITE_P(Examples, NativeGeometry, ::testing::ValuesIn(KExamples));
