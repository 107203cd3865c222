#include "StoerHilfen.h"
#include "app/HeadlessModus.h"
#include "db/Verbindung.h"
#include "settings/XmlKonfig.h"
#include "support/HeadlessAufruf.h"

#include <csignal>
#include <sys/resource.h>

using namespace quenda;
using namespace quenda::test;

namespace {

// The real program, headless, on a copy of the generated tournament with both targets as folders.
class Programm : public ::testing::Test {
protected:
    void SetUp() override {
        anwendung();
        ASSERT_TRUE(QFile::copy(demoVorlage(), db));
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
        QDir().mkpath(tsdir);
        QDir().mkpath(web);
        QDir().mkpath(pocko);
        werte = demo::ordnerAblage(web, pocko);
        TAblage ablage;
        Ablagesave(tsdir, ablage, werte, QStringLiteral("stoer"), demo::standardJetzt());
        ablageDatei = lesen(QDir(tsdir).filePath(ablageDateiname()));
    }

    // Starts a run; every run starts ten program minutes after the previous one, so stamps keep rising.
    void starten(QProcess& p, int zyklen, const std::function<void()>& kindVorbereiten = {}) {
        p.setProcessEnvironment(isolierteUmgebung(dir.filePath(QStringLiteral("heim"))));
        if (kindVorbereiten) {
            p.setChildProcessModifier(kindVorbereiten);
        }
        const QString zeit =
            demo::standardJetzt().addSecs(600 * lauf++).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        p.start(QStringLiteral(QUENDA_BINARY), headlessAufruf(db, zyklen, zeit));
        ASSERT_TRUE(p.waitForStarted(30000));
    }
    // A run to its end with the exit status expected; its memo lines and messages.
    QString laufen(int zyklen, const std::function<void()>& kindVorbereiten = {}, int status = 0) {
        QProcess p;
        starten(p, zyklen, kindVorbereiten);
        EXPECT_TRUE(p.waitForFinished(300000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        const QString ausgabe = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), status) << ausgabe;
        return ausgabe;
    }
    void spielen(int schritte) {
        demo::Simulator sim(db, {static_cast<quint64>(lauf) + 11, demo::standardJetzt().addSecs(600 * lauf)});
        for (int i = 0; i < schritte; ++i) {
            sim.schritt();
        }
    }
    QStringList abgleichen() const {
        return abgleich(tsdir, web + QStringLiteral("/zkdstoer/upload"), pocko + QStringLiteral("/zkdstoer/upload"));
    }
    // Files of the working folder that the program does not make: temporary copies a crash left behind.
    QStringList fremdImArbeitsordner() const {
        static const QRegularExpression eigene(
            QStringLiteral("^([a-z]+[0-9_]*(_org)?\\.txt|protokoll_\\d{8}\\.pzk|config_(ablage|auslo)\\.xml|"
                           "nachsenden_(anzweb|pocko)\\.lst|zyklus_laeuft\\.mrk|zielstatus\\.xml|images)$"));
        QStringList fremd;
        for (const QString& name : inhaltVon(tsdir)) {
            if (!eigene.match(name).hasMatch()) {
                fremd.append(name);
            }
        }
        return fremd;
    }

    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("turnier.sqlite"));
    const QString tsdir = dir.filePath(QStringLiteral("qnda001turnier"));
    const QString web = dir.filePath(QStringLiteral("web"));
    const QString pocko = dir.filePath(QStringLiteral("pocko"));
    TAblage werte;
    QByteArray ablageDatei;
    int lauf = 0;
};

