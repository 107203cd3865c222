#include "db/MdbImport.h"
#include "db/Schema.h"
#include "db/Verbindung.h"
#include "demo/Generator.h"
#include "support/Dateien.h"
#include "support/MdbTestHilfen.h"

#include <QDir>
#include <QTemporaryDir>
#include <cmath>

using namespace mdbtest;
using quenda::demo::JetSpalte;
using quenda::demo::JetTabelle;
using quenda::demo::JetTyp;
using quenda::demo::JetWert;
using quenda::test::lesen;
using quenda::test::schreiben;

namespace {

// Every test of this executable finds the importer of this build, also when run by hand.
const bool programmGesetzt = qputenv("QUENDA_MDBIMPORT", QUENDA_MDBIMPORT_PROGRAMM);

// libmdb's date text for values outside about 1900-4637 (its own converter gives up there).
const QString mdbExportDatumFehler = QStringLiteral("1900-01-00 00:00:00");

bool gleich(const QVariant& wert, const QString& erwartet) {
    switch (wert.typeId()) {
    case QMetaType::UnknownType:
        return erwartet.isEmpty(); // mdb-export prints NULL like ''
    case QMetaType::LongLong:
        // Yes/No: libmdb prints 1, Jet's true is -1.
        return QString::number(wert.toLongLong()) == erwartet || (wert.toLongLong() == -1 && erwartet == u'1');
    case QMetaType::Double: {
        bool ok = false;
        const double e = erwartet.toDouble(&ok);
        return ok && std::fabs(e - wert.toDouble()) <= 1e-6 * std::max(1.0, std::fabs(e));
    }
    case QMetaType::QByteArray:
        return wert.toByteArray().toHex().toUpper() == erwartet.toLatin1().toUpper();
    default:
        return wert.toString() == erwartet;
    }
}

constexpr int seite = 4096;
constexpr quint16 geloescht = 0x8000;
constexpr quint16 ausgelagert = 0x4000;

quint16 wort(const QByteArray& d, qsizetype pos) {
    return static_cast<quint16>(static_cast<unsigned char>(d[pos]) | static_cast<unsigned char>(d[pos + 1]) << 8);
}

// The row slots of every data page of a table (owner bytes set and not "LVAL"): where the slot's offset
// word lies in the file, with its flags.
struct Slot {
    qsizetype pos;
    quint16 wert;
};
std::vector<Slot> slots(const QByteArray& datei) {
    std::vector<Slot> alle;
    for (qsizetype p = 3 * seite; p + seite <= datei.size(); p += seite) {
        if (datei[p] != 1 || datei.mid(p + 4, 4) == QByteArray(4, '\0') || datei.mid(p + 4, 4) == "LVAL") {
            continue;
        }
        for (int z = 0; z < wort(datei, p + 12); ++z) {
            alle.push_back({p + 14 + 2 * z, wort(datei, p + 14 + 2 * z)});
        }
    }
    return alle;
}

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programmGesetzt);
        ASSERT_TRUE(dir.isValid());
    }
    QString pfad(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(Import, everyTableOfTheSamplesMatchesMdbExportCellByCell) {
    struct Probe {
        const char* datei;
        QStringList tabellenErwartet;
        // Cells mdb-export cannot print (table, row, column): the dates the samples' texts announce.
        std::map<std::tuple<QString, int, QString>, QString> grenzdaten;
    };
    const auto d = [](const char* t) { return QString::fromUtf8(t); };
    const std::vector<Probe> proben = {
        {"DateTestDatabase.mdb",
         {d("DateTest")},
         {{{d("DateTest"), 1, d("DateTimeCol")}, d("9999-01-01 00:00:00")},
          {{d("DateTest"), 1, d("DateCol")}, d("9999-01-01 00:00:00")},
          {{d("DateTest"), 1, d("TimeCol")}, d("9999-01-01 00:00:00")},
          {{d("DateTest"), 2, d("DateTimeCol")}, d("1898-01-01 00:00:00")},
          {{d("DateTest"), 2, d("DateCol")}, d("1899-01-01 00:00:00")},
          {{d("DateTest"), 3, d("DateTimeCol")}, d("0632-01-01 00:00:00")},
          {{d("DateTest"), 3, d("DateCol")}, d("0633-01-01 00:00:00")},
          {{d("DateTest"), 3, d("TimeCol")}, d("0634-01-01 00:00:00")}}},
        {"nwind.mdb",
         {d("Order Details"), d("Orders"), d("Products"), d("Shippers"), d("Categories"), d("Customers"),
          d("Employees"), d("Suppliers"), d("Umsätze")},
         {}},
    };
    for (const Probe& probe : proben) {
        const QString mdb = mdbtest::probe(probe.datei);
        ASSERT_TRUE(QFile::exists(mdb));
        SCOPED_TRACE(probe.datei);
        const QString ziel = pfad("probe.sqlite");
        QFile::remove(ziel);
        ASSERT_EQ(quenda::mdbImportieren(mdb, ziel, 60000).fehler(), QString());
        const auto tabellen = laufen(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), mdb});
        ASSERT_TRUE(tabellen);
        QStringList namen = QString::fromUtf8(*tabellen).split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(namen, probe.tabellenErwartet);
        int grenzdatenGesehen = 0, nullGesehen = 0, jaGesehen = 0;
        for (const QString& name : namen) {
            SCOPED_TRACE(name.toStdString());
            const auto csv =
                laufen(QStringLiteral("mdb-export"), {QStringLiteral("-T"), QStringLiteral("%Y-%m-%d %H:%M:%S"),
                                                      QStringLiteral("-b"), QStringLiteral("hex"), mdb, name});
            ASSERT_TRUE(csv);
            std::vector<QStringList> erwartet = csvLesen(QString::fromUtf8(*csv));
            ASSERT_FALSE(erwartet.empty());
            const QStringList kopf = erwartet.front();
            erwartet.erase(erwartet.begin());
            const Tabelle t = tabelleLesen(ziel, name);
            ASSERT_EQ(t.spalten, kopf);
            ASSERT_EQ(t.zeilen.size(), erwartet.size());
            for (size_t z = 0; z < t.zeilen.size(); ++z) {
                for (int s = 0; s < kopf.size(); ++s) {
                    const QVariant& wert = t.zeilen[z][s];
                    QString soll = erwartet[z].value(s);
                    const auto grenz = probe.grenzdaten.find({name, static_cast<int>(z), kopf[s]});
                    if (grenz != probe.grenzdaten.end()) {
                        EXPECT_EQ(soll, mdbExportDatumFehler);
                        soll = grenz->second;
                        ++grenzdatenGesehen;
                    }
                    nullGesehen += wert.isNull() ? 1 : 0;
                    jaGesehen += wert.typeId() == QMetaType::LongLong && wert.toLongLong() == -1 ? 1 : 0;
                    EXPECT_TRUE(gleich(wert, soll)) << "row " << z << ' ' << kopf[s].toStdString() << ": "
                                                    << wert.toString().toStdString() << " vs " << soll.toStdString();
                }
            }
        }
        EXPECT_EQ(grenzdatenGesehen, static_cast<int>(probe.grenzdaten.size()));
        if (QString::fromUtf8(probe.datei) == u"nwind.mdb") {
            EXPECT_GT(nullGesehen, 0);
            EXPECT_GT(jaGesehen, 0) << "Products.Discontinued holds Yes values";
        }
    }
}

