// The native tests run offscreen: Qt needs its application object before any widget exists.
#include <gtest/gtest.h>

#include <QApplication>

#include "TbxQt.h"

int main(int argc, char** argv) {
  PrepareQtApplication(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
