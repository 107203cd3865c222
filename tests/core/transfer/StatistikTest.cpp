#include "transfer/Statistik.h"

#include <gtest/gtest.h>

using namespace quenda;

TEST(Statistik, keepsTheNewest1000CyclesWhileUbcountGoesOn) {
    Statistik statistik;
    statistik.zaehlen(3); // before the first cycle there is no row to count in
    for (int i = 1; i <= 1005; ++i) {
        EXPECT_EQ(statistik.neuerZyklus(QString::number(i)), i);
        statistik.zaehlen(i % 5 + 1, i);
    }
    statistik.zaehlen(0);
    statistik.zaehlen(6);

    const QList<Zyklusstatistik> zyklen = statistik.zyklen();
    ASSERT_EQ(zyklen.size(), 1000);
    EXPECT_EQ(statistik.ubcount(), 1005);
    EXPECT_EQ(zyklen.front().datum, QStringLiteral("6"));
    EXPECT_EQ(zyklen.front().zaehler, (std::array<int, 5>{0, 6, 0, 0, 0}));
    EXPECT_EQ(zyklen.back().datum, QStringLiteral("1005"));
    EXPECT_EQ(zyklen.back().zaehler, (std::array<int, 5>{1005, 0, 0, 0, 0}));

    statistik.zuruecksetzen();
    EXPECT_EQ(statistik.ubcount(), 0);
    EXPECT_TRUE(statistik.zyklen().isEmpty());
    EXPECT_EQ(statistik.neuerZyklus(QStringLiteral("neu")), 1);
}