// mdb-export prints NULL and '' alike; the writer makes a file where we know which is which.
TEST_F(Import, keepsNullApartFromEmptyTextAndStoresJetsOwnValues) {
    const QString mdb = pfad("werte.mdb");
    const QString langerMemo = QString(30000, QChar(u'ä')); // beyond libmdb's default bind size in UTF-8
    {
        const JetWert n;
        const auto t = [](const char* text) { return JetWert(QString::fromUtf8(text)); };
        const auto g = [](qint64 zahl) { return JetWert(zahl); };
        JetTabelle werte{QStringLiteral("Werte"),
                         {{QStringLiteral("id"), JetTyp::LongInteger},
                          {QStringLiteral("t"), JetTyp::Text},
                          {QStringLiteral("m"), JetTyp::Memo},
                          {QStringLiteral("b"), JetTyp::JaNein},
                          {QStringLiteral("d"), JetTyp::DatumZeit},
                          {QStringLiteral("x"), JetTyp::Double},
                          {QStringLiteral("i"), JetTyp::Integer},
                          {QStringLiteral("y"), JetTyp::Byte}},
                         {{g(1), t(""), t(""), g(1), 0.0, 1.5, g(-2), g(255)},
                          {g(2), n, n, g(0), n, n, n, n},
                          {g(3), t("Süd SÜD €"), langerMemo, g(-1), -1.25, -0.5, g(32767), g(0)},
                          {g(4), t("a"), t("b"), g(0), 2958465.999988426, 0.1, g(-32768), g(1)},
                          {g(5), t("a"), t("b"), g(0), -657434.0, 0.0, g(0), g(0)}},
                         {}};
        ASSERT_TRUE(mdbAusTabellen(mdb, {werte}));
    }
    const QString ziel = pfad("werte.sqlite");
    ASSERT_EQ(quenda::mdbImportieren(mdb, ziel, 60000).fehler(), QString());
    const Tabelle t = tabelleLesen(ziel, QStringLiteral("Werte"));
    EXPECT_EQ(t.typen, QStringList({QStringLiteral("INTEGER"), QStringLiteral("TEXT"), QStringLiteral("TEXT"),
                                    QStringLiteral("INTEGER"), QStringLiteral("DATETIME"), QStringLiteral("REAL"),
                                    QStringLiteral("INTEGER"), QStringLiteral("INTEGER")}));
    const QVariant null;
    const auto s = [](const char* text) { return QVariant(QString::fromUtf8(text)); };
    const auto g = [](qint64 zahl) { return QVariant(zahl); };
    const Zeilen erwartet = {
        {g(1), s(""), s(""), g(-1), s("1899-12-30 00:00:00"), QVariant(1.5), g(-2), g(255)},
        {g(2), null, null, g(0), null, null, null, null},
        {g(3), s("Süd SÜD €"), QVariant(langerMemo), g(-1), s("1899-12-29 06:00:00"), QVariant(-0.5), g(32767), g(0)},
        {g(4), s("a"), s("b"), g(0), s("9999-12-31 23:59:59"), QVariant(0.1), g(-32768), g(1)},
        {g(5), s("a"), s("b"), g(0), s("0100-01-01 00:00:00"), QVariant(0.0), g(0), g(0)},
    };
    ASSERT_EQ(t.zeilen.size(), erwartet.size());
    for (size_t z = 0; z < erwartet.size(); ++z) {
        for (size_t sp = 0; sp < erwartet[z].size(); ++sp) {
            const QVariant& ist = t.zeilen[z][sp];
            EXPECT_EQ(ist.isNull(), erwartet[z][sp].isNull()) << z << '/' << sp;
            EXPECT_EQ(ist, erwartet[z][sp]) << z << '/' << sp << ": " << ist.toString().left(40).toStdString();
        }
    }
}

