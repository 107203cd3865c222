#include "transfer/Webserverupload.h"
#include "demo/OrdnerAblage.h"
#include "settings/TAblage.h"
#include "support/TransferHilfen.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Statistik.h"
#include "transfer/ZyklusArchiv.h"

#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

const QString stempel = QStringLiteral("20261209090000");

// Both display targets in directory mode, with storage roots that do not exist yet.
class Upload : public ::testing::Test {
protected:
    Upload() {
        ablage = demo::ordnerAblage(ordner.dir.filePath(QStringLiteral("anzeige")),
                                    ordner.dir.filePath(QStringLiteral("handy")));
        ablage.host = QStringLiteral(" https://anzeige.example ");
        ablage.steuerdatei = QStringLiteral(" turnier ");
        ablage.dbzkd = QStringLiteral("42");
        statistik.neuerZyklus(QStringLiteral("09.12.2026 09:00:00"));
    }

    // A new instance, as each cycle (and each program start) makes one.
    std::unique_ptr<Webserverupload> neu() {
        return std::make_unique<Webserverupload>(ablage, ordner.tsdir, ordner.protokoll, statistik, fehler, ordner.uhr,
                                                 http);
    }
    void datei(const QString& name, const QByteArray& inhalt = "x\r\n") { schreiben(ordner.pfad(name), inhalt); }
    QString uploadOrdner(const QString& wurzel) const { return QDir(wurzel).filePath(QStringLiteral("zkd42/upload")); }
    std::array<int, 5> zaehler() const { return statistik.zyklen().back().zaehler; }
    QStringList offen(bool pocko) const {
        const QString pfad = ordner.pfad(Webserverupload::offenDatei(pocko));
        return QFile::exists(pfad) ? textdatei::lesen(pfad) : QStringList();
    }

    Arbeitsordner ordner;
    TAblage ablage;
    Statistik statistik;
    Fehlerzustand fehler;
    HttpMerken http;
};

struct Ziel {
    const char* titel;
    bool pocko;
    int okSpalte;
    int fehlerSpalte;
    const char* wfehler;
    const char* memoText;
    QStringList unterordner; // of the data folder made on first use
};

const Ziel ziele[] = {
    {"anzeige",
     false,
     3,
     4,
     "Verzeichnis zum Webserver nicht vorhanden!",
     " Verzeichnis zum Webserver nicht vorhanden: ",
     {QStringLiteral("images"), QStringLiteral("upload")}},
    {"handy",
     true,
     1,
     2,
     "Verzeichnis zum Webserver (POCKO) nicht vorhanden!",
     " Verzeichnis zum (Pocko)Webserver nicht vorhanden: ",
     {QStringLiteral("upload")}},
};

class UploadZiel : public Upload, public ::testing::WithParamInterface<Ziel> {
protected:
    const QString& wurzel() const { return GetParam().pocko ? ablage.verzeichnispocko : ablage.verzeichnis; }
    void senden(Webserverupload& upload, const QString& name, const QString& stempel, const QString& label) {
        if (GetParam().pocko) {
            upload.DateiPockoWebserverUpload(name, stempel, label);
        } else {
            upload.DateiWebserverUpload(name, stempel, label);
        }
    }
};

TEST_P(UploadZiel, missingStorageRootIsReportedCountedAndNotCreated) {
    const Ziel& ziel = GetParam();
    datei(QStringLiteral("spiele_0001_01_01.txt"));

    senden(*neu(), QStringLiteral("spiele_0001_01_01.txt"), stempel, QStringLiteral("Aktualisierung"));

    EXPECT_FALSE(QFileInfo::exists(wurzel()));
    std::array<int, 5> erwartet{};
    erwartet[static_cast<size_t>(ziel.fehlerSpalte - 1)] = 1;
    EXPECT_EQ(zaehler(), erwartet);
    EXPECT_EQ(fehler.wfehler(), QString::fromUtf8(ziel.wfehler));
    EXPECT_EQ(fehler.wmeldung(), wurzel());
    const QString zeile = ordner.L() + QString::fromUtf8(ziel.memoText) + wurzel();
    EXPECT_EQ(ordner.memo, QStringList{zeile});
    EXPECT_TRUE(ordner.log().contains(zeile));
}

