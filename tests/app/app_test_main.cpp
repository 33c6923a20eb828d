#include <gtest/gtest.h>

#include <QCoreApplication>

// The Qt layer's tests run inside an application object, as the program does.
int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
