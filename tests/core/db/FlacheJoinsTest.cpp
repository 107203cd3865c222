#include "db/JetDialekt.h"
#include "export/Exportabfragen.h"
#include "support/DemoHilfen.h"
#include "support/QStringDruck.h"

#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace quenda;

namespace {

// A result as SQLite hands it over: column names (without SQLite's ":N" for repeats), declared types and
// every value with its storage class.
struct SqliteErgebnis {
    QStringList spalten;
    QStringList typen;
    QList<QList<QVariant>> zeilen;
};

SqliteErgebnis ausfuehren(sqlite3* db, const QString& sql) {
    SqliteErgebnis e;
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << "\n" << text.constData();
        return e;
    }
    static const QRegularExpression zaehler(QStringLiteral(":\\d+$"));
    const int n = sqlite3_column_count(stmt);
    for (int i = 0; i < n; ++i) {
        e.spalten.append(QString::fromUtf8(sqlite3_column_name(stmt, i)).remove(zaehler));
        e.typen.append(QString::fromUtf8(sqlite3_column_decltype(stmt, i)));
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QList<QVariant> zeile;
        for (int i = 0; i < n; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_NULL:
                zeile.append(QVariant());
                break;
            case SQLITE_INTEGER:
                zeile.append(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
                break;
            case SQLITE_FLOAT:
                zeile.append(sqlite3_column_double(stmt, i));
                break;
            default:
                zeile.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i))));
            }
        }
        e.zeilen.append(zeile);
    }
    EXPECT_EQ(sqlite3_finalize(stmt), SQLITE_OK) << sqlite3_errmsg(db);
    return e;
}

QList<int> ids(demo::test::Datenbank& db, const char* sql) {
    QList<int> liste;
    for (const demo::Zeile& z : db.sql().abfragen(sql)) {
        liste.append(static_cast<int>(demo::zahl(z.front())));
    }
    return liste;
}

struct Anweisung {
    const char* name;
    std::function<QString(int)> text;
    const char* ids;
};

// Every statement of the exports that takes an id, for every id of a generated tournament and both kinds of
// competition: the statement as Jet nests it and the flattened chain give the same columns and rows in the
// same order. Only statements the flattening changes are run.
class FlacheJoins : public ::testing::TestWithParam<std::pair<demo::Groesse, quint64>> {};

TEST_P(FlacheJoins, giveTheSameRowsAsTheNestedStatements) {
    const auto [groesse, seed] = GetParam();
    QTemporaryDir ordner;
    demo::test::Datenbank db(demo::test::erzeugen(ordner, QStringLiteral("t.db"), groesse, seed));
    const char* gruppen = "SELECT syf_id FROM al_systemfeld ORDER BY syf_id";
    const std::vector<Anweisung> anweisungen = {
        {"starterfeld einzel", [](int id) { return abfragen::starterfeld(id, 1); }, gruppen},
        {"starterfeld doppel", [](int id) { return abfragen::starterfeld(id, 2); }, gruppen},
        {"spiele einzel", [](int id) { return abfragen::spiele(id, 1); }, gruppen},
        {"spiele doppel", [](int id) { return abfragen::spiele(id, 2); }, gruppen},
        {"spielraster einzel", [](int id) { return abfragen::spielraster(id, 1); }, gruppen},
        {"spielraster doppel", [](int id) { return abfragen::spielraster(id, 2); }, gruppen},
        {"spieldaten einzel", [](int id) { return abfragen::spieldaten(id, 1); }, "SELECT erg_id FROM sb_ergebnisse"},
        {"spieldaten doppel", [](int id) { return abfragen::spieldaten(id, 2); }, "SELECT erg_id FROM sb_ergebnisse"},
        {"tische", [](int id) { return abfragen::tische(id); }, "SELECT hab_id FROM zd_hallenaufbau"},
        {"auslosungszeile", [](int id) { return abfragen::auslosungszeile(id); }, "SELECT al_id FROM al_conf"},
    };
    QStringList geaendert;
    int zeilen = 0;
    for (const Anweisung& a : anweisungen) {
        SCOPED_TRACE(a.name);
        const QList<int> liste = ids(db, a.ids);
        ASSERT_FALSE(liste.isEmpty());
        const QString jet = a.text(liste.front());
        if (jet::joinsAbflachen(jet) == jet) {
            continue;
        }
        geaendert.append(QString::fromLatin1(a.name));
        for (int id : liste) {
            const QString text = a.text(id);
            const SqliteErgebnis verschachtelt = ausfuehren(db.handle(), jet::plusAlsVerkettung(text));
            const SqliteErgebnis flach = ausfuehren(db.handle(), jet::nachSqlite(text));
            ASSERT_EQ(flach.spalten, verschachtelt.spalten) << id;
            ASSERT_EQ(flach.typen, verschachtelt.typen) << id;
            ASSERT_EQ(flach.zeilen, verschachtelt.zeilen) << id;
            zeilen += static_cast<int>(flach.zeilen.size());
        }
    }
    // The statements whose nested LEFT JOIN groups cost a materialised table on every run.
    EXPECT_EQ(geaendert, (QStringList{QStringLiteral("starterfeld einzel"), QStringLiteral("starterfeld doppel")}));
    EXPECT_GT(zeilen, 0);
}

INSTANTIATE_TEST_SUITE_P(Turniere, FlacheJoins,
                         ::testing::Values(std::pair{demo::Groesse::Klein, quint64{1}},
                                           std::pair{demo::Groesse::Klein, quint64{7}},
                                           std::pair{demo::Groesse::Mittel, quint64{3}}),
                         [](const auto& info) {
                             return demo::groesseText(info.param.first).toStdString() + "_" +
                                    std::to_string(info.param.second);
                         });

// The flattened starter field leaves no join group on the right of a LEFT JOIN and keeps its columns,
// WHERE and ORDER BY as written.
TEST(FlachesStarterfeld, isAChainWithoutGroupsAndKeepsColumnsAndOrder) {
    for (int typ : {1, 2}) {
        const QString jet = abfragen::starterfeld(42, typ);
        const QString flach = jet::joinsAbflachen(jet);
        EXPECT_FALSE(flach.contains(QStringLiteral("LEFT JOIN ("), Qt::CaseInsensitive)) << flach;
        EXPECT_EQ(jet::joinsAbflachen(flach), flach);
        EXPECT_EQ(flach.left(flach.indexOf(QStringLiteral(" FROM "))), jet.left(jet.indexOf(QStringLiteral(" FROM "))));
        EXPECT_TRUE(flach.endsWith(QStringLiteral(" WHERE al_systemfeld.syf_id=42 order by al_starterfeld.posnr")));
    }
}

} // namespace