TEST_P(UploadZiel, dataFolderIsMadeOnFirstUseAndTheCopyArrivesWhole) {
    const Ziel& ziel = GetParam();
    QDir().mkpath(wurzel());
    datei(QStringLiteral("tabelle_0001_01.txt"), "erste\r\n");

    const auto upload = neu();
    senden(*upload, QStringLiteral("tabelle_0001_01.txt"), stempel, QStringLiteral("Ersterstellung"));
    // The next cycle replaces nothing: it sends under its own stamp.
    datei(QStringLiteral("tabelle_0001_01.txt"), "zweite\r\n");
    senden(*upload, QStringLiteral("tabelle_0001_01.txt"), QStringLiteral("20261209090100"),
           QStringLiteral("Aktualisierung"));

    EXPECT_EQ(inhaltVon(QDir(wurzel()).filePath(QStringLiteral("zkd42"))), ziel.unterordner);
    // Nothing but the delivered files: no temporary copy is left beside them.
    EXPECT_EQ(inhaltVon(uploadOrdner(wurzel())), (QStringList{QStringLiteral("20261209090000_tabelle_0001_01.txt"),
                                                              QStringLiteral("20261209090100_tabelle_0001_01.txt")}));
    EXPECT_EQ(lesen(QDir(uploadOrdner(wurzel())).filePath(QStringLiteral("20261209090000_tabelle_0001_01.txt"))),
              QByteArray("erste\r\n"));
    EXPECT_EQ(lesen(QDir(uploadOrdner(wurzel())).filePath(QStringLiteral("20261209090100_tabelle_0001_01.txt"))),
              QByteArray("zweite\r\n"));
    EXPECT_EQ(zaehler()[static_cast<size_t>(ziel.okSpalte - 1)], 2);
    EXPECT_TRUE(ordner.log().contains(ordner.L() + QStringLiteral(" Ersterstellung: tabelle_0001_01.txt")));
    EXPECT_TRUE(fehler.wfehler().isEmpty());
    EXPECT_TRUE(ordner.memo.isEmpty());
}

TEST_P(UploadZiel, uploadFolderDeletedByHandIsMadeAgain) {
    QDir().mkpath(wurzel());
    datei(QStringLiteral("tabelle_0001_01.txt"));
    const auto upload = neu();
    senden(*upload, QStringLiteral("tabelle_0001_01.txt"), stempel, QStringLiteral("Ersterstellung"));
    ASSERT_TRUE(QDir(uploadOrdner(wurzel())).removeRecursively());

    senden(*upload, QStringLiteral("tabelle_0001_01.txt"), QStringLiteral("20261209090100"),
           QStringLiteral("Aktualisierung"));
    EXPECT_EQ(inhaltVon(uploadOrdner(wurzel())), QStringList{QStringLiteral("20261209090100_tabelle_0001_01.txt")});
}

