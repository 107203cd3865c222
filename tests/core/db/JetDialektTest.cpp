#include "db/JetDialekt.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <vector>

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

TEST(JetDialekt, leftJoinGroupsOfLeftJoinsOnEqualitiesBecomeAFlatChain) {
    struct Fall {
        const char* jet;
        const char* flach;
    };
    for (const Fall& f : {
             Fall{"SELECT a.x FROM a LEFT JOIN (b LEFT JOIN c ON b.id = c.id) ON a.id = b.id WHERE a.x=1",
                  "SELECT a.x FROM a LEFT JOIN b ON a.id = b.id LEFT JOIN c ON b.id = c.id WHERE a.x=1"},
             // Groups inside groups, aliases, OUTER, a conjunction in parentheses; the INNER JOIN after the
             // group and the rest of the chain stay.
             Fall{"SELECT * FROM ((t1 LEFT JOIN ((t2 AS x LEFT OUTER JOIN t3 ON (x.k = t3.k) AND (x.j = t3.j)) "
                  "LEFT JOIN t4 y ON x.m = y.m) ON t1.k = x.k) INNER JOIN t5 ON t1.q = t5.q) LEFT JOIN t6 ON "
                  "x.z = t6.z ORDER BY t1.k",
                  "SELECT * FROM ((t1 LEFT JOIN t2 AS x ON t1.k = x.k LEFT OUTER JOIN t3 ON (x.k = t3.k) AND "
                  "(x.j = t3.j) LEFT JOIN t4 y ON x.m = y.m) INNER JOIN t5 ON t1.q = t5.q) LEFT JOIN t6 ON "
                  "x.z = t6.z ORDER BY t1.k"},
             // A later table of the group may join on an earlier one that is not the first.
             Fall{"select * from a left join ((b left join c on b.i = c.i) left join d on c.j = d.j) on a.i = b.i",
                  "select * from a left join b on a.i = b.i left join c on b.i = c.i left join d on c.j = d.j"},
             // Quoted text and bracketed names stay as they are; "+" is still concatenation.
             Fall{"SELECT [b].[n]+' LEFT JOIN (x)'+\"(\" FROM [a] LEFT JOIN ([b] LEFT JOIN c ON [b].[id] = "
                  "c.id) ON [a].[id] = [b].[id] WHERE [a].n = 'FROM a LEFT JOIN (b LEFT JOIN c ON b.i = c.i) ON "
                  "a.i = b.i'",
                  "SELECT [b].[n]||' LEFT JOIN (x)'||\"(\" FROM [a] LEFT JOIN [b] ON [a].[id] = [b].[id] LEFT JOIN "
                  "c ON [b].[id] = c.id WHERE [a].n = 'FROM a LEFT JOIN (b LEFT JOIN c ON b.i = c.i) ON a.i = b.i'"},
             // A subquery in the select list is a FROM of its own and stays.
             Fall{"SELECT (select count(*) from z where z.a = a.id) AS n FROM a LEFT JOIN (b LEFT JOIN c ON "
                  "b.id = c.id) ON a.id = b.id",
                  "SELECT (select count(*) from z where z.a = a.id) AS n FROM a LEFT JOIN b ON a.id = b.id LEFT "
                  "JOIN c ON b.id = c.id"},
         }) {
        EXPECT_EQ(jet::nachSqlite(QString::fromLatin1(f.jet)), QString::fromLatin1(f.flach)) << f.jet;
    }
}

TEST(JetDialekt, joinGroupsThatMayDifferWhenFlatAreLeftAlone) {
    const QString tief = QStringLiteral("SELECT * FROM ") + QString(5000, u'(') + QStringLiteral("a");
    for (const QString& jet : {
             // An INNER JOIN inside the group removes rows of the group, not of the left side.
             QStringLiteral("SELECT * FROM a LEFT JOIN (b INNER JOIN c ON b.id = c.id) ON a.id = b.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b JOIN c ON b.id = c.id) ON a.id = b.id"),
             // Conditions other than equalities of columns.
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id < c.id) ON a.id = b.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id = c.id OR c.x = b.x) ON a.id = b.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id = c.id) ON a.id = b.id + 1"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id = 1) ON a.id = b.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id = c.id) ON a.id = 1.5"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON c.x IS NULL) ON a.id = b.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON id = c.id) ON a.id = b.id"),
             // True for an all-NULL row of b: a row of a without b would meet rows of c.
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON c.x = c.y) ON a.id = b.id"),
             // The outer condition needs a table that is not the group's first.
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id = c.id) ON a.id = c.id"),
             // A name that occurs twice, an aliased group, a subquery, USING, a comma join, RIGHT JOIN.
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id = c.id) ON a.id = b.id LEFT JOIN b "
                            "ON a.k = b.k"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id = c.id) AS g ON a.id = g.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN ((SELECT * FROM b) LEFT JOIN c ON b.id = c.id) ON a.id = b.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c USING (id)) ON a.id = b.id"),
             QStringLiteral("SELECT * FROM x, a LEFT JOIN (b LEFT JOIN c ON b.id = c.id) ON a.id = b.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b RIGHT JOIN c ON b.id = c.id) ON a.id = b.id"),
             // Broken or deeply nested text.
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN c ON b.id = c.id ON a.id = b.id"),
             QStringLiteral("SELECT * FROM a LEFT JOIN (b LEFT JOIN [c ON b.id = c.id) ON a.id = b.id"),
             tief,
         }) {
        EXPECT_EQ(jet::joinsAbflachen(jet), jet);
    }
}

