#include "transfer/ZipArchiv.h"
#include "ZyklusHilfen.h"
#include "support/HttpHilfen.h"
#include "transfer/TINDY.h"
#include "transfer/Webserverupload.h"

#include "support/ZipLesen.h"
#include <zip.h>

using namespace quenda;
using namespace quenda::test;

namespace {

struct Eintrag {
    QString name;
    QByteArray inhalt;
    int methode;
    bool operator==(const Eintrag&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Eintrag& e) {
    return os << e.name << " (" << e.inhalt.size() << " bytes, method " << e.methode << ')';
}

// The entries of an archive as libzip reads them back.
QList<Eintrag> eintraege(const QString& pfad) {
    QList<Eintrag> liste;
    const auto gelesen = zipLesen(pfad);
    if (!gelesen) {
        ADD_FAILURE() << "cannot open " << pfad;
        return liste;
    }
    for (const Zipeintrag& e : *gelesen) {
        liste.append({e.name, e.inhalt, e.methode});
    }
    return liste;
}

TEST(ZipArchiv, entriesAreDeflatedUnderTheirNamesAndSourcesMayGoAtOnce) {
    Arbeitsordner o;
    QByteArray binaer;
    for (int i = 0; i < 256; ++i) {
        binaer.append(static_cast<char>(i));
    }
    const QByteArray text = QByteArray("Gruppe 1|M\xfcller|3:1|\r\n").repeated(50);
    ZipArchiv archiv(o.pfad(QStringLiteral("20261209090000_pockoupload.zip")));
    const QList<Eintrag> erwartet{{QStringLiteral("20261209090000_spiele0001_01_01.txt"), text, ZIP_CM_DEFLATE},
                                  {QStringLiteral("20261209090000_bild.png"), binaer, ZIP_CM_DEFLATE}};
    for (const Eintrag& e : erwartet) {
        const QString quelle = o.pfad(e.name);
        schreiben(quelle, e.inhalt);
        archiv.hinzufuegen(quelle, e.name);
        QFile::remove(quelle);
    }
    EXPECT_EQ(archiv.anzahl(), 2);
    archiv.schliessen();
    EXPECT_EQ(eintraege(archiv.pfad()), erwartet);
    EXPECT_LT(QFileInfo(archiv.pfad()).size(), text.size()) << "compressed";
    EXPECT_EQ(inhaltVon(o.tsdir), QStringList{QStringLiteral("20261209090000_pockoupload.zip")});

    EXPECT_THROW(ZipArchiv(o.pfad(QStringLiteral("x.zip")))
                     .hinzufuegen(o.pfad(QStringLiteral("fehlt.txt")), QStringLiteral("x")),
                 IoError);
}

TEST(ZipArchiv, anEmptyArchiveLeavesNoFileEvenWhereOneWas) {
    Arbeitsordner o;
    const QString pfad = o.pfad(QStringLiteral("20261209090000_pockoupload.zip"));
    schreiben(pfad, "alt");
    ZipArchiv archiv(pfad);
    EXPECT_EQ(archiv.anzahl(), 0);
    archiv.schliessen();
    EXPECT_FALSE(QFile::exists(pfad));
}

// The mobile-phone target by HTTP(S) against the PHP server.
class Archive : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new PhpServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        server->steuern(QStringLiteral("wurzel"), wurzel.path());
        server->steuern(QStringLiteral("token"), QString());
        u.ablage.pocko = 1;
        u.ablage.aktivpocko = 2;
        u.ablage.hostpocko = server->basis();
        u.ablage.steuerdateipocko = QStringLiteral("web");
        u.ablage.dbzkd = QStringLiteral("z");
    }
    // One cycle at 09:mm:00 of the generator's day.
    void zyklus(int minute, bool resend) {
        u.uhr.festsetzen(QDateTime(demo::standardJetzt().date(), QTime(9, minute, 0), Qt::UTC));
        u.resend = resend;
        Datenzyklus({u.kontext, u.ablage, u.liste, u.protokoll, u.uhr, u.statistik, u.fehler, tindy, u.meldungen,
                     u.abbruch, u.resend, u.fabrik()})
            .Execute();
    }
    QStringList archiveImArbeitsordner() const {
        return QDir(u.tsdir).entryList({QStringLiteral("*.zip")}, QDir::Files, QDir::Name);
    }
    QString hochgeladen(const QString& name) const { return wurzel.filePath(QStringLiteral("zkdz/upload/") + name); }
    std::array<int, 5> zaehler(int zyklus) const { return u.statistik.zyklen().at(zyklus - 1).zaehler; }

    static inline PhpServer* server = nullptr;
    QTemporaryDir wurzel;
    Zyklusumfeld u;
    TINDY tindy{u.meldungen};
};

