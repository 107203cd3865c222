#include "db/JetDialekt.h"

#include <gtest/gtest.h>

using namespace quenda;

TEST(JetDialekt, plusBecomesConcatenationOutsideQuotesAndBrackets) {
    struct Fall {
        const char* jet;
        const char* sqlite;
    };
    for (const Fall& f : {
             Fall{"sp1.name+', '+sp1.vorname", "sp1.name||', '||sp1.vorname"},
             Fall{"'a+b'+[x+y]+\"c+d\"", "'a+b'||[x+y]||\"c+d\""},
             Fall{"'O''Neil+'+x", "'O''Neil+'||x"},
             Fall{"IIf(a=b,a,a+'-'+b)", "IIf(a=b,a,a||'-'||b)"},
             Fall{"select 1", "select 1"},
         }) {
        EXPECT_EQ(jet::nachSqlite(QString::fromLatin1(f.jet)), QString::fromLatin1(f.sqlite)) << f.jet;
    }
}

TEST(JetDialekt, numbersHaveTheirGermanTextForm) {
    EXPECT_EQ(jet::zahlText(3.0), QStringLiteral("3"));
    EXPECT_EQ(jet::zahlText(-12.0), QStringLiteral("-12"));
    EXPECT_EQ(jet::zahlText(2.5), QStringLiteral("2,5"));
}
