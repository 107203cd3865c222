#include "../core/db/MiniTurnier.h"
#include "DialogBeantworter.h"
#include "GuiTestMain.h"
#include "TFormAuslo_eg.h"
#include "TFormHaupt.h"
#include "TFormPraesent.h"
#include "TFormWarnung.h"
#include "db/Turnierauswahl.h"
#include "presentation/ConfigDatei.h"
#include "util/Programmuhr.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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
        haupt->FormActivate();
        QCOMPARE(haupt->kontext.dbturid, 1);
    }

    void cleanup() { haupt.reset(); }

    void menuOpensTheEditorMaximizedWithItsListsFilledOnce() {
        QVERIFY(haupt->Prsentation2->isEnabled());
        haupt->Ablage.dbzkd.clear();
        DialogBeantworter b;
        bool maximiert = false, senden = true;
        int auslosungen = -1, nochmal = -1;
        b.erwarte<TFormPraesent>([&](TFormPraesent* p) {
            maximiert = p->windowState().testFlag(Qt::WindowMaximized);
            senden = p->BitBtn11->isEnabled();
            auslosungen = p->FormAuslo_eg->CheckListBox1->count();
            p->reject();
        });
        haupt->Prsentation2->trigger();
        haupt->Ablage.dbzkd = QStringLiteral("20261209090000");
        b.erwarte<TFormPraesent>([&](TFormPraesent* p) {
            senden = p->BitBtn11->isEnabled();
            nochmal = p->FormAuslo_eg->CheckListBox1->count();
            p->reject();
        });
        haupt->Prsentation2->trigger();
        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QVERIFY(maximiert);
        QVERIFY(senden); // enabled once a data folder name is set
        QVERIFY(auslosungen > 0);
        QCOMPARE(nochmal, auslosungen);
    }

    void transferEndsWithSuccessOrWithTheWarningWindow() {
        QDir().mkpath(dir->filePath(QStringLiteral("web")));
        haupt->Ablage.aktiv = 1;
        haupt->Ablage.anzweb = 1;
        haupt->Ablage.verzeichnis = dir->filePath(QStringLiteral("web/"));
        haupt->Ablage.dbzkd = QStringLiteral("20261209090000");
        ConfigSave(configPfad(haupt->kontext.tsdir), haupt->kontext.dbturnier, {});
        DialogBeantworter b;
        b.erwarteMeldung();
        haupt->BitBtn11Click();
        QVERIFY(b.alleBeantwortet());
        QCOMPARE(b.meldungen, QStringList{QStringLiteral("Die Konfiguration wurde übertragen!")});
        QVERIFY(QFile::exists(dir->filePath(QStringLiteral("web/zkd20261209090000/config_quenda.xml"))));

        // A failure still pending from the transfer cycle leads to the warning window.
        haupt->fehler.setzen(QStringLiteral("Upload Fehler!"), QStringLiteral("tabelle_0001_01.txt"));
        haupt->BitBtn11Click();
        QVERIFY(b.unerwartet.isEmpty());
        QVERIFY(haupt->FormWarnung->isVisible());
    }
};

QUENDA_GUI_TEST_MAIN(PraesentationMenueTest)
#include "PraesentationMenueTest.moc"