TEST_F(Programm, killedInTheMiddleOfACycleItLeavesNothingHalfWrittenAndCatchesUp) {
    laufen(1);
    ASSERT_EQ(abgleichen(), QStringList());
    // Killed at different moments of the second or third cycle; the tournament goes on in between.
    for (int versuch = 0; versuch < 6; ++versuch) {
        SCOPED_TRACE(versuch);
        spielen(6);
        QProcess p;
        starten(p, 100);
        int starts = 0;
        while (starts < 2 + versuch % 2 && p.waitForReadyRead(60000)) {
            while (p.canReadLine()) {
                starts += QString::fromUtf8(p.readLine()).contains(QStringLiteral("Start Übertragung"));
            }
        }
        ASSERT_EQ(starts, 2 + versuch % 2);
        QThread::usleep(static_cast<unsigned long>(versuch * 7000));
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);

        EXPECT_EQ(fremdImArbeitsordner(), QStringList());
        EXPECT_EQ(lesen(QDir(tsdir).filePath(ablageDateiname())), ablageDatei);
        const QString intervalle = QDir(tsdir).filePath(QStringLiteral("config_auslo.xml"));
        if (QFile::exists(intervalle)) {
            EXPECT_TRUE(xmlkonfig::kinderLesen(intervalle).ok());
        }
        for (const QString& name : behalteneDateien(tsdir)) {
            const QByteArray inhalt = lesen(QDir(tsdir).filePath(name));
            EXPECT_TRUE(inhalt.isEmpty() || inhalt.endsWith("\r\n")) << "truncated: " << name;
        }
        for (const QString& ziel : {web, pocko}) {
            EXPECT_EQ(zielstand(ziel + QStringLiteral("/zkdstoer/upload")).fremd, QStringList());
        }
    }
    spielen(6);
    laufen(2);
    EXPECT_EQ(abgleichen(), QStringList());
}

TEST_F(Programm, aDamagedRowOfOneDrawLeavesTheRestOfTheTournamentPublished) {
    laufen(1);
    const auto aendern = [this](const char* sql) {
        Verbindung v;
        v.oeffnen(db, Verbindung::Modus::Schreiben);
        v.ausfuehren(QString::fromLatin1(sql));
    };
    // The draw of the shop-window group loses its system; the tournament goes on.
    aendern("UPDATE al_conf SET sy_typ = NULL WHERE al_id = 1");
    spielen(12);
    const QString ausgabe = laufen(2);
    const QStringList uebersprungen = ausgabe.split(u'\n').filter(QStringLiteral("ZEILE ÜBERSPRUNGEN"));
    EXPECT_FALSE(uebersprungen.isEmpty()) << ausgabe;
    for (const QString& zeile : uebersprungen) {
        EXPECT_TRUE(zeile.contains(QStringLiteral(" Auslosung 1 Gr. ")) && zeile.contains(QStringLiteral("'sy_typ'")))
            << zeile;
    }
    EXPECT_TRUE(ausgabe.contains(
        QStringLiteral("ZEILE ÜBERSPRUNGEN [ID: %1 ] Auslosung 1 Gr. 1 - ").arg(demo::fest::syfSchaufenster)))
        << ausgabe;
    // Every other file the cycles kept has reached both targets.
    EXPECT_EQ(abgleichen(), QStringList());

    aendern("UPDATE al_conf SET sy_typ = 1 WHERE al_id = 1");
    EXPECT_FALSE(laufen(1).contains(QStringLiteral("ZEILE ÜBERSPRUNGEN")));
    EXPECT_EQ(abgleichen(), QStringList());
}

TEST_F(Programm, aPlantedPendingListOrLinkPublishesNothingButTheCyclesOwnFiles) {
    laufen(1);
    const QString privat = dir.filePath(QStringLiteral("privat.txt"));
    schreiben(privat, "geheim\r\n");
    const QString gelinkt = QStringLiteral("tabelle_9999_01.txt");
    ASSERT_TRUE(QFile::link(privat, QDir(tsdir).filePath(gelinkt)));
    ASSERT_TRUE(QFile::link(privat, QDir(tsdir).filePath(QStringLiteral("nachsenden_pocko.lst"))));
    schreiben(QDir(tsdir).filePath(Webserverupload::offenDatei(false)),
              "config_ablage.xml\r\nprotokoll_20261209.pzk\r\n" + gelinkt.toUtf8() + "\r\n");
    spielen(6);
    laufen(1);

    for (const QString& ziel : {web, pocko}) {
        const QString upload = ziel + QStringLiteral("/zkdstoer/upload");
        for (const QString& name : inhaltVon(upload)) {
            EXPECT_FALSE(name.contains(QStringLiteral("config_ablage")) || name.contains(QStringLiteral("protokoll")) ||
                         name.contains(QStringLiteral("9999")))
                << name.toStdString();
        }
    }
    EXPECT_EQ(lesen(privat), QByteArray("geheim\r\n"));
    // A planted list the run had no reason to rewrite is still the link (its lines name nothing of ours).
    const QString pockoListe = QDir(tsdir).filePath(QStringLiteral("nachsenden_pocko.lst"));
    if (QFileInfo(pockoListe).isSymLink()) {
        QFile::remove(pockoListe);
    }
    EXPECT_EQ(abgleichen(), QStringList());
}