TEST_P(UploadZiel, failedDeliveryIsSentAgainOnceTheRootExistsEvenAfterARestart) {
    const Ziel& ziel = GetParam();
    const QStringList namen{QStringLiteral("spiele_0001_01_01.txt"), QStringLiteral("tabelle_0001_01.txt"),
                            QStringLiteral("teilnehmer_0005.txt")};
    for (const QString& name : namen) {
        datei(name, name.toUtf8());
    }
    {
        const auto upload = neu();
        for (const QString& name : namen) {
            senden(*upload, name, stempel, QStringLiteral("Aktualisierung"));
        }
        // Still missing: nothing is tried and nothing counted again.
        upload->offeneNachsenden(QStringLiteral("20261209090030"));
    }
    EXPECT_EQ(offen(ziel.pocko), namen);
    EXPECT_EQ(zaehler()[static_cast<size_t>(ziel.fehlerSpalte - 1)], 3);
    EXPECT_TRUE(offen(!ziel.pocko).isEmpty());

    // The participant list is no longer produced; the root comes back; the program was restarted.
    QFile::remove(ordner.pfad(QStringLiteral("teilnehmer_0005.txt")));
    QDir().mkpath(wurzel());
    ordner.uhr.vorstellen(60);
    neu()->offeneNachsenden(QStringLiteral("20261209090100"));

    EXPECT_EQ(inhaltVon(uploadOrdner(wurzel())), (QStringList{QStringLiteral("20261209090100_spiele_0001_01_01.txt"),
                                                              QStringLiteral("20261209090100_tabelle_0001_01.txt")}));
    EXPECT_EQ(lesen(QDir(uploadOrdner(wurzel())).filePath(QStringLiteral("20261209090100_tabelle_0001_01.txt"))),
              QByteArray("tabelle_0001_01.txt"));
    EXPECT_EQ(zaehler()[static_cast<size_t>(ziel.okSpalte - 1)], 2);
    EXPECT_TRUE(offen(ziel.pocko).isEmpty());
    const QString label = ziel.pocko ? QStringLiteral(" Nachlieferung (POCKO): ") : QStringLiteral(" Nachlieferung: ");
    EXPECT_TRUE(ordner.log().contains(ordner.L() + label + QStringLiteral("spiele_0001_01_01.txt")));

    // Delivered once: the next cycle has nothing left to send.
    neu()->offeneNachsenden(QStringLiteral("20261209090200"));
    EXPECT_EQ(inhaltVon(uploadOrdner(wurzel())).size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Ziele, UploadZiel, ::testing::ValuesIn(ziele),
                         [](const auto& info) { return std::string(info.param.titel); });

TEST_F(Upload, starterListsNeverGoToThePhones) {
    QDir().mkpath(ablage.verzeichnispocko);
    datei(QStringLiteral("starter_0001_01.txt"));

    neu()->DateiPockoWebserverUpload(QStringLiteral("starter_0001_01.txt"), stempel, QStringLiteral("Ersterstellung"));

    EXPECT_FALSE(QFileInfo::exists(QDir(ablage.verzeichnispocko).filePath(QStringLiteral("zkd42"))));
    EXPECT_EQ(zaehler(), (std::array<int, 5>{}));
}

TEST_F(Upload, configurationTransferToAMissingRootIsAFailure) {
    datei(QStringLiteral("config_quenda.xml"));

    neu()->DateiWebserver(QStringLiteral("config_quenda.xml"));

    EXPECT_FALSE(QFileInfo::exists(ablage.verzeichnis));
    EXPECT_EQ(fehler.wfehler(), QStringLiteral("Verzeichnis zum Webserver nicht vorhanden!"));
    EXPECT_EQ(fehler.wmeldung(), ablage.verzeichnis);
    const QString zeile = ordner.L() + QStringLiteral(" Copy Fehler: ") +
                          QDir::toNativeSeparators(ordner.pfad(QStringLiteral("config_quenda.xml")));
    EXPECT_EQ(ordner.memo, QStringList{zeile});
    EXPECT_TRUE(ordner.log().contains(zeile));
    EXPECT_EQ(zaehler(), (std::array<int, 5>{}));
}

TEST_F(Upload, configurationAndImagesGoToTheRootOfTheDataFolder) {
    QDir().mkpath(ablage.verzeichnis);
    datei(QStringLiteral("config_quenda.xml"), "<c/>");
    datei(QStringLiteral("images/logo.png"), "png");

    const auto upload = neu();
    upload->DateiWebserver(QStringLiteral("config_quenda.xml"));
    upload->DateiWebserver(QStringLiteral("images/logo.png"));

    const QDir daten(QDir(ablage.verzeichnis).filePath(QStringLiteral("zkd42")));
    EXPECT_EQ(lesen(daten.filePath(QStringLiteral("config_quenda.xml"))), QByteArray("<c/>"));
    EXPECT_EQ(lesen(daten.filePath(QStringLiteral("images/logo.png"))), QByteArray("png"));
    EXPECT_EQ(inhaltVon(daten.path()),
              (QStringList{QStringLiteral("config_quenda.xml"), QStringLiteral("images"), QStringLiteral("upload")}));
    EXPECT_TRUE(fehler.wfehler().isEmpty());
    EXPECT_EQ(zaehler(), (std::array<int, 5>{}));
}

TEST_F(Upload, httpUploadIsCountedByTheServersAnswerAndResentAfterAFailure) {
    ablage.aktiv = 2;
    ablage.pocko = 0;
    datei(QStringLiteral("spiele_0001_01_01.txt"), "v1");
    const QString url = QStringLiteral("https://anzeige.example/turnier/httppost.php");
    const QString gesendet =
        QDir::toNativeSeparators(ordner.pfad(QStringLiteral("20261209090000_spiele_0001_01_01.txt")));

    http.antwort = false;
    neu()->DateiWebserverUpload(QStringLiteral("spiele_0001_01_01.txt"), stempel, QStringLiteral("Ersterstellung"));

    ASSERT_EQ(http.posts.size(), 1);
    EXPECT_EQ(http.posts[0].url, url);
    EXPECT_EQ(http.posts[0].datei, ordner.pfad(QStringLiteral("spiele_0001_01_01.txt")));
    EXPECT_EQ(http.posts[0].servername, QStringLiteral("/zkd42/upload/20261209090000_spiele_0001_01_01.txt"));
    EXPECT_EQ(zaehler(), (std::array<int, 5>{0, 0, 0, 1, 0}));
    EXPECT_EQ(fehler.wfehler(), QStringLiteral("Upload Fehler!"));
    EXPECT_EQ(fehler.wmeldung(), gesendet);
    EXPECT_EQ(ordner.memo, QStringList{ordner.L() + QStringLiteral(" Upload Fehler: ") + gesendet});
    EXPECT_EQ(offen(false), QStringList{QStringLiteral("spiele_0001_01_01.txt")});

    // The server is back: the next cycle sends the current version under its stamp, once.
    http.antwort = true;
    datei(QStringLiteral("spiele_0001_01_01.txt"), "v2");
    neu()->offeneNachsenden(QStringLiteral("20261209090100"));
    neu()->offeneNachsenden(QStringLiteral("20261209090200"));

    ASSERT_EQ(http.posts.size(), 2);
    EXPECT_EQ(http.posts[1].servername, QStringLiteral("/zkd42/upload/20261209090100_spiele_0001_01_01.txt"));
    EXPECT_EQ(http.posts[1].inhalt, QByteArray("v2"));
    EXPECT_EQ(zaehler(), (std::array<int, 5>{0, 0, 1, 1, 0}));
    EXPECT_TRUE(ordner.log().contains(
        ordner.L() + QStringLiteral(" Upload vom Webserver: ") +
        QDir::toNativeSeparators(ordner.pfad(QStringLiteral("20261209090100_spiele_0001_01_01.txt")))));
    EXPECT_TRUE(offen(false).isEmpty());
}

TEST_F(Upload, httpConfigurationTransferNamesTheFileBelowTheDataFolder) {
    ablage.aktiv = 2;
    datei(QStringLiteral("images/logo.png"), "png");

    neu()->DateiWebserver(QStringLiteral("images/logo.png"));
    http.antwort = false;
    neu()->DateiWebserver(QStringLiteral("images/logo.png"));

    ASSERT_EQ(http.posts.size(), 2);
    EXPECT_EQ(http.posts[0].servername, QStringLiteral("/zkd42/images/logo.png"));
    EXPECT_EQ(http.posts[0].inhalt, QByteArray("png"));
    EXPECT_EQ(fehler.wfehler(), QStringLiteral("Upload Fehler!"));
    EXPECT_EQ(fehler.wmeldung(), QStringLiteral("images/logo.png"));
    EXPECT_EQ(zaehler(), (std::array<int, 5>{}));
}

} // namespace

