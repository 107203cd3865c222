#include "MdbTestHilfen.h"
#include "db/MdbImport.h"
#include "db/Schema.h"
#include "db/Verbindung.h"
#include "demo/Generator.h"

#include <QTemporaryDir>

using namespace mdbtest;
using namespace quenda;

namespace {

const bool programmGesetzt = qputenv("QUENDA_MDBIMPORT", QUENDA_MDBIMPORT_PROGRAMM);

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

QByteArray lesen(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreiben(const QString& pfad, const QByteArray& inhalt) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

class Tagesverlauf : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programmGesetzt);
        ASSERT_TRUE(dir.isValid());
    }
    QString pfad(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
};

} // namespace

// The tournament desk fills in results (the rows grow and move), shortens names (they stay in place),
// clears tables and deletes games; the file then holds the morning's rows with the day's edits on top.
TEST_F(Tagesverlauf, theSnapshotHoldsExactlyTheLiveRowsEachOnceWithTheirNewValuesInTheirPlace) {
    const QString morgens = pfad("morgens.sqlite");
    const QString abends = pfad("abends.sqlite");
    demo::Generator({1, demo::Groesse::Klein, demo::standardJetzt()}).erzeugen(morgens);
    ASSERT_TRUE(QFile::copy(morgens, abends));
    {
        Verbindung v;
        v.oeffnen(abends, Verbindung::Modus::Schreiben);
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
    ASSERT_EQ(mdbImportieren(mdb, snapshot, 60000), QString()); // includes the check of every row count
    for (const schema::Tabelle& tabelle : schema::tabellen()) {
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

TEST_F(Tagesverlauf, aPointerOfAMovedRowThatLeadsNowhereIsADamagedFile) {
    using demo::JetTyp;
    demo::JetTabelle t{QStringLiteral("T"),
                       {{QStringLiteral("id"), JetTyp::LongInteger}, {QStringLiteral("t"), JetTyp::Text}},
                       {},
                       {}};
    for (qint64 i = 0; i < 10; ++i) {
        t.zeilen.push_back({i, QStringLiteral("x")});
    }
    t.bearbeitung.geaendert.emplace_back(3, demo::JetZeile{qint64(3), QString(200, u'y')});
    const QString gut = pfad("gut.mdb");
    ASSERT_TRUE(mdbAusTabellen(gut, {t}));
    ASSERT_EQ(mdbImportieren(gut, pfad("gut.sqlite"), 60000), QString());
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
        const QString grund = mdbImportieren(mdb, pfad("kaputt.sqlite"), 60000);
        EXPECT_FALSE(grund.isEmpty());
        EXPECT_FALSE(QFile::exists(pfad("kaputt.sqlite")));
    }
}
