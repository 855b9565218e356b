#include <gtest/gtest.h>

#include "runtime/values/errors.h"

TEST(SetError, ZeroChangesNothing) {
  mvn::errorCode = 5;
  EXPECT_EQ(mvn::setError(0), 0);
  EXPECT_EQ(mvn::errorCode, 5);
}