TEST_F(Import, damagedOrForeignFilesFailWithAReasonAndLeaveNoFile) {
    const QString gut = pfad("gut.mdb");
    // Two tables over several data pages; the writer puts the catalog's rows at the end of the file.
    JetTabelle a{QStringLiteral("A"),
                 {{QStringLiteral("id"), JetTyp::LongInteger}, {QStringLiteral("t"), JetTyp::Text}},
                 {},
                 {}};
    for (qint64 i = 0; i < 3000; ++i) {
        a.zeilen.push_back({i, QStringLiteral("Zeile %1").arg(i)});
    }
    JetTabelle b{QStringLiteral("B"), {{QStringLiteral("id"), JetTyp::LongInteger}}, {}, {}};
    for (qint64 i = 0; i < 500; ++i) {
        b.zeilen.push_back({i});
    }
    ASSERT_TRUE(mdbAusTabellen(gut, {a, b}));
    QFile f(gut);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray inhalt = f.readAll();
    constexpr int seite = 4096;
    const qsizetype seiten = inhalt.size() / seite;
    ASSERT_EQ(quenda::mdbImportieren(gut, pfad("gut.sqlite"), 60000).fehler(), QString());
    // The page holding the first rows of table A: a data page (type 1) right after A's definition.
    qsizetype datenseite = 0;
    for (qsizetype p = 3; p < seiten && !datenseite; ++p) {
        datenseite = inhalt.at(p * seite) == 1 && inhalt.mid(p * seite + 4, 4) != QByteArray(4, '\0') ? p : 0;
    }
    ASSERT_GT(datenseite, 0);
    const auto genullt = [&](qsizetype p) {
        return QByteArray(inhalt).replace(p * seite, seite, QByteArray(seite, 0));
    };
    const struct {
        const char* name;
        QByteArray daten;
    } faelle[] = {
        {"truncated in the middle of a page", inhalt.left(inhalt.size() / 2 + 100)},
        {"truncated at a page boundary (catalog lost)", inhalt.left((seiten - 2) * seite)},
        {"one data page zeroed", genullt(datenseite)},
        {"catalog definition page zeroed", genullt(2)},
        {"text file renamed .mdb", QByteArray("Das ist keine Datenbank.\r\n")},
        {"empty file", QByteArray()},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const QString mdb = pfad("kaputt.mdb");
        const QString ziel = pfad("kaputt.sqlite");
        QFile k(mdb);
        ASSERT_TRUE(k.open(QIODevice::WriteOnly | QIODevice::Truncate));
        k.write(fall.daten);
        k.close();
        const quenda::Ergebnis<void> importiert = quenda::mdbImportieren(mdb, ziel, 60000);
        EXPECT_FALSE(importiert.ok());
        EXPECT_FALSE(importiert.fehler().isEmpty());
        EXPECT_FALSE(importiert.fehler().contains(u'\n'));
        EXPECT_FALSE(QFile::exists(ziel));
        EXPECT_FALSE(QFile::exists(ziel + QString::fromLatin1(quenda::mdbImportTeilEndung)));
    }
}

