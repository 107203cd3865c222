#include "db/MdbImport.h"
#include "support/DemoHilfen.h"
#include "support/MdbTestHilfen.h"
#include "support/Programmanweisungen.h"
#include "support/QStringDruck.h"

#include <QTemporaryDir>
#include <algorithm>

using namespace mdbtest;
using quenda::demo::JetSpalte;
using quenda::demo::JetTyp;
using quenda::demo::JetWert;

namespace {

const bool programmGesetzt = qputenv("QUENDA_MDBIMPORT", QUENDA_MDBIMPORT_PROGRAMM);

// One value of the first row of a statement on a file, as text ("" for none).
QString wert(const QString& datei, const QString& sql) {
    sqlite3* db = nullptr;
    QString ergebnis;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(datei).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
        ergebnis = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ergebnis;
}

struct Schluesselfall {
    const char* name;
    JetTyp typ;
    std::vector<JetWert> schluessel;
    bool alsRowid; // the key column is the table's INTEGER PRIMARY KEY
};

class Schluessel : public ::testing::TestWithParam<Schluesselfall> {};

} // namespace

// A key is the rowid only while the rows come with whole, ascending keys; otherwise the table is a plain one
// with an index on the key. Either way the rows are the file's, in its order, with their values and NULLs.
TEST_P(Schluessel, aKeyBecomesTheRowidOnlyWhenThatKeepsEveryRowAndItsPlace) {
    ASSERT_TRUE(programmGesetzt);
    const Schluesselfall& fall = GetParam();
    QTemporaryDir dir;
    const QString mdb = dir.filePath(QStringLiteral("t.mdb"));
    std::vector<quenda::demo::JetZeile> zeilen;
    for (size_t i = 0; i < fall.schluessel.size(); ++i) {
        zeilen.push_back({fall.schluessel[i], QStringLiteral("Verein %1").arg(i)});
    }
    ASSERT_TRUE(mdbAusTabellen(
        mdb, {{QStringLiteral("Verein"),
               {JetSpalte{QStringLiteral("v_id"), fall.typ}, JetSpalte{QStringLiteral("verein"), JetTyp::Text}},
               zeilen,
               {}}}));
    const QString ziel = dir.filePath(QStringLiteral("t.sqlite"));
    ASSERT_EQ(quenda::mdbImportieren(mdb, ziel, 60000).fehler(), QString());

    const Tabelle t = tabelleLesen(ziel, QStringLiteral("Verein"));
    ASSERT_EQ(t.zeilen.size(), fall.schluessel.size());
    for (size_t i = 0; i < t.zeilen.size(); ++i) {
        SCOPED_TRACE(i);
        const JetWert& s = fall.schluessel[i];
        if (std::holds_alternative<std::monostate>(s)) {
            EXPECT_FALSE(t.zeilen[i][0].isValid()) << "a NULL key stays NULL";
        } else if (std::holds_alternative<qint64>(s)) {
            EXPECT_EQ(t.zeilen[i][0], QVariant(std::get<qint64>(s)));
        } else {
            EXPECT_EQ(t.zeilen[i][0], QVariant(std::get<QString>(s)));
        }
        EXPECT_EQ(t.zeilen[i][1], QVariant(QStringLiteral("Verein %1").arg(i))) << "rows in the file's order";
    }
    EXPECT_EQ(wert(ziel, QStringLiteral("SELECT pk FROM pragma_table_info('Verein') WHERE name = 'v_id'")),
              fall.alsRowid ? QStringLiteral("1") : QStringLiteral("0"));
    EXPECT_EQ(wert(ziel, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'ix_verein_v_id'")),
              fall.alsRowid ? QStringLiteral("0") : QStringLiteral("1"));
    // A look-up by key finds its row either way.
    for (size_t i = 0; i < fall.schluessel.size(); ++i) {
        const JetWert& s = fall.schluessel[i];
        if (std::holds_alternative<qint64>(s) && std::count(fall.schluessel.begin(), fall.schluessel.end(), s) == 1) {
            EXPECT_EQ(wert(ziel, QStringLiteral("SELECT verein FROM Verein WHERE v_id = %1").arg(std::get<qint64>(s))),
                      QStringLiteral("Verein %1").arg(i));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Schluessel,
    ::testing::Values(Schluesselfall{"aufsteigend", JetTyp::LongInteger, {qint64(1), qint64(2), qint64(7)}, true},
                      Schluesselfall{"leer", JetTyp::LongInteger, {}, true},
                      Schluesselfall{"negativ", JetTyp::LongInteger, {qint64(-5), qint64(0), qint64(3)}, true},
                      Schluesselfall{"absteigend", JetTyp::LongInteger, {qint64(3), qint64(1), qint64(2)}, false},
                      Schluesselfall{"spaet_kleiner",
                                     JetTyp::LongInteger,
                                     {qint64(1), qint64(2), qint64(3), qint64(4), qint64(2), qint64(9)},
                                     false},
                      Schluesselfall{"doppelt", JetTyp::LongInteger, {qint64(1), qint64(2), qint64(2)}, false},
                      Schluesselfall{"null", JetTyp::LongInteger, {qint64(1), std::monostate{}, qint64(3)}, false},
                      Schluesselfall{"null_zuerst", JetTyp::LongInteger, {std::monostate{}, qint64(1)}, false},
                      Schluesselfall{"text", JetTyp::Text, {QStringLiteral("1"), QStringLiteral("2")}, false}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

class SnapshotAnweisungen : public ::testing::TestWithParam<std::pair<quenda::demo::Groesse, quint64>> {};

} // namespace

// Every statement the program runs on a generated tournament, on the SQLite file and on the snapshot of its
// .mdb copy opened as the program opens it: the same columns and values of the same storage class, in the
// same order, also where a statement has no ORDER BY and the order is the plan's.
TEST_P(SnapshotAnweisungen, everyStatementOfTheProgramGivesTheSameRowsOnTheSnapshotAsOnItsSource) {
    ASSERT_TRUE(programmGesetzt);
    const auto [groesse, seed] = GetParam();
    QTemporaryDir dir;
    const QString quelle = quenda::demo::test::erzeugen(dir, QStringLiteral("t.sqlite"), groesse, seed);
    const QString mdb = dir.filePath(QStringLiteral("t.mdb"));
    ASSERT_TRUE(mdbSchreiben(quelle, mdb));
    const QString snapshot = dir.filePath(QStringLiteral("snapshot.sqlite"));
    ASSERT_EQ(quenda::mdbImportieren(mdb, snapshot, 60000).fehler(), QString());
    const QStringList texte = quenda::test::statementsDesProgramms(quelle, dir);
    ASSERT_GT(texte.size(), 20);

    quenda::Verbindung direkt;
    direkt.oeffnen(quelle);
    quenda::Verbindung schnappschuss;
    schnappschuss.oeffnen(snapshot, quenda::Verbindung::Modus::Unveraenderlich);
    quenda::Abfrage a(direkt);
    quenda::Abfrage b(schnappschuss);
    qint64 zeilen = 0;
    for (const QString& text : texte) {
        SCOPED_TRACE(text.toStdString());
        const quenda::test::Leseergebnis soll = quenda::test::lesen(a, text);
        const quenda::test::Leseergebnis ist = quenda::test::lesen(b, text);
        ASSERT_EQ(ist.spalten, soll.spalten);
        ASSERT_EQ(ist.texte, soll.texte);
        ASSERT_EQ(ist.werte, soll.werte);
        zeilen += soll.werte.size();
    }
    EXPECT_GT(zeilen, 0);
}

INSTANTIATE_TEST_SUITE_P(Turniere, SnapshotAnweisungen,
                         ::testing::Values(std::pair{quenda::demo::Groesse::Klein, quint64{1}},
                                           std::pair{quenda::demo::Groesse::Klein, quint64{7}},
                                           std::pair{quenda::demo::Groesse::Mittel, quint64{3}},
                                           std::pair{quenda::demo::Groesse::Gross, quint64{1}}),
                         [](const auto& info) {
                             return quenda::demo::groesseText(info.param.first).toStdString() + "_" +
                                    std::to_string(info.param.second);
                         });