// The status line of a target after the last cycle of a run.
QString statuszeile(const QString& ausgabe, const QString& ziel) {
    const QStringList zeilen = ausgabe.split(u'\n').filter(QRegularExpression(u'^' + ziel + QStringLiteral(": ")));
    return zeilen.isEmpty() ? QString() : zeilen.last().trimmed();
}

TEST_F(Programm, theStatusOfATargetThatGoesDownAndComesBackGoesFromCurrentToFailureAndBack) {
    const QString anzeige = QStringLiteral("Beamer/Hallenanzeige");
    EXPECT_TRUE(
        statuszeile(laufen(1), anzeige).startsWith(anzeige + QStringLiteral(": aktuell; zuletzt vollständig ")));

    ASSERT_TRUE(QDir().rename(web, web + QStringLiteral(".weg")));
    spielen(6);
    const QString ausfall = statuszeile(laufen(1), anzeige);
    EXPECT_TRUE(ausfall.startsWith(anzeige + QStringLiteral(": FEHLER seit ")) &&
                ausfall.contains(QStringLiteral(" – Verzeichnis zum Webserver nicht vorhanden: ") + web))
        << ausfall;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("; [1-9][0-9]* Dateien? offen;")).match(ausfall).hasMatch())
        << ausfall;
    // A restart keeps the outage with the time of its first failure.
    spielen(6);
    const QString weiter = statuszeile(laufen(1), anzeige);
    EXPECT_EQ(weiter.left(weiter.indexOf(u'–')), ausfall.left(ausfall.indexOf(u'–'))) << weiter;
    EXPECT_TRUE(statuszeile(laufen(0), anzeige).isEmpty()) << "no cycle, no status line";

    ASSERT_TRUE(QDir().rename(web + QStringLiteral(".weg"), web));
    EXPECT_TRUE(statuszeile(laufen(1), anzeige).startsWith(anzeige + QStringLiteral(": aktuell; ")));
    EXPECT_TRUE(statuszeile(laufen(1), QStringLiteral("Handy")).startsWith(QStringLiteral("Handy: aktuell; ")));
    EXPECT_EQ(abgleichen(), QStringList());
}

TEST_F(Programm, filesTooLargeToWriteAreDeliveredOnceThereIsRoomAgain) {
    laufen(1);
    spielen(10);
    // No file of the run may grow beyond 1 KB: the working folder and the targets fill up at once.
    const QString ausgabe = laufen(2, [] {
        const rlimit grenze{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &grenze);
        ::signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
    });
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("kann nicht geschrieben werden"))) << ausgabe;
    laufen(2);
    EXPECT_EQ(abgleichen(), QStringList());
}

// Everything below the test folder that is neither the database, the working folder nor a target.
QStringList ausserhalb(const QString& ordner) {
    QStringList namen = inhaltVon(ordner);
    for (const char* eigen : {"turnier.sqlite", "qnda001turnier", "web", "pocko", "heim"}) {
        namen.removeAll(QString::fromLatin1(eigen));
    }
    return namen;
}

TEST_F(Programm, malformedSettingsAreReportedAndPublishingResumesWithGoodOnes) {
    laufen(1);
    const QByteArray kopf = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Turnier>\n";
    const QByteArray rest = " pocko=\"1\" aktiv_px=\"1\" verzeichnis_px=\"" + pocko.toUtf8() + "/\" anzweb=\"1\" ";
    const struct {
        const char* titel;
        QByteArray inhalt;
    } faelle[] = {
        {"empty", ""},
        {"cut short", kopf + "<ablage aktiv=\"1\" verzeichnis=\""},
        {"binary", QByteArray("\x00\xff\xfe<\x01>\x9c", 7)},
        {"required number missing", kopf + "<ablage verzeichnis=\"" + web.toUtf8() + "/\"" + rest + "/></Turnier>"},
        {"number that is none", kopf + "<ablage aktiv=\"eins\"" + rest + "/></Turnier>"},
        {"folder name leaving the root", kopf + "<ablage aktiv=\"1\" verzeichnis=\"" + web.toUtf8() + "/\"" + rest +
                                             "dbzkd=\"/../../boese\"/></Turnier>"},
        {"wrong root and children", "<?xml version=\"1.0\"?><x><y/><ablage/></x>"},
    };
    const QString datei = QDir(tsdir).filePath(ablageDateiname());
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.titel);
        schreiben(datei, f.inhalt);
        spielen(4);
        const QString meldungen = laufen(1, {}, headless::exitEinstellungen);
        EXPECT_TRUE(meldungen.contains(ablageDateiname())) << meldungen;
        EXPECT_FALSE(meldungen.contains(QStringLiteral("Start Übertragung"))) << "no cycle runs on bad settings";
        EXPECT_EQ(lesen(datei), f.inhalt) << "a bad file is left for the user to mend";
        EXPECT_EQ(ausserhalb(dir.path()), QStringList());
        EXPECT_EQ(fremdImArbeitsordner(), QStringList());
    }
    {
        SCOPED_TRACE("a folder in its place");
        QFile::remove(datei);
        QDir().mkpath(datei);
        laufen(1, {}, headless::exitEinstellungen);
        QDir(datei).removeRecursively();
    }
    schreiben(datei, ablageDatei);
    spielen(4);
    laufen(2);
    EXPECT_EQ(abgleichen(), QStringList());
}

