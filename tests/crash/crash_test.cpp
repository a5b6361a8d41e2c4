// Expected to crash (the ctest entry is marked WILL_FAIL): proves that a crash
// in a test program fails the run on both builds, Wine included.
#include <gtest/gtest.h>

namespace {
int* volatile g_nowhere = nullptr;
}

TEST(CrashIsFailure, NullWriteEndsTheProgramWithFailure) {
  *g_nowhere = 1;
  SUCCEED();
}
