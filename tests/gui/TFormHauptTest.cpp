#include "TFormHaupt.h"
#include "../core/db/MiniTurnier.h"
#include "DialogBeantworter.h"
#include "TFormDB_connect.h"
#include "TFormInfo.h"
#include "TFormTurwahl.h"
#include "db/Turnierauswahl.h"
#include "transfer/Exporteure.h"
#include "transfer/Transfersteuerung.h"
#include "util/Programmuhr.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QThread>
#include <atomic>
#include <memory>

using namespace quenda;

namespace {

QPushButton* knopf(QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

// A database with one tournament only.
void einTurnierAnlegen(const QString& pfad) {
    miniTurnierAnlegen(pfad);
    Verbindung v;
    v.oeffnen(pfad, Verbindung::Modus::Schreiben);
    v.ausfuehren(QStringLiteral("DELETE FROM turniere WHERE t_id=2"));
}

} // namespace

class TFormHauptTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Programmuhr uhr;

    QString pfad(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<TFormHaupt> hauptfenster() {
        auto haupt = std::make_unique<TFormHaupt>(uhr);
        haupt->fensterAnlegen([](int) {});
        return haupt;
    }

    // Chooses a file in the database dialog.
    static void dateiWaehlen(DialogBeantworter& b, const QString& datei) {
        b.erwarte<TFormDB_connect>([datei](TFormDB_connect* d) {
            d->dateiWaehlen = [datei](QWidget*, const QString&) { return datei; };
            knopf(d, QStringLiteral("&Datenbank auswählen"))->click();
        });
    }

    static void turnierWaehlen(DialogBeantworter& b, int zeile, int* gespeichertVorher = nullptr) {
        b.erwarte<TFormTurwahl>([zeile, gespeichertVorher](TFormTurwahl* d) {
            if (gespeichertVorher) {
                *gespeichertVorher = turnierauswahl::gespeicherteTurnierId();
            }
            d->ComboBox1->setCurrentIndex(zeile);
            knopf(d, QStringLiteral("&OK"))->click();
        });
    }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", pfad("appdata").toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, pfad("einstellungen"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, pfad("einstellungen"));
    }

