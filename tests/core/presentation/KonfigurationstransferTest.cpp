#include "presentation/Konfigurationstransfer.h"
#include "presentation/ConfigDatei.h"
#include "presentation/Meldungsdatei.h"
#include "settings/TAblage.h"
#include "support/TransferHilfen.h"
#include "transfer/Dateianlage.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Statistik.h"
#include "transfer/Webserverupload.h"

#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

// Fails the upload of one file name.
struct HttpMitFehler : HttpMerken {
    bool HTTP_POST(const QString& url, const QString& datei, const QString& servername) override {
        HttpMerken::HTTP_POST(url, datei, servername);
        return !servername.endsWith(fehlschlag);
    }
    QString fehlschlag = QStringLiteral("-");
};

class KonfigTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        ablage.aktiv = 2;
        ablage.host = QStringLiteral("http://127.0.0.1:1");
        ablage.steuerdatei = QStringLiteral("quenda");
        ablage.anzweb = 1;
        ablage.dbzkd = QStringLiteral("20261209");
        ConfigSave(ordner.pfad(QStringLiteral("config_quenda.xml")), QStringLiteral("T"), {});
        for (const char* bild : {"logo.png", "b.jpg", "c.bmp"}) {
            schreiben(ordner.pfad(QStringLiteral("images/") + QString::fromLatin1(bild)), "bild");
        }
    }
    QStringList gesendet() const {
        QStringList namen;
        for (const auto& post : http.posts) {
            namen.append(post.servername);
        }
        return namen;
    }

    Arbeitsordner ordner;
    TAblage ablage;
    Statistik statistik;
    Fehlerzustand fehler;
    HttpMitFehler http;
    // Takes the settings as they are when it is made, as the program's transfers do.
    void senden() {
        Webserverupload upload(ablage, ordner.tsdir, ordner.protokoll, statistik, fehler, ordner.uhr, http);
        konfigurationSenden(upload, ordner.tsdir);
    }
};

} // namespace

TEST_F(KonfigTransfer, configurationFirstThenEveryPicture) {
    senden();
    EXPECT_EQ(
        gesendet(),
        (QStringList{QStringLiteral("/zkd20261209/config_quenda.xml"), QStringLiteral("/zkd20261209/images/b.jpg"),
                     QStringLiteral("/zkd20261209/images/c.bmp"), QStringLiteral("/zkd20261209/images/logo.png")}));
    EXPECT_TRUE(fehler.wfehler().isEmpty());
}

TEST_F(KonfigTransfer, aFailedPictureStillSendsTheOthersAndLeavesTheFailureState) {
    http.fehlschlag = QStringLiteral("b.jpg");
    senden();
    EXPECT_EQ(gesendet().size(), 4);
    EXPECT_FALSE(fehler.wfehler().isEmpty());
}

TEST_F(KonfigTransfer, directoryModeWithoutStorageRootIsAFailureNotASuccess) {
    ablage.aktiv = 1;
    ablage.verzeichnis = ordner.dir.filePath(QStringLiteral("gibtsnicht/"));
    senden();
    EXPECT_FALSE(fehler.wfehler().isEmpty());

    // With the root present every file arrives in the data folder.
    fehler.leeren();
    ablage.verzeichnis = ordner.dir.filePath(QStringLiteral("web/"));
    QDir().mkpath(ablage.verzeichnis);
    senden();
    EXPECT_TRUE(fehler.wfehler().isEmpty());
    EXPECT_EQ(inhaltVon(ablage.verzeichnis + QStringLiteral("zkd20261209/images")),
              (QStringList{QStringLiteral("b.jpg"), QStringLiteral("c.bmp"), QStringLiteral("logo.png")}));
    EXPECT_TRUE(QFile::exists(ablage.verzeichnis + QStringLiteral("zkd20261209/config_quenda.xml")));
}

TEST_F(KonfigTransfer, aMessagePublishedByTheCycleIsLoadedFromThePublishedFile) {
    std::atomic<bool> resend{false};
    Webserverupload upload(ablage, ordner.tsdir, ordner.protokoll, statistik, fehler, ordner.uhr, http);
    Dateianlage staging(ordner.tsdir, ablage, upload, statistik, ordner.protokoll, ordner.uhr, resend);
    const QString org = meldungDateiname(1, 1, 1, 1, true);
    MeldungSave(ordner.tsdir, org, {QStringLiteral("Halle schließt um 22 Uhr"), Meldungskodierung::Ansi});
    staging.DateiAnlage(org, QStringLiteral("20261209090000"), 3);
    ASSERT_FALSE(QFile::exists(ordner.pfad(org)));
    EXPECT_EQ(MeldungLoad(ordner.tsdir, org).text, QStringLiteral("Halle schließt um 22 Uhr"));
}