namespace {

// The cycle's archive for the phones; fails on request like a full disk.
struct ArchivMerken : ZyklusArchiv {
    void hinzufuegen(const QString&, const QString& eintrag) override {
        if (voll) {
            throw IoError(QStringLiteral("Kein Platz"));
        }
        eintraege.append(eintrag);
    }
    bool voll = false;
    QStringList eintraege;
};

} // namespace

TEST_F(Upload, aFileThatNeverReachedAPhoneArchiveGoesIntoALaterOne) {
    ablage.aktivpocko = 2;
    const QString name = QStringLiteral("tabelle_0001_01.txt");
    datei(name);
    {
        ArchivMerken archiv;
        archiv.voll = true;
        auto upload = neu();
        upload->setArchiv(&archiv);
        EXPECT_THROW(upload->DateiPockoWebserverUpload(name, stempel, QStringLiteral("Upload")), IoError);
    }
    EXPECT_EQ(offen(true), QStringList{name});

    // The next cycle adds it to its own archive; the archive then carries it until it is delivered.
    ArchivMerken naechstes;
    auto upload = neu();
    upload->setArchiv(&naechstes);
    upload->offeneNachsenden(QStringLiteral("20261209090100"));
    EXPECT_EQ(naechstes.eintraege, QStringList{QStringLiteral("20261209090100_") + name});
    EXPECT_TRUE(offen(true).isEmpty());

    // An archive that could not be written makes its files pending again.
    upload->setArchiv(nullptr);
    upload->archivVerloren();
    EXPECT_EQ(offen(true), QStringList{name});
}