TEST_F(Programm, aBrokenIntervalFileNeverHoldsTheDrawsBack) {
    const QString datei = QDir(tsdir).filePath(QStringLiteral("config_auslo.xml"));
    const QStringList beiseiteMuster{QStringLiteral("config_auslo.xml.bak-*")};
    const struct {
        const char* titel;
        QByteArray inhalt;
        bool beiseite; // not well-formed: moved aside, the defaults apply
    } faelle[] = {
        {"cut short", "<?xml version=\"1.0\"?><Turnier><auslosung syf_id=\"", true},
        {"entries that are no numbers",
         "<?xml version=\"1.0\"?><Turnier><auslosung syf_id=\"1\" interval=\"fünf\"/>"
         "<auslosung syf_id=\"2\" interval=\"fünf\"/><auslosung syf_id=\"x\" interval=\"3\"/></Turnier>",
         false},
        {"no XML at all", QByteArray(300000, '<'), true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.titel);
        for (const QString& alt : QDir(tsdir).entryList(beiseiteMuster)) {
            QFile::remove(QDir(tsdir).filePath(alt));
        }
        schreiben(datei, f.inhalt);
        spielen(4);
        const QString ausgabe = laufen(2);
        EXPECT_EQ(QFile::exists(datei), !f.beiseite);
        EXPECT_EQ(QDir(tsdir).entryList(beiseiteMuster).size(), f.beiseite ? 1 : 0);
        EXPECT_EQ(ausgabe.count(QStringLiteral("XML-Datei konnte nicht geladen werden")), f.beiseite ? 1 : 0)
            << ausgabe;
        EXPECT_EQ(abgleichen(), QStringList());
    }
}

TEST_F(Programm, foreignFilesInTheWorkingFolderDoNotStopPublishing) {
    laufen(1);
    const QStringList fremde{QStringLiteral("spiele.txt"),
                             QStringLiteral("tischbelegung_abc.txt"),
                             QStringLiteral("spiele0001_x_01.txt"),
                             QStringLiteral("meldung_aa_bb_cc_dd_org.txt"),
                             QStringLiteral("spiele99999_01_01.txt"),
                             QStringLiteral("liesmich.zip")};
    for (const QString& name : fremde) {
        schreiben(QDir(tsdir).filePath(name), "fremd\r\n");
    }
    // A pending list written by someone else: names that are no data files of this folder.
    schreiben(QDir(tsdir).filePath(Webserverupload::offenDatei(false)),
              "../turnier.sqlite\r\n/etc/hostname\r\nunterordner/x.txt\r\n\r\n");
    QDir().mkpath(QDir(tsdir).filePath(QStringLiteral("spiele0001_01_09_org.txt")));
    spielen(6);
    laufen(2);
    QStringList fehler = abgleichen();
    fehler.removeIf([&](const QString& zeile) {
        return std::any_of(fremde.begin(), fremde.end(), [&](const QString& n) { return zeile.endsWith(n); }) ||
               zeile.endsWith(QStringLiteral("spiele0001_01_09_org.txt")) ||
               zeile == QStringLiteral("still pending: ../turnier.sqlite,/etc/hostname,unterordner/x.txt,");
    });
    EXPECT_EQ(fehler, QStringList());
    EXPECT_EQ(ausserhalb(dir.path()), QStringList());
    for (const QString& ziel : {web, pocko}) {
        for (const QString& name : inhaltVon(ziel + QStringLiteral("/zkdstoer/upload"))) {
            EXPECT_FALSE(name.contains(QStringLiteral("turnier.sqlite")) || name.contains(QStringLiteral("hostname")))
                << name;
        }
    }
}

} // namespace
