#include "demo/JetSchreiber.h"
#include "db/Schema.h"
#include "demo/JetAusSqlite.h"
#include "support/DemoHilfen.h"
#include "support/MdbTestHilfen.h"

#include <QDir>

using namespace quenda;
using namespace quenda::demo;
using mdbtest::csvLesen;
using mdbtest::laufen;

namespace {

const QString programm = QStringLiteral(QUENDA_DEMO_PROGRAMM);
const QString datumFormat = QStringLiteral("%Y-%m-%d %H:%M:%S");

QStringList tabellenVon(const QString& mdb) {
    const auto ausgabe = laufen(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), mdb});
    return ausgabe ? QString::fromUtf8(*ausgabe).split(u'\n', Qt::SkipEmptyParts) : QStringList();
}

std::vector<QStringList> exportieren(const QString& mdb, const QString& tabelle) {
    const auto csv =
        laufen(QStringLiteral("mdb-export"), {QStringLiteral("-H"), QStringLiteral("-T"), datumFormat, mdb, tabelle});
    return csv ? csvLesen(QString::fromUtf8(*csv)) : std::vector<QStringList>();
}

// A SQLite table as mdb-export prints it: NULL like '', Yes/No as 1/0.
std::vector<QStringList> wieMdbExport(const QString& sqlite, const QString& tabelle) {
    std::vector<QStringList> zeilen;
    const mdbtest::Tabelle t = mdbtest::tabelleLesen(sqlite, tabelle);
    for (const auto& zeile : t.zeilen) {
        QStringList z;
        for (size_t i = 0; i < zeile.size(); ++i) {
            const bool janein = t.spalten.at(static_cast<qsizetype>(i)) == u"anwesend";
            z.append(janein ? QString::number(zeile[i].toLongLong() != 0 ? 1 : 0) : zeile[i].toString());
        }
        zeilen.push_back(z);
    }
    return zeilen;
}

JetTabelle tabelle(const char* name, std::vector<JetSpalte> spalten, std::vector<JetZeile> zeilen = {}) {
    return {QString::fromUtf8(name), std::move(spalten), std::move(zeilen), {}};
}

JetSpalte spalte(const char* name, JetTyp typ) {
    return {QString::fromUtf8(name), typ};
}

} // namespace

TEST(JetSchreiber, everyTableOfAGeneratedTournamentReadsBackThroughMdbtoolsCellByCell) {
    QTemporaryDir dir;
    const QString sqlite = demo::test::erzeugen(dir, QStringLiteral("turnier.sqlite"), Groesse::Klein, 3);
    const QString mdb = dir.filePath(QStringLiteral("turnier.mdb"));
    const auto ausgabe = laufen(programm, {QStringLiteral("mdb"), sqlite, mdb});
    ASSERT_TRUE(ausgabe);
    EXPECT_TRUE(ausgabe->contains("turnier.mdb geschrieben")) << ausgabe->toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("turnier.mdb"), QStringLiteral("turnier.sqlite")}));

    QStringList erwartet;
    for (const schema::Tabelle& t : schema::tabellen()) {
        erwartet.append(t.name);
    }
    ASSERT_EQ(tabellenVon(mdb), erwartet);
    const auto schemaText = laufen(QStringLiteral("mdb-schema"), {mdb});
    ASSERT_TRUE(schemaText);
    for (const char* zeile :
         {"[startdatetime]\t\t\tDateTime", "[spielzeit]\t\t\tDateTime", "[spielbeginn]\t\t\tDateTime",
          "[anwesend]\t\t\tBoolean", "[erg_id]\t\t\tLong Integer", "[tur_bez]\t\t\tText (255)"}) {
        EXPECT_TRUE(schemaText->contains(zeile)) << zeile;
    }
    int zeilen = 0;
    for (const QString& name : erwartet) {
        SCOPED_TRACE(name.toStdString());
        const std::vector<QStringList> soll = wieMdbExport(sqlite, name);
        EXPECT_EQ(exportieren(mdb, name), soll);
        zeilen += static_cast<int>(soll.size());
    }
    EXPECT_GT(zeilen, 1000);
}