TEST_F(Archive, httpZipSendsEveryArchiveCountingTheCyclesFilesForEach) {
    QDir().mkpath(u.tsdir);
    u.statistik.neuerZyklus(QStringLiteral("09.12.2026 09:00:00"));
    const QStringList namen{QStringLiteral("20261209085800_pockoupload.zip"),
                            QStringLiteral("20261209085900_pockoupload.zip"),
                            QStringLiteral("20261209090000_pockoupload.zip")};
    // Real archives, each with one data file of its cycle: the upload script unpacks what it stores.
    for (const QString& name : namen) {
        const QString eintrag = name.left(15) + QStringLiteral("auslodatpocko.txt");
        schreiben(u.pfad(QStringLiteral("quelle.txt")), name.toUtf8());
        ZipArchiv archiv(u.pfad(name));
        archiv.hinzufuegen(u.pfad(QStringLiteral("quelle.txt")), eintrag);
        archiv.schliessen();
    }
    QFile::remove(u.pfad(QStringLiteral("quelle.txt")));

    u.ablage.steuerdateipocko = QStringLiteral("anders");
    Webserverupload(u.ablage, u.tsdir, u.protokoll, u.statistik, u.fehler, u.uhr, tindy).HTTPZip(5);
    EXPECT_EQ(archiveImArbeitsordner(), namen) << "failed archives stay";
    EXPECT_EQ(zaehler(1), (std::array<int, 5>{0, 15, 0, 0, 0}));
    EXPECT_EQ(u.fehler.wfehler(), QStringLiteral("Upload Fehler (POCKO)!"));
    EXPECT_EQ(u.fehler.wmeldung(), QDir::toNativeSeparators(u.pfad(namen.last())));
    EXPECT_EQ(u.meldungen.texte.size(), 3);
    for (const QString& name : namen) {
        const QString zeile =
            u.L() + QStringLiteral(" Upload Fehler (Pocko): ") + QDir::toNativeSeparators(u.pfad(name));
        EXPECT_TRUE(u.memo.contains(zeile)) << zeile;
        EXPECT_TRUE(u.log().contains(zeile)) << zeile;
    }

    u.ablage.steuerdateipocko = QStringLiteral("web");
    Webserverupload(u.ablage, u.tsdir, u.protokoll, u.statistik, u.fehler, u.uhr, tindy).HTTPZip(4);
    EXPECT_EQ(archiveImArbeitsordner(), QStringList());
    EXPECT_EQ(zaehler(1), (std::array<int, 5>{12, 15, 0, 0, 0}));
    QStringList gesendet;
    for (const QString& name : namen) {
        EXPECT_TRUE(QFile::exists(hochgeladen(name)));
        EXPECT_EQ(lesen(hochgeladen(name.left(15) + QStringLiteral("auslodatpocko.txt"))), name.toUtf8());
        gesendet.append(u.L() + QStringLiteral(" Upload vom Webserver (Pocko): ") +
                        QDir::toNativeSeparators(u.pfad(name)));
    }
    EXPECT_EQ(u.log().mid(u.log().size() - 3), gesendet) << "oldest first";
}

TEST_F(Archive, archivesOfFailedCyclesGoOutWithTheNextGoodOne) {
    u.ablage.steuerdateipocko = QStringLiteral("anders");
    zyklus(0, false);
    zyklus(1, true);
    const QStringList liegen{QStringLiteral("20261209090000_pockoupload.zip"),
                             QStringLiteral("20261209090100_pockoupload.zip")};
    ASSERT_EQ(archiveImArbeitsordner(), liegen);
    EXPECT_TRUE(u.log().contains(QStringLiteral("2026-12-09 09:00:00 ZIP-Datei Open 20261209090000")));
    const QList<Eintrag> erstes = eintraege(u.pfad(liegen[0]));
    ASSERT_FALSE(erstes.isEmpty());
    EXPECT_TRUE(std::any_of(erstes.begin(), erstes.end(), [](const Eintrag& e) {
        return e.name == QStringLiteral("20261209090000_auslodatpocko.txt");
    }));
    for (const Eintrag& e : erstes) {
        EXPECT_TRUE(e.name.startsWith(QStringLiteral("20261209090000_"))) << e.name;
        EXPECT_FALSE(e.name.contains(u'/'));
        EXPECT_EQ(e.methode, ZIP_CM_DEFLATE);
        EXPECT_EQ(e.inhalt, lesen(u.pfad(e.name.mid(15))));
    }
    EXPECT_EQ(zaehler(1)[1], erstes.size());
    EXPECT_EQ(u.fehler.wfehler(), QStringLiteral("Upload Fehler (POCKO)!"));
    EXPECT_TRUE(u.meldungen.texte.contains(QStringLiteral("Fehler: Speicher voll")));

    u.ablage.steuerdateipocko = QStringLiteral("web");
    zyklus(2, true);
    EXPECT_EQ(archiveImArbeitsordner(), QStringList());
    const QString drittes = QStringLiteral("20261209090200_pockoupload.zip");
    for (const QString& name : liegen + QStringList{drittes}) {
        EXPECT_TRUE(QFile::exists(hochgeladen(name))) << name;
    }
    const qsizetype dieses = eintraege(hochgeladen(drittes)).size();
    EXPECT_EQ(zaehler(3)[0], 3 * dieses);
    EXPECT_EQ(zaehler(3)[1], 0);
    EXPECT_TRUE(QDir(u.tsdir).entryList({QStringLiteral("2026*")}).isEmpty()) << "no stamped copy is left";

    // Nothing changed: the empty archive is deleted and logged, nothing is sent or counted.
    zyklus(3, false);
    const QString leer = u.pfad(QStringLiteral("20261209090300_pockoupload.zip"));
    EXPECT_TRUE(u.log().contains(QStringLiteral("2026-12-09 09:03:00 Lösche Leere ZIP-Datei ") +
                                 QDir::toNativeSeparators(leer)));
    EXPECT_FALSE(QFile::exists(leer));
    EXPECT_FALSE(QFile::exists(hochgeladen(QFileInfo(leer).fileName())));
    EXPECT_EQ(zaehler(4)[0], 0);
}

} // namespace
