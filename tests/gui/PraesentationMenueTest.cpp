#include "DialogBeantworter.h"
#include "GuiTestMain.h"
#include "TFormAuslo_eg.h"
#include "TFormBildschirm_eg.h"
#include "TFormHaupt.h"
#include "TFormPraesent.h"
#include "TFormWarnung.h"
#include "db/Turnierauswahl.h"
#include "presentation/ConfigDatei.h"
#include "support/MiniTurnier.h"
#include "util/Programmuhr.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace quenda;

// The menu item "Präsentation" and the editor's transfer button, in the connected main window.
class PraesentationMenueTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Programmuhr uhr;
    std::unique_ptr<TFormHaupt> haupt;

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", dir->filePath(QStringLiteral("appdata")).toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir->filePath(QStringLiteral("einst")));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir->filePath(QStringLiteral("einst")));
        const QString db = dir->filePath(QStringLiteral("turnier.sqlite"));
        miniTurnierAnlegen(db);
        turnierauswahl::pfadSpeichern(db);
        turnierauswahl::turnierIdSpeichern(1);
        haupt = std::make_unique<TFormHaupt>(uhr);
        haupt->fensterAnlegen([](int) {});
        haupt->verbindenBeimStart();
        QCOMPARE(haupt->turnierkontext().dbturid, 1);
    }

    void cleanup() { haupt.reset(); }

    void menuOpensTheEditorMaximizedWithItsListsFilledOnce() {
        QVERIFY(teil<QAction>(haupt.get(), "menuePraesentation")->isEnabled());
        haupt->setAblage(TAblage()); // no data folder name
        DialogBeantworter b;
        bool maximiert = false, senden = true;
        int auslosungen = -1, nochmal = -1;
        b.erwarte<TFormPraesent>([&](TFormPraesent* p) {
            maximiert = p->windowState().testFlag(Qt::WindowMaximized);
            senden = p->findChild<QPushButton*>(QStringLiteral("uebertragungKonfiguration"))->isEnabled();
            auslosungen = p->findChild<QListWidget*>(QStringLiteral("auslosungen"))->count();
            p->reject();
        });
        teil<QAction>(haupt.get(), "menuePraesentation")->trigger();
        TAblage mitOrdner;
        mitOrdner.dbzkd = QStringLiteral("20261209090000");
        haupt->setAblage(mitOrdner);
        b.erwarte<TFormPraesent>([&](TFormPraesent* p) {
            senden = p->findChild<QPushButton*>(QStringLiteral("uebertragungKonfiguration"))->isEnabled();
            nochmal = p->findChild<QListWidget*>(QStringLiteral("auslosungen"))->count();
            p->reject();
        });
        teil<QAction>(haupt.get(), "menuePraesentation")->trigger();
        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QVERIFY(maximiert);
        QVERIFY(senden); // enabled once a data folder name is set
        QVERIFY(auslosungen > 0);
        QCOMPARE(nochmal, auslosungen);
    }

    void transferEndsWithSuccessOrWithTheWarningWindow() {
        QDir().mkpath(dir->filePath(QStringLiteral("web")));
        TAblage ablage;
        ablage.aktiv = 1;
        ablage.anzweb = 1;
        ablage.verzeichnis = dir->filePath(QStringLiteral("web/"));
        ablage.dbzkd = QStringLiteral("20261209090000");
        haupt->setAblage(ablage);
        ConfigSave(configPfad(haupt->turnierkontext().tsdir), haupt->turnierkontext().dbturnier, {});
        DialogBeantworter b;
        b.erwarteMeldung();
        haupt->konfigurationUebertragen();
        QVERIFY(b.alleBeantwortet());
        QCOMPARE(b.meldungen, QStringList{QStringLiteral("Die Konfiguration wurde übertragen!")});
        QVERIFY(QFile::exists(dir->filePath(QStringLiteral("web/zkd20261209090000/config_quenda.xml"))));

        // A failure still pending from the transfer cycle leads to the warning window.
        haupt->fehlerzustand().setzen(QStringLiteral("Upload Fehler!"), QStringLiteral("tabelle_0001_01.txt"));
        haupt->konfigurationUebertragen();
        QVERIFY(b.unerwartet.isEmpty());
        QVERIFY(teil<TFormWarnung>(haupt.get(), "warnfenster")->isVisible());
    }

    // The warning window is usable over the modal editor and over a dialog the editor opens in turn, whether
    // it came up before or after them: the upper button closes it and keeps the failure, the lower one
    // acknowledges it. The clicks go through the window system's path, where blocked windows lose them.
    void warningWindowWorksOverModalDialogs() {
        struct Klick {
            QString wo;
            bool sichtbar;
            bool fehlerDa;
        };
        QList<Klick> klicks;
        const auto klicken = [this, &klicks](const QString& wo, const char* knopfName, bool neuZeigen) {
            if (neuZeigen) {
                haupt->fehlerzustand().setzen(QStringLiteral("Upload Fehler!"), QStringLiteral("tabelle_0001_01.txt"));
                haupt->warnungZeigen();
            }
            TFormWarnung* warnung = teil<TFormWarnung>(haupt.get(), "warnfenster");
            auto* knopf = warnung->findChild<QPushButton*>(QString::fromLatin1(knopfName));
            if (!knopf || !QTest::qWaitForWindowExposed(warnung)) {
                klicks.append({wo + QStringLiteral(": nicht gezeigt"), true, true});
                return;
            }
            QTest::mouseClick(warnung->windowHandle(), Qt::LeftButton, {},
                              knopf->mapTo(warnung, knopf->rect().center()));
            klicks.append({wo, warnung->isVisible(), !haupt->fehlerzustand().wfehler().isEmpty()});
        };

        DialogBeantworter b;
        b.erwarte<TFormPraesent>([&](TFormPraesent* editor) {
            klicken(QStringLiteral("Editor, Warnung von vorher, schließen"), "schliessen", false);
            klicken(QStringLiteral("Editor, schließen"), "schliessen", true);
            klicken(QStringLiteral("Editor, quittieren"), "quittieren", true);
            b.erwarte<TFormBildschirm_eg>([&](TFormBildschirm_eg* dialog) {
                klicken(QStringLiteral("Bildschirm-Dialog, schließen"), "schliessen", true);
                klicken(QStringLiteral("Bildschirm-Dialog, quittieren"), "quittieren", true);
                dialog->reject();
            });
            auto* baum = editor->findChild<QTreeWidget*>(QStringLiteral("baum"));
            baum->setCurrentItem(baum->topLevelItem(0));
            QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("neu")), Qt::LeftButton);
            klicken(QStringLiteral("Editor nach dem Dialog, quittieren"), "quittieren", true);
            editor->reject();
        });
        haupt->fehlerzustand().setzen(QStringLiteral("Upload Fehler!"), QStringLiteral("tabelle_0001_01.txt"));
        haupt->warnungZeigen();
        teil<QAction>(haupt.get(), "menuePraesentation")->trigger();
        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));

        const QList<Klick> erwartet = {
            {QStringLiteral("Editor, Warnung von vorher, schließen"), false, true},
            {QStringLiteral("Editor, schließen"), false, true},
            {QStringLiteral("Editor, quittieren"), false, false},
            {QStringLiteral("Bildschirm-Dialog, schließen"), false, true},
            {QStringLiteral("Bildschirm-Dialog, quittieren"), false, false},
            {QStringLiteral("Editor nach dem Dialog, quittieren"), false, false},
        };
        QCOMPARE(klicks.size(), erwartet.size());
        for (qsizetype i = 0; i < klicks.size(); ++i) {
            QCOMPARE(klicks[i].wo, erwartet[i].wo);
            QCOMPARE(klicks[i].sichtbar, erwartet[i].sichtbar);
            QCOMPARE(klicks[i].fehlerDa, erwartet[i].fehlerDa);
        }

        // Back in the main window alone, it works as before.
        klicken(QStringLiteral("Hauptfenster"), "quittieren", true);
        QCOMPARE(klicks.last().sichtbar, false);
        QCOMPARE(klicks.last().fehlerDa, false);
    }
};

QUENDA_GUI_TEST_MAIN(PraesentationMenueTest)
#include "PraesentationMenueTest.moc"