// Umlauts and the euro sign, NULL, memo texts inline, on one long-value page and over several, the ends of
// every number type, dates mdbtools can print, and more rows than fit a page.
TEST(JetSchreiber, valuesOfEveryTypeReadBackThroughMdbtools) {
    QTemporaryDir dir;
    const QString mdb = dir.filePath(QStringLiteral("werte.mdb"));
    const QString kurz = QStringLiteral("Grüße aus Köln");
    const QString seite = QString(1500, u'ö'); // one long-value page
    const QString lang = QString(20000, u'€'); // a chain of long-value pages
    JetTabelle werte = tabelle("Wärme", {spalte("id", JetTyp::LongInteger), spalte("text", JetTyp::Text),
                                         spalte("memo", JetTyp::Memo), spalte("ja", JetTyp::JaNein),
                                         spalte("klein", JetTyp::Byte), spalte("mittel", JetTyp::Integer),
                                         spalte("x", JetTyp::Double), spalte("wann", JetTyp::DatumZeit)});
    werte.zeilen = {
        {qint64(1), QStringLiteral("Müller – Größe €"), kurz, qint64(-1), qint64(255), qint64(-32768), 1.5,
         QStringLiteral("2026-12-09 09:15:30")},
        {qint64(-2147483647 - 1), JetWert(), JetWert(), JetWert(), JetWert(), JetWert(), JetWert(), JetWert()},
        {qint64(2147483647), QString(255, u'ß'), seite, qint64(0), qint64(0), qint64(32767), -0.25,
         QStringLiteral("1900-01-01")},
        {qint64(4), QStringLiteral("x"), lang, qint64(1), qint64(7), qint64(0), 1e300, 46000.75},
    };
    JetTabelle viele = tabelle("viele", {spalte("n", JetTyp::LongInteger), spalte("t", JetTyp::Text)});
    for (qint64 i = 0; i < 3000; ++i) {
        viele.zeilen.push_back({i, QStringLiteral("Zeile %1 äöü").arg(i)});
    }
    JetTabelle leer = tabelle("leer", {spalte("n", JetTyp::LongInteger)});
    ASSERT_TRUE(mdbtest::mdbAusTabellen(mdb, {werte, viele, leer}));

    ASSERT_EQ(tabellenVon(mdb),
              QStringList({QStringLiteral("Wärme"), QStringLiteral("viele"), QStringLiteral("leer")}));
    const auto schemaText = laufen(QStringLiteral("mdb-schema"), {mdb});
    ASSERT_TRUE(schemaText);
    for (const char* zeile :
         {"[text]\t\t\tText (255)", "[memo]\t\t\tMemo/Hyperlink (255)", "[ja]\t\t\tBoolean", "[klein]\t\t\tByte",
          "[mittel]\t\t\tInteger", "[x]\t\t\tDouble", "[wann]\t\t\tDateTime"}) {
        EXPECT_TRUE(schemaText->contains(zeile)) << zeile;
    }
    const std::vector<QStringList> soll = {
        {QStringLiteral("1"), QStringLiteral("Müller – Größe €"), kurz, QStringLiteral("1"), QStringLiteral("255"),
         QStringLiteral("-32768"), QStringLiteral("1.5"), QStringLiteral("2026-12-09 09:15:30")},
        {QStringLiteral("-2147483648"), {}, {}, QStringLiteral("0"), {}, {}, {}, {}},
        {QStringLiteral("2147483647"), QString(255, u'ß'), seite, QStringLiteral("0"), QStringLiteral("0"),
         QStringLiteral("32767"), QStringLiteral("-0.25"), QStringLiteral("1900-01-01 00:00:00")},
        {QStringLiteral("4"), QStringLiteral("x"), lang, QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("0"),
         QStringLiteral("1e+300"), QStringLiteral("2025-12-09 18:00:00")},
    };
    EXPECT_EQ(exportieren(mdb, QStringLiteral("Wärme")), soll);
    const std::vector<QStringList> alle = exportieren(mdb, QStringLiteral("viele"));
    ASSERT_EQ(alle.size(), 3000u);
    EXPECT_EQ(alle[2999], QStringList({QStringLiteral("2999"), QStringLiteral("Zeile 2999 äöü")}));
    EXPECT_TRUE(exportieren(mdb, QStringLiteral("leer")).empty());
}