    void firstStartAsksForDatabaseThenTournament() {
        const QString db = pfad("turnier.sqlite");
        miniTurnierAnlegen(db);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        dateiWaehlen(b, db);
        turnierWaehlen(b, 1);
        haupt->FormActivate();

        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QVERIFY(!haupt->erststart);
        QCOMPARE(haupt->Label2->text(), db);
        QCOMPARE(haupt->Label4->text(), QStringLiteral("Anderes Turnier"));
        QCOMPARE(haupt->Label6->text(), QStringLiteral("2"));
        QCOMPARE(haupt->kontext.tsdir, pfad("qnda002turnier"));
        QVERIFY(QDir(pfad("qnda002turnier/images")).exists());
        QCOMPARE(turnierauswahl::gespeicherterPfad(), db);
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 2);
        QVERIFY(haupt->FormInfo->isVisible());
        QCOMPARE(haupt->FormInfo->versionText(), QStringLiteral("Version: 4.0")); // no quenda20.ini here
    }

    void singleTournamentConnectsWithoutChoice() {
        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        haupt->FormActivate();
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QCOMPARE(haupt->kontext.dbturid, 1);
        QCOMPARE(haupt->Label4->text(), QStringLiteral("Hallenturnier Süd"));
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 1);
    }

    void missingOrDamagedStoredIdBringsTheChoice() {
        const QString db = pfad("turnier.sqlite");
        miniTurnierAnlegen(db);
        for (const QString& gespeichert : {QStringLiteral("99"), QStringLiteral("abc")}) {
            turnierauswahl::pfadSpeichern(db);
            QSettings(QStringLiteral("kestrom"), QStringLiteral("quenda20reg"))
                .setValue(QStringLiteral("DBConnect/dbturid"), gespeichert);
            auto haupt = hauptfenster();
            DialogBeantworter b;
            turnierWaehlen(b, 0);
            haupt->FormActivate();
            QVERIFY(b.alleBeantwortet());
            QCOMPARE(haupt->kontext.dbturid, 1);
        }
    }

    void okWithEmptyTournamentKeepsTheDialogOpen() {
        const QString db = pfad("turnier.sqlite");
        miniTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        b.erwarte<TFormTurwahl>([](TFormTurwahl* d) {
            d->ComboBox1->setEditText(QStringLiteral("   "));
            knopf(d, QStringLiteral("&OK"))->click();
        });
        b.erwarteMeldung();
        bool nochOffen = false;
        b.erwarte<TFormTurwahl>([&nochOffen](TFormTurwahl* d) {
            nochOffen = d->isVisible();
            knopf(d, QStringLiteral("&Abbrechen"))->click();
        });
        haupt->show();
        haupt->FormActivate();
        QVERIFY(b.alleBeantwortet());
        QCOMPARE(b.meldungen, QStringList{QStringLiteral("Es ist eine Eingabe im Feld Turnier erforderlich.")});
        QVERIFY(nochOffen);
        // Cancelled: no tournament, the program ends.
        QVERIFY(haupt->appclose);
        QTRY_VERIFY(!haupt->isVisible());
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 0);
    }

    void changingTheDatabaseResetsTheStoredIdFirst() {
        const QString alt = pfad("alt.sqlite");
        const QString neu = pfad("neu.sqlite");
        einTurnierAnlegen(alt);
        miniTurnierAnlegen(neu);
        turnierauswahl::pfadSpeichern(alt);
        auto haupt = hauptfenster();
        haupt->FormActivate();
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 1);

        DialogBeantworter b;
        int gespeichertBeiWahl = -1;
        dateiWaehlen(b, neu);
        turnierWaehlen(b, 1, &gespeichertBeiWahl);
        haupt->Datenbank1Click();
        QVERIFY(b.alleBeantwortet());
        QCOMPARE(gespeichertBeiWahl, 0);
        QCOMPARE(haupt->kontext.dbpath, neu);
        QCOMPARE(haupt->kontext.dbturid, 2);
        QCOMPARE(haupt->kontext.tsdir, pfad("qnda002neu"));
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 2);
    }

    void failedConnectionIsShownAndTriedAgainOnNextActivation() {
        const QString kaputt = pfad("kaputt.mdb");
        QFile f(kaputt);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keine Datenbank");
        f.close();
        turnierauswahl::pfadSpeichern(kaputt);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        b.erwarteMeldung();
        haupt->FormActivate();
        QVERIFY(b.alleBeantwortet());
        QVERIFY(b.meldungen.value(0).contains(kaputt));
        QVERIFY(haupt->erststart);

        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        haupt->FormActivate();
        QVERIFY(!haupt->erststart);
        QCOMPARE(haupt->kontext.dbturid, 1);

        // Later activations do not connect again.
        turnierauswahl::pfadSpeichern(pfad("gibt_es_nicht.mdb"));
        haupt->FormActivate();
        QCOMPARE(haupt->kontext.dbpath, db);
        QVERIFY(b.unerwartet.isEmpty());
    }

    void noDatabaseChosenEndsTheProgram() {
        auto haupt = hauptfenster();
        haupt->show();
        DialogBeantworter b;
        b.erwarte<TFormDB_connect>([](TFormDB_connect* d) { knopf(d, QStringLiteral("&Schließen"))->click(); });
        haupt->FormActivate();
        QVERIFY(haupt->appclose);
        QTRY_VERIFY(!haupt->isVisible());
    }

    void statusBarShowsGermanWeekdayAndTime() {
        auto haupt = hauptfenster();
        uhr.festsetzen(QDateTime(QDate(2026, 12, 13), QTime(9, 5, 7)));
        haupt->Timer1Timer();
        QCOMPARE(haupt->StatusBar1[2]->text(), QStringLiteral("So. 13.12.2026"));
        QCOMPARE(haupt->StatusBar1[3]->text(), QStringLiteral("09:05:07"));
        uhr.festsetzen(QDateTime(QDate(2026, 12, 10), QTime(18, 0, 0)));
        haupt->Timer1Timer();
        QCOMPARE(haupt->StatusBar1[2]->text(), QStringLiteral("Do. 10.12.2026"));
    }

    void showCreatesTheUserFolders() {
        auto haupt = hauptfenster();
        haupt->erststart = false; // no connection step on activation
        haupt->show();
        QVERIFY(QDir(pfad("appdata/quenda20/profil")).exists());
        QCOMPARE(haupt->kontext.apppath, pfad("appdata/quenda20/"));
    }

    void transferRunsCyclesAndClosingWaitsForTheRunningOne() {
        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        auto haupt = hauptfenster();
        haupt->FormActivate();
        QVERIFY(haupt->Starten1->isEnabled());
        QVERIFY(!haupt->Stoppen1->isEnabled());
        QVERIFY(haupt->Profile1->isEnabled());

        // An exporter that holds the cycle until the test lets it go.
        static std::atomic<bool> freigabe{false};
        struct Halten : Exporteure {
            void Objdaten_Meldung(const QString&) override {
                while (!freigabe.load()) {
                    QThread::msleep(5);
                }
            }
        };
        freigabe = false;
        haupt->steuerung->setFabrik([](TDM&, const Turnierkontext&, Staging&) { return std::make_unique<Halten>(); });
        haupt->CheckBoxWebserver->setChecked(true);
        haupt->Starten1Click();
        QVERIFY(!haupt->threadfrei());
        QVERIFY(haupt->Label7->isVisibleTo(haupt.get()));
        QVERIFY(!haupt->Starten1->isEnabled());
        QVERIFY(haupt->Stoppen1->isEnabled());
        QVERIFY(!haupt->Datenbank1->isEnabled());
        QVERIFY(!haupt->WebserverAblage1->isEnabled());
        QVERIFY(!haupt->Profile1->isEnabled());
        QVERIFY(haupt->Memo1->toPlainText().contains(QStringLiteral("Start Übertragung")));

        QTimer::singleShot(200, []() { freigabe = true; });
        QVERIFY(haupt->close());
        QVERIFY(haupt->threadfrei());
        QTRY_VERIFY(haupt->Memo1->toPlainText().contains(QStringLiteral("Ende Übertragung")));
        QTRY_VERIFY(!haupt->Label7->isVisibleTo(haupt.get()));
        QVERIFY(!haupt->CheckBoxWebserver->isChecked());
        QVERIFY(haupt->Starten1->isEnabled());
        QCOMPARE(haupt->statistik.ubcount(), 1);
    }

    void memoIsCutToItsNewestLinesWhenACycleStarts() {
        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        auto haupt = hauptfenster();
        haupt->FormActivate();
        for (int i = 1; i <= 1000; ++i) {
            haupt->Memo1->appendPlainText(QString::number(i));
        }
        haupt->Starten1Click(); // adds the start line: 1001 lines, then cut to 900
        QCOMPARE(haupt->Memo1->document()->blockCount(), 900);
        QCOMPARE(haupt->Memo1->document()->firstBlock().text(), QStringLiteral("102"));
        haupt->Stoppen1Click();
        haupt->steuerung->warten();
    }
};

QTEST_MAIN(TFormHauptTest)
#include "TFormHauptTest.moc"
