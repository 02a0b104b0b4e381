#pragma once
// For a test that needs a program of the machine (an X server, xclip, the print service): where the
// program is missing, the test is skipped on a developer's machine but fails under CI, which installs
// every such program (.ci/run sets CORVANE_CI=1), so a missing package can never pass as green.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace corvane::test {

inline bool UnderCi() {
  const char* ci = std::getenv("CORVANE_CI");
  return ci && *ci && std::string_view(ci) != "0";
}

}  // namespace corvane::test

// Ends the test (skipped, or failed under CI) with what it needs; for functions returning void, as
// GTEST_SKIP() and FAIL() are.
#define SKIP_WITHOUT_TOOL(what)                                              \
  do {                                                                       \
    if (::corvane::test::UnderCi())                                          \
      GTEST_FAIL() << "needs " << (what) << ", which bash .ci/run installs"; \
    else                                                                     \
      GTEST_SKIP() << "needs " << (what);                                    \
  } while (false)