namespace {

TEST_F(Upload, aFileThatFailedInThisCycleIsTriedAgainOnlyInTheNext) {
    ablage.aktiv = 2;
    ablage.pocko = 0;
    datei(QStringLiteral("auslodat.txt"));
    http.antwort = false;
    const auto upload = neu();
    upload->DateiWebserverUpload(QStringLiteral("auslodat.txt"), stempel, QStringLiteral("Aktualisierung"));
    upload->offeneNachsenden(stempel);
    EXPECT_EQ(http.posts.size(), 1) << "one attempt, one error and one count per cycle";
    EXPECT_EQ(zaehler()[3], 1);

    // Already pending from an earlier cycle and changed again: the same holds.
    const auto naechster = neu();
    http.antwort = false;
    naechster->DateiWebserverUpload(QStringLiteral("auslodat.txt"), stempel, QStringLiteral("Aktualisierung"));
    naechster->offeneNachsenden(stempel);
    EXPECT_EQ(http.posts.size(), 2);

    http.antwort = true;
    neu()->offeneNachsenden(QStringLiteral("20261209090200"));
    EXPECT_EQ(http.posts.size(), 3);
    EXPECT_TRUE(offen(false).isEmpty());
}

TEST_F(Upload, aPlantedPendingListPublishesOnlyRegularFilesOfTheNamesTheCycleStages) {
    ablage.pocko = 0;
    QDir().mkpath(ablage.verzeichnis);
    const QString privat = ordner.dir.filePath(QStringLiteral("privat.txt"));
    schreiben(privat, "geheim");
    const QStringList fremde{QStringLiteral("config_ablage.xml"),    QStringLiteral("protokoll_20261209.pzk"),
                             QStringLiteral("nachsenden_pocko.lst"), QStringLiteral("20261209085900_pockoupload.zip"),
                             QStringLiteral("config_quenda.xml"),    QStringLiteral("spiele_0001_01_01_org.txt"),
                             QStringLiteral("spiele_01_01_01.txt"),  QStringLiteral("meldung_01_01_01_01_org.txt")};
    for (const QString& name : fremde) {
        datei(name);
    }
    datei(QStringLiteral("spiele_0001_01_01.txt"));
    datei(QStringLiteral("meldung_01_01_01_01.txt"));
    ASSERT_TRUE(QFile::link(privat, ordner.pfad(QStringLiteral("tabelle_0001_01.txt"))));
    schreiben(ordner.pfad(Webserverupload::offenDatei(false)),
              (fremde + QStringList{QStringLiteral("spiele_0001_01_01.txt"), QStringLiteral("tabelle_0001_01.txt"),
                                    QStringLiteral("meldung_01_01_01_01.txt"), QStringLiteral("../privat.txt")})
                  .join(QStringLiteral("\r\n"))
                  .toUtf8());

    neu()->offeneNachsenden(stempel);

    EXPECT_EQ(inhaltVon(uploadOrdner(ablage.verzeichnis)),
              (QStringList{QStringLiteral("20261209090000_meldung_01_01_01_01.txt"),
                           QStringLiteral("20261209090000_spiele_0001_01_01.txt")}));
    EXPECT_TRUE(offen(false).isEmpty());
    EXPECT_EQ(lesen(privat), QByteArray("geheim"));
}

TEST_F(Upload, onlyTheCyclesOwnArchivesGoToThePhones) {
    ablage.aktivpocko = 2;
    ablage.anzweb = 0;
    ablage.hostpocko = QStringLiteral("https://handy.example");
    ablage.steuerdateipocko = QStringLiteral("t");
    const QString privat = ordner.dir.filePath(QStringLiteral("privat.zip"));
    schreiben(privat, "geheim");
    for (const char* name : {"20261209085900_pockoupload.zip", "eigene.zip", "x_pockoupload.zip",
                             "2026120908590_pockoupload.zip", "20261209085900_pockoupload.zip.alt"}) {
        datei(QString::fromLatin1(name));
    }
    ASSERT_TRUE(QFile::link(privat, ordner.pfad(QStringLiteral("20261209085800_pockoupload.zip"))));

    neu()->HTTPZip(0);

    ASSERT_EQ(http.posts.size(), 1);
    EXPECT_EQ(http.posts[0].servername, QStringLiteral("/zkd42/upload/20261209085900_pockoupload.zip"));
    for (const char* name : {"eigene.zip", "x_pockoupload.zip", "2026120908590_pockoupload.zip",
                             "20261209085900_pockoupload.zip.alt", "20261209085800_pockoupload.zip"}) {
        EXPECT_TRUE(QFileInfo::exists(ordner.pfad(QString::fromLatin1(name)))) << name;
    }
    EXPECT_FALSE(QFile::exists(ordner.pfad(QStringLiteral("20261209085900_pockoupload.zip"))));
    EXPECT_EQ(lesen(privat), QByteArray("geheim"));
}

} // namespace
