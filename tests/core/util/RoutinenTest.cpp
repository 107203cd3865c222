#include "util/Routinen.h"

#include <gtest/gtest.h>

using namespace quenda;

TEST(Routinen, placeholder) {
    EXPECT_EQ(zahl_nullen(7, 4), QStringLiteral("0007"));
}