TEST_F(Import, theSnapshotHasTheSchemaIndexesStatisticsAndCollation) {
    const QString mdb = pfad("klein.mdb");
    const auto spalten = [](std::initializer_list<const char*> namen, JetTyp letzte) {
        std::vector<JetSpalte> s;
        for (const char* name : namen) {
            s.push_back({QString::fromLatin1(name), JetTyp::LongInteger});
        }
        s.back().typ = letzte;
        return s;
    };
    ASSERT_TRUE(mdbAusTabellen(mdb, {{QStringLiteral("Verein"),
                                      spalten({"v_id", "verein"}, JetTyp::Text),
                                      {{qint64(1), QStringLiteral("TTC Süd")}, {qint64(2), QStringLiteral("TTC SÜD")}},
                                      {}},
                                     {QStringLiteral("sb_ergebnisse"),
                                      spalten({"erg_id", "syf_id", "status", "sp_id"}, JetTyp::LongInteger),
                                      {{qint64(1), qint64(2), qint64(4), qint64(1)}},
                                      {}}}));
    const QString ziel = pfad("klein.sqlite");
    ASSERT_EQ(quenda::mdbImportieren(mdb, ziel, 60000).fehler(), QString());
    const Tabelle indizes = tabelleLesen(ziel, QStringLiteral("sqlite_master"));
    QStringList namen;
    for (const auto& z : indizes.zeilen) {
        if (z[0].toString() == u"index") {
            namen.append(z[1].toString());
        }
    }
    namen.sort();
    // The keys came in ascending order: they are the rowids and need no index of their own.
    EXPECT_EQ(namen, QStringList(
                         {QStringLiteral("ix_sb_ergebnisse_sp_id"), QStringLiteral("ix_sb_ergebnisse_syf_id_status")}));
    EXPECT_FALSE(tabelleLesen(ziel, QStringLiteral("sqlite_stat1")).zeilen.empty());
    // Jet compares text without regard to case, beyond ASCII too.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(ziel).constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    quenda::jet::registrieren(db);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT count(*) FROM Verein WHERE verein = 'ttc süd'", -1, &st, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 2);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

// The tournament desk fills in results (the rows grow and move), shortens names (they stay in place),
// clears tables and deletes games; the file then holds the morning's rows with the day's edits on top.
TEST_F(Import, theSnapshotHoldsExactlyTheLiveRowsEachOnceWithTheirNewValuesInTheirPlace) {
    const QString morgens = pfad("morgens.sqlite");
    const QString abends = pfad("abends.sqlite");
    quenda::demo::Generator({1, quenda::demo::Groesse::Klein, quenda::demo::standardJetzt()}).erzeugen(morgens);
    ASSERT_TRUE(QFile::copy(morgens, abends));
    {
        quenda::Verbindung v;
        v.oeffnen(abends, quenda::Verbindung::Modus::Schreiben);
        v.ausfuehren(QStringLiteral("UPDATE sb_ergebnisse SET s1 = '11:9', s2 = '7:11', s3 = '13:11', s4 = '10:12', "
                                    "s5 = '11:8', sg = 3, sv = 2, status = 4 WHERE erg_id % 3 = 0"));
        v.ausfuehren(QStringLiteral("UPDATE Spieler SET vorname = substr(vorname, 1, 1) WHERE sl_id % 5 = 0"));
        v.ausfuehren(QStringLiteral("DELETE FROM sb_tischbelegung WHERE rowid % 2 = 0"));
        v.ausfuehren(QStringLiteral("DELETE FROM sb_ergebnisse WHERE erg_id % 7 = 1"));
        v.ausfuehren(QStringLiteral("INSERT INTO sb_tischbelegung (ts_id, erg_id, typ) VALUES (1, 3, 1)"));
    }
    const QString mdb = pfad("turnier.mdb");
    ASSERT_TRUE(mdbSchreiben(abends, mdb, morgens));

    int verschoben = 0, kopien = 0, weg = 0;
    for (const Slot& s : slots(lesen(mdb))) {
        const quint16 flags = s.wert & (geloescht | ausgelagert);
        verschoben += flags == ausgelagert;
        kopien += flags == geloescht;
        weg += flags == (geloescht | ausgelagert);
    }
    EXPECT_GT(verschoben, 10);
    EXPECT_EQ(kopien, verschoben);
    EXPECT_GT(weg, 10);

    const QString snapshot = pfad("turnier.sqlite");
    // The import includes the check of every row count.
    ASSERT_EQ(quenda::mdbImportieren(mdb, snapshot, 60000).fehler(), QString());
    for (const quenda::schema::Tabelle& tabelle : quenda::schema::tabellen()) {
        SCOPED_TRACE(tabelle.name.toStdString());
        const Tabelle soll = tabelleLesen(abends, tabelle.name);
        const Tabelle ist = tabelleLesen(snapshot, tabelle.name);
        EXPECT_EQ(ist.spalten, soll.spalten);
        ASSERT_EQ(ist.zeilen.size(), soll.zeilen.size());
        for (size_t z = 0; z < soll.zeilen.size(); ++z) {
            EXPECT_EQ(ist.zeilen[z], soll.zeilen[z]) << "row " << z;
        }
    }
    // libmdb's own scan names the two flags the other way round, which for these two cases happens to give
    // the same rows: the moved copies in place of their pointers, the deleted rows not at all.
    const auto csv = laufen(QStringLiteral("mdb-export"), {QStringLiteral("-H"), mdb, QStringLiteral("sb_ergebnisse")});
    ASSERT_TRUE(csv);
    EXPECT_EQ(csv->count('\n'),
              static_cast<qsizetype>(tabelleLesen(abends, QStringLiteral("sb_ergebnisse")).zeilen.size()));
}

TEST_F(Import, aPointerOfAMovedRowThatLeadsNowhereIsADamagedFile) {
    JetTabelle t{QStringLiteral("T"),
                 {{QStringLiteral("id"), JetTyp::LongInteger}, {QStringLiteral("t"), JetTyp::Text}},
                 {},
                 {}};
    for (qint64 i = 0; i < 10; ++i) {
        t.zeilen.push_back({i, QStringLiteral("x")});
    }
    t.bearbeitung.geaendert.emplace_back(3, quenda::demo::JetZeile{qint64(3), QString(200, u'y')});
    const QString gut = pfad("gut.mdb");
    ASSERT_TRUE(mdbAusTabellen(gut, {t}));
    ASSERT_EQ(quenda::mdbImportieren(gut, pfad("gut.sqlite"), 60000).fehler(), QString());
    const Tabelle gelesen = tabelleLesen(pfad("gut.sqlite"), QStringLiteral("T"));
    ASSERT_EQ(gelesen.zeilen.size(), 10u);
    EXPECT_EQ(gelesen.zeilen[3][1], QVariant(QString(200, u'y')));

    const QByteArray inhalt = lesen(gut);
    qsizetype zeiger = -1; // the file offset of the pointer row
    for (const Slot& s : slots(inhalt)) {
        if ((s.wert & (geloescht | ausgelagert)) == ausgelagert) {
            zeiger = s.pos / seite * seite + (s.wert & 0x1fff);
        }
    }
    ASSERT_GT(zeiger, 0);
    const auto umgelenkt = [&](char zeile, quint32 seitenNr) {
        QByteArray d = inhalt;
        d[zeiger] = zeile;
        d[zeiger + 1] = static_cast<char>(seitenNr & 0xff);
        d[zeiger + 2] = static_cast<char>(seitenNr >> 8 & 0xff);
        d[zeiger + 3] = static_cast<char>(seitenNr >> 16 & 0xff);
        return d;
    };
    const quint32 ziel = wort(inhalt, zeiger + 1) | static_cast<quint32>(static_cast<unsigned char>(inhalt[zeiger + 3]))
                                                        << 16;
    quint32 definition = 3;
    while (inhalt[definition * seite] != 2) {
        ++definition;
    }
    const struct {
        const char* name;
        QByteArray daten;
    } faelle[] = {
        {"a page beyond the end of the file", umgelenkt(0, 0xfffff0)},
        {"the table's definition page", umgelenkt(0, definition)},
        {"a data page of no table (the usage maps)", umgelenkt(0, 3)},
        {"a row the page does not have", umgelenkt(100, ziel)},
        {"the slot of the pointer itself", umgelenkt(static_cast<char>(3), static_cast<quint32>(zeiger / seite))},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const QString mdb = pfad("kaputt.mdb");
        schreiben(mdb, fall.daten);
        const quenda::Ergebnis<void> importiert = quenda::mdbImportieren(mdb, pfad("kaputt.sqlite"), 60000);
        EXPECT_FALSE(importiert.ok());
        EXPECT_FALSE(importiert.fehler().isEmpty());
        EXPECT_FALSE(QFile::exists(pfad("kaputt.sqlite")));
    }
}
