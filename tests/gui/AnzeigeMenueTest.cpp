#include "DialogBeantworter.h"
#include "GuiTestMain.h"
#include "TFormHaupt.h"
#include "db/Turnierauswahl.h"
#include "settings/AblageDatei.h"
#include "support/MiniTurnier.h"
#include "transfer/Transfersteuerung.h"
#include "util/Programmuhr.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace quenda;

// The display-control menu items of the main window in directory mode: the tick and the red banner follow
// the log mode as read back from the target.
class AnzeigeMenueTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Programmuhr uhr;

    QString pfad(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }
    QString logKopie() const { return pfad("web/zkdm/logmodus.cfg"); }
    static void schreiben(const QString& datei, const QByteArray& inhalt) {
        QDir().mkpath(QFileInfo(datei).absolutePath());
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    static QByteArray lesen(const QString& datei) {
        QFile f(datei);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool angezeigt(const TFormHaupt& h) {
        return teil<QAction>(&h, "menueLogmodus")->isChecked() && !teil<QLabel>(&h, "logmodusHinweis")->isHidden();
    }
    static bool ausgeblendet(const TFormHaupt& h) {
        return !teil<QAction>(&h, "menueLogmodus")->isChecked() && teil<QLabel>(&h, "logmodusHinweis")->isHidden();
    }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", pfad("appdata").toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, pfad("einstellungen"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, pfad("einstellungen"));
    }

    void logModeFollowsTheTargetsCopy() {
        const QString db = pfad("eins.sqlite");
        miniTurnierAnlegen(db);
        {
            Verbindung v;
            v.oeffnen(db, Verbindung::Modus::Schreiben);
            v.ausfuehren(QStringLiteral("DELETE FROM turniere WHERE t_id=2"));
        }
        turnierauswahl::pfadSpeichern(db);
        const QString tsdir = turnierauswahl::tsdirFuer(db, 1);
        QDir().mkpath(tsdir);
        TAblage werte;
        werte.aktiv = 1;
        werte.anzweb = 1;
        werte.verzeichnis = pfad("web") + u'/';
        TAblage ablage;
        Ablagesave(tsdir, ablage, werte, QStringLiteral("m"), uhr.jetzt());
        schreiben(logKopie(), "on\r\n");

        TFormHaupt haupt(uhr);
        haupt.fensterAnlegen([](int) {});
        QVERIFY(!teil<QAction>(&haupt, "menueLogmodus")->isEnabled());
        haupt.verbindenBeimStart();
        QCOMPARE(haupt.turnierkontext().dbturid, 1);
        QVERIFY(teil<QAction>(&haupt, "menueLogmodus")->isEnabled());
        QVERIFY(teil<QAction>(&haupt, "menueRefresh")->isEnabled());
        QVERIFY(teil<QAction>(&haupt, "menueUpdate")->isEnabled());
        QVERIFY2(angezeigt(haupt), "read back at the connection");

        teil<QAction>(&haupt, "menueLogmodus")->trigger();
        QCOMPARE(lesen(logKopie()), QByteArray("off\r\n"));
        QVERIFY(ausgeblendet(haupt));
        teil<QAction>(&haupt, "menueLogmodus")->trigger();
        QCOMPARE(lesen(logKopie()), QByteArray("on\r\n"));
        QVERIFY(angezeigt(haupt));

        schreiben(logKopie(), "On\r\n");
        haupt.logmodusLesen();
        QVERIFY(ausgeblendet(haupt));

        // An empty copy cannot be read: the message comes, the tick stays.
        schreiben(logKopie(), "on\r\n");
        haupt.logmodusLesen();
        schreiben(logKopie(), QByteArray());
        DialogBeantworter b;
        b.erwarteMeldung();
        haupt.logmodusLesen();
        QVERIFY(b.alleBeantwortet());
        QVERIFY(b.meldungen.value(0).contains(QStringLiteral("leer")));
        QVERIFY(angezeigt(haupt));

        // While the transfer runs the version check is off, the display control stays available.
        Q_EMIT haupt.transfersteuerung().laeuftGeaendert(true);
        QVERIFY(!teil<QAction>(&haupt, "menueUpdate")->isEnabled());
        QVERIFY(teil<QAction>(&haupt, "menueRefresh")->isEnabled());
        QVERIFY(teil<QAction>(&haupt, "menueLogmodus")->isEnabled());
        teil<QAction>(&haupt, "menueRefresh")->trigger();
        QCOMPARE(lesen(pfad("web/zkdm/refresh.cfg")), QByteArray("Refresh\r\n"));
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
    }
};

QUENDA_GUI_TEST_MAIN(AnzeigeMenueTest)
#include "AnzeigeMenueTest.moc"
