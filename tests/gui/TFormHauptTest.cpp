#include "TFormHaupt.h"
#include "DialogBeantworter.h"
#include "GuiTestMain.h"
#include "TFormDB_connect.h"
#include "TFormInfo.h"
#include "TFormTurwahl.h"
#include "db/Turnierauswahl.h"
#include "settings/AblageDatei.h"
#include "support/MiniTurnier.h"
#include "transfer/Exporteure.h"
#include "transfer/Transfersteuerung.h"
#include "transfer/Zielstatus.h"
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
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>
#include <atomic>
#include <memory>

using namespace quenda;

namespace {

QComboBox* turnierliste(QWidget* dialog) {
    return dialog->findChild<QComboBox*>(QStringLiteral("turniere"));
}

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

void kaputteDatei(const QString& pfad) {
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keine Datenbank");
}

} // namespace

class TFormHauptTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Programmuhr uhr;

    QString pfad(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<TFormHaupt> hauptfenster(ExporteurFabrik fabrik = {}) {
        auto haupt = fabrik ? std::make_unique<TFormHaupt>(uhr, std::move(fabrik)) : std::make_unique<TFormHaupt>(uhr);
        haupt->fensterAnlegen([](int) {});
        return haupt;
    }

    // Chooses a file in the database dialog.
    static void dateiWaehlen(DialogBeantworter& b, const QString& datei) {
        b.erwarte<TFormDB_connect>([datei](TFormDB_connect* d) {
            d->setDateiWahl([datei](QWidget*, const QString&) { return datei; });
            knopf(d, QStringLiteral("&Datenbank auswählen"))->click();
        });
    }

    static void turnierWaehlen(DialogBeantworter& b, int zeile, int* gespeichertVorher = nullptr) {
        b.erwarte<TFormTurwahl>([zeile, gespeichertVorher](TFormTurwahl* d) {
            if (gespeichertVorher) {
                *gespeichertVorher = turnierauswahl::gespeicherteTurnierId();
            }
            turnierliste(d)->setCurrentIndex(zeile);
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
        haupt->verbindenBeimStart();

        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QVERIFY(haupt->verbindungsschrittGelaufen());
        QCOMPARE(teil<QLabel>(haupt.get(), "datenbankPfad")->text(), db);
        QCOMPARE(teil<QLabel>(haupt.get(), "turnierName")->text(), QStringLiteral("Anderes Turnier"));
        QCOMPARE(teil<QLabel>(haupt.get(), "turnierId")->text(), QStringLiteral("2"));
        QCOMPARE(haupt->turnierkontext().tsdir, pfad("qnda002turnier"));
        QVERIFY(QDir(pfad("qnda002turnier/images")).exists());
        QCOMPARE(turnierauswahl::gespeicherterPfad(), db);
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 2);
        QVERIFY(teil<TFormInfo>(haupt.get(), "infofenster")->isVisible());
        QCOMPARE(teil<TFormInfo>(haupt.get(), "infofenster")->versionText(),
                 QStringLiteral("Version: 4.0")); // no quenda20.ini here
    }

    void singleTournamentConnectsWithoutChoice() {
        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        haupt->verbindenBeimStart();
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QCOMPARE(haupt->turnierkontext().dbturid, 1);
        QCOMPARE(teil<QLabel>(haupt.get(), "turnierName")->text(), QStringLiteral("Hallenturnier Süd"));
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
            haupt->verbindenBeimStart();
            QVERIFY(b.alleBeantwortet());
            QCOMPARE(haupt->turnierkontext().dbturid, 1);
        }
    }

    void okWithEmptyTournamentKeepsTheDialogOpen() {
        const QString db = pfad("turnier.sqlite");
        miniTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        b.erwarte<TFormTurwahl>([](TFormTurwahl* d) {
            turnierliste(d)->setEditText(QStringLiteral("   "));
            knopf(d, QStringLiteral("&OK"))->click();
        });
        b.erwarteMeldung();
        bool nochOffen = false;
        b.erwarte<TFormTurwahl>([&nochOffen](TFormTurwahl* d) {
            nochOffen = d->isVisible();
            knopf(d, QStringLiteral("&Abbrechen"))->click();
        });
        haupt->show();
        haupt->verbindenBeimStart();
        QVERIFY(b.alleBeantwortet());
        QCOMPARE(b.meldungen, QStringList{QStringLiteral("Es ist eine Eingabe im Feld Turnier erforderlich.")});
        QVERIFY(nochOffen);
        // Cancelled: no tournament, the program ends.
        QVERIFY(haupt->programmEndet());
        QTRY_VERIFY(!haupt->isVisible());
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 0);
    }

    void changingTheDatabaseStoresPathAndIdOnlyOnceConnected() {
        const QString alt = pfad("alt.sqlite");
        const QString neu = pfad("neu.sqlite");
        einTurnierAnlegen(alt);
        miniTurnierAnlegen(neu);
        turnierauswahl::pfadSpeichern(alt);
        auto haupt = hauptfenster();
        haupt->verbindenBeimStart();
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 1);

        DialogBeantworter b;
        QString gespeicherterPfadBeiWahl;
        int gespeichertBeiWahl = -1;
        dateiWaehlen(b, neu);
        b.erwarte<TFormTurwahl>([&](TFormTurwahl* d) {
            gespeicherterPfadBeiWahl = turnierauswahl::gespeicherterPfad();
            gespeichertBeiWahl = turnierauswahl::gespeicherteTurnierId();
            turnierliste(d)->setCurrentIndex(1);
            knopf(d, QStringLiteral("&OK"))->click();
        });
        teil<QAction>(haupt.get(), "menueDatenbank")->trigger();
        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QCOMPARE(gespeicherterPfadBeiWahl, alt);
        QCOMPARE(gespeichertBeiWahl, 1);
        QCOMPARE(haupt->turnierkontext().dbpath, neu);
        QCOMPARE(haupt->turnierkontext().dbturid, 2);
        QCOMPARE(haupt->turnierkontext().tsdir, pfad("qnda002neu"));
        QCOMPARE(teil<QLabel>(haupt.get(), "datenbankPfad")->text(), neu);
        QCOMPARE(turnierauswahl::gespeicherterPfad(), neu);
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 2);

        // The same database picked again: its connected tournament is preselected, the other one can be taken.
        QString vorgewaehlt;
        dateiWaehlen(b, neu);
        b.erwarte<TFormTurwahl>([&](TFormTurwahl* d) {
            vorgewaehlt = turnierliste(d)->currentText();
            turnierliste(d)->setCurrentIndex(0);
            knopf(d, QStringLiteral("&OK"))->click();
        });
        teil<QAction>(haupt.get(), "menueDatenbank")->trigger();
        QVERIFY(b.alleBeantwortet());
        QCOMPARE(vorgewaehlt, QStringLiteral("Anderes Turnier"));
        QCOMPARE(haupt->turnierkontext().dbturid, 1);
        QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 1);
    }

    // A pick that cannot be connected leaves the connected tournament working and stored as it was; the
    // dialog stays open for another pick.
    void failedChangeKeepsThePreviousTournament() {
        const QString alt = pfad("alt.sqlite");
        einTurnierAnlegen(alt);
        const QString kaputt = pfad("kaputt.mdb");
        kaputteDatei(kaputt);
        const QString leer = pfad("leer.sqlite");
        einTurnierAnlegen(leer);
        {
            Verbindung v;
            v.oeffnen(leer, Verbindung::Modus::Schreiben);
            v.ausfuehren(QStringLiteral("DELETE FROM turniere"));
        }
        const QString zwei = pfad("zwei.sqlite");
        miniTurnierAnlegen(zwei);
        const struct {
            const char* fall;
            QString datei;
            bool meldung; // why the change failed is shown
            bool turnierwahl;
        } faelle[] = {{"no database", kaputt, true, false},
                      {"no tournament in it", leer, true, false},
                      {"tournament choice cancelled", zwei, false, true}};
        for (const auto& fall : faelle) {
            turnierauswahl::pfadSpeichern(alt);
            auto haupt = hauptfenster();
            haupt->verbindenBeimStart();
            QCOMPARE(haupt->turnierkontext().dbturid, 1);
            const Turnierkontext vorher = haupt->turnierkontext();

            DialogBeantworter b;
            dateiWaehlen(b, fall.datei);
            if (fall.meldung) {
                b.erwarteMeldung();
            }
            if (fall.turnierwahl) {
                b.erwarte<TFormTurwahl>([](TFormTurwahl* d) { knopf(d, QStringLiteral("&Abbrechen"))->click(); });
            }
            bool nochOffen = false;
            b.erwarte<TFormDB_connect>([&nochOffen](TFormDB_connect* d) {
                nochOffen = d->isVisible();
                knopf(d, QStringLiteral("&Schließen"))->click();
            });
            teil<QAction>(haupt.get(), "menueDatenbank")->trigger();
            const QByteArray fallname(fall.fall);
            QVERIFY2(b.alleBeantwortet(), fallname);
            QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
            QVERIFY2(nochOffen, fallname);
            if (fall.meldung) {
                QVERIFY2(b.meldungen.value(0).contains(fall.datei), qPrintable(b.meldungen.value(0)));
            }
            QVERIFY2(!haupt->programmEndet(), fallname);
            QCOMPARE(haupt->turnierkontext().dbpath, vorher.dbpath);
            QCOMPARE(haupt->turnierkontext().dbturid, vorher.dbturid);
            QCOMPARE(haupt->turnierkontext().tsdir, vorher.tsdir);
            QCOMPARE(teil<QLabel>(haupt.get(), "datenbankPfad")->text(), alt);
            QCOMPARE(teil<QLabel>(haupt.get(), "turnierName")->text(), QStringLiteral("Hallenturnier Süd"));
            QCOMPARE(turnierauswahl::gespeicherterPfad(), alt);
            QCOMPARE(turnierauswahl::gespeicherteTurnierId(), 1);
            QVERIFY2(teil<QAction>(haupt.get(), "menueStarten")->isEnabled(), fallname);
            QVERIFY2(haupt->turnierLesbar(1), fallname); // the old connection answers
        }
    }

    // A stored database that exists but cannot be opened: one message, then the database dialog.
    void unopenableStoredDatabaseLeadsToTheDatabaseDialog() {
        const QString kaputt = pfad("kaputt.mdb");
        kaputteDatei(kaputt);
        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(kaputt);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        b.erwarteMeldung();
        int modus = -1;
        b.erwarte<TFormDB_connect>([&modus, db](TFormDB_connect* d) {
            modus = d->modus();
            d->setDateiWahl([db](QWidget*, const QString&) { return db; });
            knopf(d, QStringLiteral("&Datenbank auswählen"))->click();
        });
        haupt->verbindenBeimStart();
        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QVERIFY(b.meldungen.value(0).contains(kaputt));
        QCOMPARE(modus, 1);
        QCOMPARE(haupt->turnierkontext().dbturid, 1);
        QCOMPARE(turnierauswahl::gespeicherterPfad(), db);
    }

    // Closing that dialog leaves the window open without a tournament: no second message at the next
    // activation, the database can still be changed, and the window closes.
    void unopenableStoredDatabaseNeverTrapsTheWindow() {
        const QString kaputt = pfad("kaputt.mdb");
        kaputteDatei(kaputt);
        turnierauswahl::pfadSpeichern(kaputt);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        b.erwarteMeldung();
        b.erwarte<TFormDB_connect>([](TFormDB_connect* d) { knopf(d, QStringLiteral("&Schließen"))->click(); });
        haupt->show();
        haupt->activateWindow();
        QTRY_VERIFY(b.alleBeantwortet());
        QTRY_VERIFY(haupt->verbindungsschrittGelaufen());
        // Activations after the failed step bring nothing up again.
        QTest::qWait(100);
        haupt->activateWindow();
        haupt->verbindenBeimStart();
        QTest::qWait(100);
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QCOMPARE(b.meldungen.size(), 1);
        QVERIFY(!haupt->programmEndet());
        QCOMPARE(haupt->turnierkontext().dbturid, 0);
        QVERIFY(teil<QAction>(haupt.get(), "menueDatenbank")->isEnabled());
        QVERIFY(!teil<QAction>(haupt.get(), "menueStarten")->isEnabled());
        QCOMPARE(turnierauswahl::gespeicherterPfad(), kaputt); // nothing stored that did not connect
        QVERIFY(haupt->close());
        QVERIFY(!haupt->isVisible());
    }

    // Return in the tournament choice does not take the first tournament unseen.
    void tournamentChoiceOpensEmptyAndWantsAName() {
        const QString db = pfad("turnier.sqlite");
        miniTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        auto haupt = hauptfenster();
        DialogBeantworter b;
        QString textBeimOeffnen = QStringLiteral("?");
        b.erwarte<TFormTurwahl>([&textBeimOeffnen](TFormTurwahl* d) {
            textBeimOeffnen = turnierliste(d)->currentText();
            QTest::keyClick(turnierliste(d), Qt::Key_Return);
        });
        b.erwarteMeldung();
        b.erwarte<TFormTurwahl>([](TFormTurwahl* d) {
            QTest::keyClicks(turnierliste(d), QStringLiteral("Anderes Turnier"));
            QTest::keyClick(turnierliste(d), Qt::Key_Return);
        });
        haupt->verbindenBeimStart();
        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QCOMPARE(textBeimOeffnen, QString());
        QCOMPARE(b.meldungen, QStringList{QStringLiteral("Es ist eine Eingabe im Feld Turnier erforderlich.")});
        QCOMPARE(haupt->turnierkontext().dbturid, 2);
    }

    void noDatabaseChosenEndsTheProgram() {
        auto haupt = hauptfenster();
        haupt->show();
        DialogBeantworter b;
        b.erwarte<TFormDB_connect>([](TFormDB_connect* d) { knopf(d, QStringLiteral("&Schließen"))->click(); });
        haupt->verbindenBeimStart();
        QVERIFY(haupt->programmEndet());
        QTRY_VERIFY(!haupt->isVisible());
    }

    void statusBarShowsGermanWeekdayAndTime() {
        auto haupt = hauptfenster();
        uhr.festsetzen(QDateTime(QDate(2026, 12, 13), QTime(9, 5, 7)));
        haupt->uhrzeitAnzeigen();
        QCOMPARE(teil<QLabel>(haupt.get(), "statusDatum")->text(), QStringLiteral("So. 13.12.2026"));
        QCOMPARE(teil<QLabel>(haupt.get(), "statusUhrzeit")->text(), QStringLiteral("09:05:07"));
        uhr.festsetzen(QDateTime(QDate(2026, 12, 10), QTime(18, 0, 0)));
        haupt->uhrzeitAnzeigen();
        QCOMPARE(teil<QLabel>(haupt.get(), "statusDatum")->text(), QStringLiteral("Do. 10.12.2026"));
    }

    void showCreatesTheUserFolders() {
        auto haupt = hauptfenster();
        // The connection step show queues never runs: the window is gone before events are handled.
        haupt->show();
        QVERIFY(QDir(pfad("appdata/quenda20/profil")).exists());
        QCOMPARE(haupt->turnierkontext().apppath, pfad("appdata/quenda20/"));
    }

    void transferRunsCyclesAndClosingWaitsForTheRunningOne() {
        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        // Exporters that hold the cycle until the test lets it go.
        static std::atomic<bool> freigabe{false};
        struct Halten : Exporteure {
            void Objdaten_Spiele(int, int, int, int, const QString&) override {}
            void Objdaten_KOFeld(int, int, int, int, const QString&) override {}
            void Objdaten_Tabelle(int, int, int, int, const QString&) override {}
            void Objdaten_Starterliste(int, int, int, int, const QString&) override {}
            void Objdaten_TabelleSpiele(int, int, int, const QString&) override {}
            void Objdaten_Teilnehmerliste(int, int, const QString&) override {}
            void Objdaten_Tischbelegung(const QString&) override {}
            void Objdaten_Meldung(const QString&) override {
                while (!freigabe.load()) {
                    QThread::msleep(5);
                }
            }
        };
        freigabe = false;
        auto haupt = hauptfenster([](TDM&, const Turnierkontext&, Staging&) { return std::make_unique<Halten>(); });
        haupt->verbindenBeimStart();
        QVERIFY(teil<QAction>(haupt.get(), "menueStarten")->isEnabled());
        QVERIFY(!teil<QAction>(haupt.get(), "menueStoppen")->isEnabled());
        QVERIFY(teil<QAction>(haupt.get(), "menueProfile")->isEnabled());

        teil<QCheckBox>(haupt.get(), "aktualisierungWebserver")->setChecked(true);
        teil<QAction>(haupt.get(), "menueStarten")->trigger();
        QVERIFY(!haupt->threadfrei());
        QVERIFY(teil<QLabel>(haupt.get(), "abrufHinweis")->isVisibleTo(haupt.get()));
        QVERIFY(!teil<QAction>(haupt.get(), "menueStarten")->isEnabled());
        QVERIFY(teil<QAction>(haupt.get(), "menueStoppen")->isEnabled());
        QVERIFY(!teil<QAction>(haupt.get(), "menueDatenbank")->isEnabled());
        QVERIFY(!teil<QAction>(haupt.get(), "menueAblage")->isEnabled());
        QVERIFY(!teil<QAction>(haupt.get(), "menueProfile")->isEnabled());
        QVERIFY(teil<QPlainTextEdit>(haupt.get(), "memo")->toPlainText().contains(QStringLiteral("Start Übertragung")));

        QTimer::singleShot(200, []() { freigabe = true; });
        QVERIFY(haupt->close());
        QVERIFY(haupt->threadfrei());
        QTRY_VERIFY(
            teil<QPlainTextEdit>(haupt.get(), "memo")->toPlainText().contains(QStringLiteral("Ende Übertragung")));
        QTRY_VERIFY(!teil<QLabel>(haupt.get(), "abrufHinweis")->isVisibleTo(haupt.get()));
        QVERIFY(!teil<QCheckBox>(haupt.get(), "aktualisierungWebserver")->isChecked());
        QVERIFY(teil<QAction>(haupt.get(), "menueStarten")->isEnabled());
        QCOMPARE(haupt->uebertragungen(), 1);
    }

    void memoIsCutByEntriesNotByWrappedScreenLines() {
        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        auto haupt = hauptfenster();
        haupt->verbindenBeimStart();
        haupt->show(); // laid out, so that long entries really wrap to several screen lines
        auto* memo = teil<QPlainTextEdit>(haupt.get(), "memo");
        const QString lang = QStringLiteral("Eintrag mit sehr viel Text ").repeated(20);
        for (int i = 1; i <= 1000; ++i) {
            memo->appendPlainText(i % 3 == 0 ? QString::number(i) + lang : QString::number(i));
        }
        teil<QAction>(haupt.get(), "menueStarten")
            ->trigger(); // adds the start line: 1001 entries, then the 101 oldest go
        QCOMPARE(memo->document()->blockCount(), 900);
        QCOMPARE(memo->document()->firstBlock().text(), QStringLiteral("102") + lang);
        teil<QAction>(haupt.get(), "menueStoppen")->trigger();
        haupt->transfersteuerung().warten();
    }

    // Eight cycles show all of them; three hundred the newest forty, labelled by the minute (the seconds
    // where two fall into one), with whole-number ticks and the series' own colours, legend below.
    void chartStaysReadableAfterManyCycles() {
        auto haupt = hauptfenster();
        QChart* diagramm = teil<QChartView>(haupt.get(), "diagramm")->chart();
        for (const int anzahl : {8, 300}) {
            QList<Zyklusstatistik> zyklen;
            for (int i = 0; i < anzahl; ++i) {
                const QTime zeit = QTime(8, 0).addSecs(60 * i);
                zyklen.append({QStringLiteral("10.12.2026 ") + zeit.toString(QStringLiteral("HH:mm:ss")),
                               {i % 4, 0, 3 * i, i == 5 ? 2 : 0, 11}});
            }
            zyklen.append({QStringLiteral("10.12.2026 ") +
                               QTime(8, 0).addSecs(60 * (anzahl - 1) + 20).toString(QStringLiteral("HH:mm:ss")),
                           {0, 0, 0, 0, 11}});
            haupt->diagrammZeichnen(zyklen);
            auto* x = qobject_cast<QBarCategoryAxis*>(diagramm->axes(Qt::Horizontal).value(0));
            auto* y = qobject_cast<QValueAxis*>(diagramm->axes(Qt::Vertical).value(0));
            QVERIFY(x && y);
            const QStringList kategorien = x->categories();
            const qsizetype gezeigt = qMin<qsizetype>(zyklen.size(), 40);
            QCOMPARE(kategorien.size(), gezeigt);
            const QString letzteMinute = QTime(8, 0).addSecs(60 * (anzahl - 1)).toString(QStringLiteral("HH:mm"));
            QCOMPARE(kategorien.value(gezeigt - 2), letzteMinute);
            QCOMPARE(kategorien.last(), letzteMinute + QStringLiteral(":20"));
            auto* reihen = qobject_cast<QBarSeries*>(diagramm->series().value(0));
            QCOMPARE(reihen->barSets().value(2)->count(), gezeigt);
            QCOMPARE(reihen->barSets().value(2)->at(gezeigt - 2), 3.0 * (anzahl - 1));
            QCOMPARE(y->labelFormat(), QStringLiteral("%d"));
            QCOMPARE(y->min(), 0.0);
            const int hoechster = 3 * (anzahl - 1);
            QVERIFY(y->max() >= hoechster);
            QCOMPARE(static_cast<int>(y->max()) % static_cast<int>(y->tickInterval()), 0);
            QVERIFY2(y->max() / y->tickInterval() <= 8, qPrintable(QString::number(y->tickInterval())));
            QCOMPARE(x->titleText().isEmpty(), anzahl < 40);
        }
        auto* reihen = qobject_cast<QBarSeries*>(diagramm->series().value(0));
        const QList<QColor> farben{Qt::green, Qt::red, QColor(0x00, 0x80, 0x00), Qt::magenta, Qt::black};
        for (qsizetype k = 0; k < 5; ++k) {
            QCOMPARE(reihen->barSets().value(k)->color(), farben[k]);
        }
        QCOMPARE(reihen->barSets().value(4)->borderColor(), QColor(Qt::white));
        QCOMPARE(diagramm->legend()->alignment(), Qt::AlignBottom);
    }

    // Kept in the working folder, shown again after a restart; a target that goes down and comes back turns
    // green, red with time and reason, green again, and says so in words.
    void targetStatusLinesShowWhetherTheScreensAreCurrent() {
        const QString db = pfad("eins.sqlite");
        einTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        QString tsdir;
        {
            auto haupt = hauptfenster();
            haupt->verbindenBeimStart();
            tsdir = haupt->turnierkontext().tsdir;
            auto* handy = haupt->findChild<QLabel*>(QStringLiteral("zielstatusHandy"));
            QVERIFY(handy && handy->isVisibleTo(haupt.get()));
            QCOMPARE(handy->text(), QStringLiteral("Handy: ausgeschaltet"));
        }
        TAblage ablage;
        ablage.anzweb = 1;
        Ablagesave(tsdir, ablage, QDateTime::currentDateTime());
        Zielzustaende ziele;
        ziele[0] = {true, QStringLiteral("2026-12-10 09:00:00"), 0, {}, {}};
        ZielstatusSave(tsdir, ziele);

        auto haupt = hauptfenster();
        haupt->verbindenBeimStart();
        auto* beamer = haupt->findChild<QLabel*>(QStringLiteral("zielstatusBeamer"));
        QVERIFY(beamer);
        const auto ampel = [beamer]() { return static_cast<Zielzustand::Ampel>(beamer->property("ampel").toInt()); };
        QCOMPARE(beamer->text(),
                 QStringLiteral("Beamer/Hallenanzeige: aktuell; zuletzt vollständig 10.12.2026 09:00:00"));
        QCOMPARE(ampel(), Zielzustand::Ampel::Aktuell);

        ziele[0] = {true, QStringLiteral("2026-12-10 09:00:00"), 4, QStringLiteral("2026-12-10 09:01:00"),
                    QStringLiteral("Upload Fehler")};
        Q_EMIT haupt->transfersteuerung().zielstatusNeu(ziele);
        QCOMPARE(ampel(), Zielzustand::Ampel::Fehler);
        QVERIFY(beamer->text().contains(QStringLiteral("FEHLER seit 10.12.2026 09:01:00 – Upload Fehler")));
        QVERIFY(beamer->text().contains(QStringLiteral("4 Dateien offen")));
        QVERIFY(beamer->styleSheet().contains(QStringLiteral("#C62828")));

        ziele[0] = {true, QStringLiteral("2026-12-10 09:03:00"), 0, {}, {}};
        Q_EMIT haupt->transfersteuerung().zielstatusNeu(ziele);
        QCOMPARE(ampel(), Zielzustand::Ampel::Aktuell);
        QCOMPARE(beamer->text(),
                 QStringLiteral("Beamer/Hallenanzeige: aktuell; zuletzt vollständig 10.12.2026 09:03:00"));
    }
};

QUENDA_GUI_TEST_MAIN(TFormHauptTest)
#include "TFormHauptTest.moc"
