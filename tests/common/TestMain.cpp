// The test programs' entry: sets the environment the suites rely on (where a test is started by hand just
// as under ctest), then runs GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  setenv("CORVANE_TEST_DATA", CORVANE_TEST_DATA_DIR, 0);
  setenv("CORVANE_SOURCE_DIR", CORVANE_SOURCE_DIR_PATH, 0);
  setenv("CORVANE_BINARY_DIR", CORVANE_BINARY_DIR_PATH, 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