TEST(JetDialekt, integerLiteralsAfterComparisonsBecomeParametersAndNothingElseDoes) {
    struct Fall {
        const char* jet;
        const char* text;
        std::vector<qint64> werte;
    };
    for (const Fall& f : {
             Fall{"SELECT * FROM t WHERE t.id=42 AND t.x <> 7 and t.y>=0 and t.z< 3",
                  "SELECT * FROM t WHERE t.id=? AND t.x <> ? and t.y>=? and t.z< ?",
                  {42, 7, 0, 3}},
             // Digits of names, decimals, exponents, signed numbers, IN lists, ORDER BY and LIMIT stay.
             Fall{"SELECT s1, t.sp_idgv1, anmeldung_1.stnr FROM t WHERE t.a=1.5 AND t.b=2e3 AND t.c=-4 AND "
                  "t.d in (0,2,22) ORDER BY 1 LIMIT 10",
                  "SELECT s1, t.sp_idgv1, anmeldung_1.stnr FROM t WHERE t.a=1.5 AND t.b=2e3 AND t.c=-4 AND "
                  "t.d in (0,2,22) ORDER BY 1 LIMIT 10",
                  {}},
             // Quoted texts and bracketed names, also with doubled quotes; the comparison after them counts.
             Fall{"SELECT 'x=1', \"y<2\", [z>3] FROM t WHERE t.n='O''Neil=5' AND [t].[k]=6",
                  "SELECT 'x=1', \"y<2\", [z>3] FROM t WHERE t.n='O''Neil=5' AND [t].[k]=?",
                  {6}},
             // In the select list and in function calls, as Jet's IIf writes them.
             Fall{"SELECT IIf([al].[sy_typ]=1,'[RG]','[KO]'), IIf(a.amkd_id<>111111,a.n,'-') FROM a",
                  "SELECT IIf([al].[sy_typ]=?,'[RG]','[KO]'), IIf(a.amkd_id<>?,a.n,'-') FROM a",
                  {1, 111111}},
             // A number beyond 64 bits is a real for SQLite; a name that starts with digits is no number.
             Fall{"SELECT * FROM t WHERE t.a=12345678901234567890 AND t.b=12abc AND t.c=123456789012345678",
                  "SELECT * FROM t WHERE t.a=12345678901234567890 AND t.b=12abc AND t.c=?",
                  {123456789012345678}},
         }) {
        const jet::Parametrisiert p = jet::zahlenAlsParameter(QString::fromLatin1(f.jet));
        EXPECT_EQ(p.text, QString::fromLatin1(f.text)) << f.jet;
        EXPECT_EQ(p.werte, f.werte) << f.jet;
    }
}

// cStr gives the same text as Jet, whatever the storage class, also at the ends of the integer range, and that
// text joins with others as any text does.
TEST(JetDialekt, cstrGivesTheTextFormOfEveryValue) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    ASSERT_EQ(jet::registrieren(db), SQLITE_OK);
    struct Fall {
        const char* wert;
        const char* text; // nullptr: NULL
    };
    for (const Fall& f : {
             Fall{"0", "0"},
             Fall{"7", "7"},
             Fall{"-12", "-12"},
             Fall{"9223372036854775807", "9223372036854775807"},
             Fall{"-9223372036854775807 - 1", "-9223372036854775808"},
             Fall{"3.0", "3"},
             Fall{"-2.5", "-2,5"},
             Fall{"'Süd'", "Süd"},
             Fall{"''", ""},
             Fall{"x'4142'", "AB"},
             Fall{"NULL", nullptr},
         }) {
        SCOPED_TRACE(f.wert);
        sqlite3_stmt* st = nullptr;
        const QByteArray sql =
            QByteArray("SELECT cstr(") + f.wert + "), typeof(cstr(" + f.wert + ")), cstr(" + f.wert + ") || '.'";
        ASSERT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
        const auto spalte = [st](int i) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
        };
        if (f.text == nullptr) {
            EXPECT_EQ(sqlite3_column_type(st, 0), SQLITE_NULL);
            EXPECT_EQ(sqlite3_column_type(st, 2), SQLITE_NULL);
        } else {
            EXPECT_EQ(spalte(0), QString::fromUtf8(f.text));
            EXPECT_EQ(spalte(1), QStringLiteral("text"));
            EXPECT_EQ(spalte(2), QString::fromUtf8(f.text) + u'.');
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}
