#include "transfer/Anzeigesteuerung.h"
#include "support/HttpHilfen.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Statistik.h"
#include "transfer/TINDY.h"

using namespace quenda;
using namespace quenda::test;

namespace {

class Anzeige : public ::testing::Test {
protected:
    Anzeige() {
        kontext.tsdir = ordner.tsdir;
        ablage.anzweb = 1;
        ablage.dbzkd = QStringLiteral("42");
    }
    Anzeigesteuerung steuerung() {
        return Anzeigesteuerung(kontext, ablage, ordner.protokoll, statistik, fehler, ordner.uhr, tindy);
    }

    Arbeitsordner ordner;
    Turnierkontext kontext;
    TAblage ablage;
    Statistik statistik;
    Fehlerzustand fehler;
    MeldungenMerken meldungen;
    TINDY tindy{meldungen};
};

TEST_F(Anzeige, directoryModeReadsTheLogModeFromTheTargetsCopy) {
    ablage.aktiv = 1;
    ablage.verzeichnis = ordner.dir.filePath(QStringLiteral("web")) + u'/';
    QDir().mkpath(ablage.verzeichnis);
    const QString ziel = ordner.dir.filePath(QStringLiteral("web/zkd42/"));
    EXPECT_FALSE(steuerung().LogCheck()) << "no copy yet";

    EXPECT_TRUE(steuerung().LogOnOff_setzen(true));
    EXPECT_EQ(lesen(ziel + QStringLiteral("logmodus.cfg")), QByteArray("on\r\n"));
    EXPECT_FALSE(steuerung().LogOnOff_setzen(false));
    EXPECT_EQ(lesen(ziel + QStringLiteral("logmodus.cfg")), QByteArray("off\r\n"));
    EXPECT_TRUE(steuerung().RefreshAnzeige());
    EXPECT_EQ(lesen(ziel + QStringLiteral("refresh.cfg")), QByteArray("Refresh\r\n"));

    const struct {
        QByteArray inhalt;
        bool an;
    } kopien[] = {{"on\r\n", true}, {"on", true}, {"On\r\n", false}, {"on \r\n", false}, {"off\r\non\r\n", false}};
    for (const auto& k : kopien) {
        schreiben(ziel + QStringLiteral("logmodus.cfg"), k.inhalt);
        EXPECT_EQ(steuerung().LogCheck(), k.an) << k.inhalt.toStdString();
    }
    schreiben(ziel + QStringLiteral("logmodus.cfg"), QByteArray());
    EXPECT_THROW(steuerung().LogCheck(), IoError);
    EXPECT_EQ(fehler.wfehler(), QString());
    EXPECT_TRUE(ordner.memo.isEmpty());
}

TEST_F(Anzeige, directoryModeWithoutStorageRootReportsTheFailure) {
    ablage.aktiv = 1;
    ablage.verzeichnis = ordner.dir.filePath(QStringLiteral("fehlt")) + u'/';
    EXPECT_FALSE(steuerung().LogOnOff_setzen(true));
    EXPECT_EQ(fehler.wfehler(), QStringLiteral("Verzeichnis zum Webserver nicht vorhanden!"));
    EXPECT_EQ(ordner.memo, QStringList{ordner.L() + QStringLiteral(" Copy Fehler: ") +
                                       QDir::toNativeSeparators(ordner.pfad(QStringLiteral("logmodus.cfg")))});
    EXPECT_FALSE(QDir(ablage.verzeichnis).exists());
    ablage.verzeichnis.clear();
    EXPECT_FALSE(steuerung().LogCheck());
}

TEST_F(Anzeige, httpModeReadsTheLastLogModeThatArrived) {
    PhpServer server;
    ablage.aktiv = 2;
    ablage.host = server.basis();
    ablage.steuerdatei = QStringLiteral("web");
    const QString ziel = server.wurzel() + QStringLiteral("/zkd42/");

    EXPECT_TRUE(steuerung().LogOnOff_setzen(true));
    EXPECT_EQ(lesen(ziel + QStringLiteral("logmodus.cfg")), QByteArray("on\r\n"));
    EXPECT_TRUE(steuerung().RefreshAnzeige());
    EXPECT_EQ(lesen(ziel + QStringLiteral("refresh.cfg")), QByteArray("Refresh\r\n"));

    // "off" does not arrive: the mode stays on, as on the server, and can be switched off later.
    ablage.steuerdatei = QStringLiteral("anders");
    EXPECT_TRUE(steuerung().LogOnOff_setzen(false));
    EXPECT_EQ(lesen(ordner.pfad(QStringLiteral("logmodus.cfg"))), QByteArray("on\r\n"));
    EXPECT_EQ(fehler.wfehler(), QStringLiteral("Upload Fehler!"));
    EXPECT_EQ(fehler.wmeldung(), QStringLiteral("logmodus.cfg"));
    EXPECT_EQ(meldungen.texte, QStringList{QStringLiteral("Fehler: Speicher voll")});

    ablage.steuerdatei = QStringLiteral("web");
    EXPECT_FALSE(steuerung().LogOnOff_setzen(false));
    EXPECT_EQ(lesen(ziel + QStringLiteral("logmodus.cfg")), QByteArray("off\r\n"));
    EXPECT_FALSE(steuerung().LogCheck());
}

} // namespace