TEST(JetSchreiber, theSameTablesGiveTheSameBytes) {
    const auto datei = [] {
        JetSchreiber s;
        s.hinzufuegen(tabelle("a", {spalte("n", JetTyp::LongInteger), spalte("m", JetTyp::Memo)},
                              {{qint64(1), QString(3000, u'a')}, {qint64(2), JetWert()}}));
        return s.datei();
    };
    const QByteArray erste = datei();
    EXPECT_EQ(erste.size() % 4096, 0);
    EXPECT_EQ(erste, datei());
}

TEST(JetSchreiber, aValueThatDoesNotFitItsColumnIsRefusedWithTableAndColumn) {
    const struct {
        const char* name;
        JetTyp typ;
        JetWert wert;
    } faelle[] = {
        {"text longer than 255 characters", JetTyp::Text, QString(256, u'x')},
        {"Long Integer beyond 32 bits", JetTyp::LongInteger, qint64(1) << 31},
        {"Integer beyond 16 bits", JetTyp::Integer, qint64(32768)},
        {"Byte below 0", JetTyp::Byte, qint64(-1)},
        {"a date before the year 100", JetTyp::DatumZeit, QStringLiteral("0099-12-31 00:00:00")},
        {"no date at all", JetTyp::DatumZeit, QStringLiteral("31.12.2026")},
        {"a number that is no number", JetTyp::Double, QStringLiteral("zwölf")},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        JetSchreiber s;
        s.hinzufuegen(tabelle("Tabelle", {spalte("Spalte", fall.typ)}, {{fall.wert}}));
        try {
            s.datei();
            ADD_FAILURE() << "written";
        } catch (const QuendaError& fehler) {
            EXPECT_TRUE(fehler.message().contains(QStringLiteral("Tabelle Tabelle, Spalte Spalte")))
                << fehler.message().toStdString();
        }
    }
}

// A failed conversion leaves the old file as it was; a changed state since an earlier one is written as the
// day's edits, which mdbtools reads as the live rows.
TEST(JetSchreiber, theCommandReplacesTheTargetOnlyWhenItSucceedsAndWritesADayOfEdits) {
    QTemporaryDir dir;
    const QString morgens = demo::test::erzeugen(dir, QStringLiteral("morgens.sqlite"), Groesse::Klein, 4);
    const QString abends = dir.filePath(QStringLiteral("abends.sqlite"));
    ASSERT_TRUE(QFile::copy(morgens, abends));
    ASSERT_TRUE(laufen(programm, {QStringLiteral("simulate"), abends, QStringLiteral("--steps"), QStringLiteral("200"),
                                  QStringLiteral("--quiet")}));
    const QString mdb = dir.filePath(QStringLiteral("turnier.mdb"));
    ASSERT_TRUE(laufen(programm, {QStringLiteral("mdb"), morgens, mdb}));
    const QByteArray vorher = quenda::test::lesen(mdb);

    QProcess p;
    p.start(programm, {QStringLiteral("mdb"), dir.filePath(QStringLiteral("fehlt.sqlite")), mdb});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_FALSE(p.readAllStandardError().isEmpty());
    EXPECT_EQ(quenda::test::lesen(mdb), vorher);

    const auto ausgabe = laufen(programm, {QStringLiteral("mdb"), abends, mdb, QStringLiteral("--since"), morgens});
    ASSERT_TRUE(ausgabe);
    EXPECT_FALSE(ausgabe->contains("davon 0 seit")) << ausgabe->toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("turnier.mdb*")}, QDir::Files | QDir::Hidden).size(), 1);
    for (const schema::Tabelle& t : schema::tabellen()) {
        SCOPED_TRACE(t.name.toStdString());
        // libmdb returns a moved row where it moved to: the same rows, not all in their place.
        std::vector<QStringList> ist = exportieren(mdb, t.name);
        std::vector<QStringList> soll = wieMdbExport(abends, t.name);
        std::sort(ist.begin(), ist.end());
        std::sort(soll.begin(), soll.end());
        EXPECT_EQ(ist, soll);
    }
}
