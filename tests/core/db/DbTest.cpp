#include "db/TDM.h"

#include <gtest/gtest.h>

TEST(Db, placeholder) {
    quenda::TDM tdm;
    EXPECT_FALSE(tdm.istOffen());
}
