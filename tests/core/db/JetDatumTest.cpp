#include "db/JetDatum.h"

#include <gtest/gtest.h>
#include <limits>

using quenda::jet::datumText;

TEST(JetDatum, rawValuesBecomeIsoTextAcrossJetsWholeRange) {
    const struct {
        double tage;
        const char* text;
    } faelle[] = {
        {0.0, "1899-12-30 00:00:00"},
        {2.0, "1900-01-01 00:00:00"},
        {61.0, "1900-03-01 00:00:00"}, // no 29.2.1900 in Jet (unlike spreadsheet serials)
        {36526.75, "2000-01-01 18:00:00"},
        {46365.4375, "2026-12-09 10:30:00"},
        {0.5, "1899-12-30 12:00:00"},
        {-0.5, "1899-12-30 12:00:00"}, // the fraction counts forward also below zero
        {-1.25, "1899-12-29 06:00:00"},
        {-657434.0, "0100-01-01 00:00:00"},
        {-36522.0, "1800-01-01 00:00:00"},
        {2958465.0 + 86399.0 / 86400.0, "9999-12-31 23:59:59"},
        {2958101.0, "9999-01-01 00:00:00"},
        {0.999999999, "1899-12-31 00:00:00"}, // rounding up to midnight moves to the next day
        {-1.999999999, "1899-12-30 00:00:00"},
        {1.0 / 86400.0 * 0.4, "1899-12-30 00:00:00"},
    };
    for (const auto& f : faelle) {
        const auto text = datumText(f.tage);
        ASSERT_TRUE(text.has_value()) << f.tage;
        EXPECT_EQ(text->toStdString(), f.text) << f.tage;
    }
}

TEST(JetDatum, valuesThatAreNoDateGiveNothing) {
    for (double tage : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1.0e300}) {
        EXPECT_FALSE(datumText(tage).has_value()) << tage;
    }
}
