#include "TFormPraesent.h"
#include "DialogBeantworter.h"
#include "GuiTestMain.h"
#include "RadioGroup.h"
#include "TFormAuslo_eg.h"
#include "TFormBereich_eg.h"
#include "TFormBildschirm_eg.h"
#include "TFormEbene_eg.h"
#include "TFormObjekt_eg.h"
#include "Turnierkontext.h"
#include "db/TDM.h"
#include "presentation/ConfigDatei.h"
#include "presentation/Meldungsdatei.h"
#include "presentation/Namensabfragen.h"
#include "support/Dateien.h"
#include "support/DemoHilfen.h"
#include "support/MeldungenMerken.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace quenda;
using namespace quenda::test;

namespace {

void ok(QDialog* dialog) {
    for (QPushButton* knopf : dialog->findChildren<QPushButton*>()) {
        if (knopf->text() == QStringLiteral("&OK")) {
            knopf->click();
            return;
        }
    }
}

QStringList angehakt(const QListWidget* liste) {
    QStringList texte;
    for (int i = 0; i < liste->count(); ++i) {
        if (liste->item(i)->checkState() == Qt::Checked) {
            texte.append(liste->item(i)->text());
        }
    }
    return texte;
}

} // namespace

class TFormPraesentTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    TDM dm;
    Turnierkontext kontext;
    MeldungenMerken meldungen;
    std::unique_ptr<TFormPraesent> editor;
    std::unique_ptr<DialogBeantworter> antworten; // one per test: two would race for the same dialog

    QString tsdirDatei(const QString& name) const { return QDir(kontext.tsdir).filePath(name); }

    // What the editor wrote: config_quenda.xml read back.
    BildschirmListe gespeichert() const {
        BildschirmListe liste;
        ConfigLoad(tsdirDatei(QStringLiteral("config_quenda.xml")), liste, nullptr, nullptr);
        return liste;
    }

    QTreeWidget* baum() const { return teil<QTreeWidget>(editor.get(), "baum"); }
    QPushButton* knopf(const char* name) const { return teil<QPushButton>(editor.get(), name); }
    QLabel* label(const char* name) const { return teil<QLabel>(editor.get(), name); }
    // A click on one of the editor's buttons, its dialogs answered by the test's DialogBeantworter.
    void klick(const char* name) { QTest::mouseClick(knopf(name), Qt::LeftButton); }

    // Shows the editor as the menu item does: the lists filled, then the window (here without its own loop).
    void oeffnen() {
        editor->listenFuellen(objektArten(), referenzlistenLaden(dm, kontext.dbturid));
        editor->show();
    }

    QTreeWidgetItem* knoten(const TNodeInfo& pfad) {
        QTreeWidgetItemIterator it(baum());
        for (; *it; ++it) {
            const TNodeInfo i = TFormPraesent::nodeInfo(*it);
            if (i.bs_id == pfad.bs_id && i.eb_id == pfad.eb_id && i.br_id == pfad.br_id && i.obj_id == pfad.obj_id &&
                i.asl_id == pfad.asl_id) {
                return *it;
            }
        }
        return nullptr;
    }

    void waehlen(const TNodeInfo& pfad) {
        QTreeWidgetItem* k = knoten(pfad);
        QVERIFY2(k, "node not found");
        baum()->setCurrentItem(k);
    }

    // Runs a button with the dialogs answered in order; fails on an unexpected dialog.
    void mitAntworten(DialogBeantworter& antworten, const std::function<void()>& knopf) {
        knopf();
        QVERIFY2(antworten.unerwartet.isEmpty(), qPrintable(antworten.unerwartet.join(u',')));
        QVERIFY(antworten.alleBeantwortet());
    }

    // Screen 1 (1920×1080) > layer 1 > area 1, built through the editor.
    void geruestAnlegen() {
        DialogBeantworter& a = *antworten;
        a.erwarte<TFormBildschirm_eg>([](TFormBildschirm_eg* d) {
            teil<QSpinBox>(d, "posX")->setValue(0);
            teil<QSpinBox>(d, "posY")->setValue(0);
            teil<QSpinBox>(d, "breite")->setValue(1920);
            teil<QSpinBox>(d, "hoehe")->setValue(1080);
            ok(d);
        });
        waehlen({});
        mitAntworten(a, [this]() { klick("neu"); });
        a.erwarte<TFormEbene_eg>([](TFormEbene_eg* d) {
            teil<QSpinBox>(d, "posX")->setValue(100);
            teil<QSpinBox>(d, "posY")->setValue(50);
            teil<QSpinBox>(d, "breite")->setValue(800);
            teil<QSpinBox>(d, "hoehe")->setValue(600);
            teil<QSpinBox>(d, "anzeigeIntervall")->setValue(30);
            ok(d);
        });
        waehlen({1});
        mitAntworten(a, [this]() { klick("neu"); });
        a.erwarte<TFormBereich_eg>([](TFormBereich_eg* d) {
            teil<QCheckBox>(d, "aktiviert")->setChecked(true);
            teil<QSpinBox>(d, "posX")->setValue(10);
            teil<QSpinBox>(d, "posY")->setValue(20);
            teil<QSpinBox>(d, "breite")->setValue(200);
            teil<QSpinBox>(d, "hoehe")->setValue(100);
            ok(d);
        });
        waehlen({1, 1});
        mitAntworten(a, [this]() { klick("neu"); });
    }

    void objektAnlegen(int art, const QString& text = {}) {
        DialogBeantworter& a = *antworten;
        a.erwarte<TFormObjekt_eg>([art, text](TFormObjekt_eg* d) {
            teil<QComboBox>(d, "art")->setCurrentIndex(art);
            teil<QPlainTextEdit>(d, "meldung")->setPlainText(text);
            ok(d);
        });
        waehlen({1, 1, 1});
        mitAntworten(a, [this]() { klick("neu"); });
    }

private Q_SLOTS:
    void init() {
        static int nummer = 0;
        const QString db =
            demo::test::erzeugen(dir, QStringLiteral("t%1.sqlite").arg(++nummer), demo::Groesse::Klein, 1);
        dm.oeffnen(db, TDM::Frische::Aktuell);
        kontext.dbturid = 1;
        kontext.dbturnier = QStringLiteral("Südpark-Pokal 2026");
        kontext.tsdir = dir.filePath(QStringLiteral("qnda%1").arg(nummer));
        QDir().mkpath(kontext.tsdir);
        meldungen.texte.clear();
        antworten = std::make_unique<DialogBeantworter>();
        editor = std::make_unique<TFormPraesent>(kontext, dm, meldungen);
        oeffnen();
    }

    void cleanup() {
        editor.reset();
        antworten.reset();
        dm.schliessen();
    }

    void panelFollowsTheLevelOfTheSelection() {
        QCOMPARE(editor->windowTitle(), QStringLiteral("Präsentation - Web"));
        QVERIFY(!knopf("aendern")->isVisible());
        QCOMPARE(knopf("neu")->text(), QStringLiteral("Neu Bildschirm"));
        geruestAnlegen();
        QCOMPARE(knoten({1})->text(0), QStringLiteral("Bildschirm ID:1 x:0 y:0 Breite:1920 Höhe:1080"));
        // The area's caption shows its own values, not those last entered for the screen.
        QCOMPARE(knoten({1, 1, 1})->text(0), QStringLiteral("Bereich ID:1 x:10 y:20 Breite:200 Höhe:100"));

        waehlen({1});
        QCOMPARE(label("elementArt")->text(), QStringLiteral("BILDSCHIRM"));
        QCOMPARE(label("elementId")->text(), QStringLiteral("ID: 1"));
        QCOMPARE(knopf("neu")->text(), QStringLiteral("Neu Ebene"));
        QVERIFY(knopf("aendern")->isVisible());
        QVERIFY(!knopf("loeschen")->isEnabled()); // the screen has a layer
        QCOMPARE(label("lageBreite")->text(), QStringLiteral("Breite: 1920 px"));

        waehlen({1, 1});
        QCOMPARE(label("elementArt")->text(), QStringLiteral("EBENE"));
        QCOMPARE(knopf("neu")->text(), QStringLiteral("Neu Bereich"));
        QCOMPARE(label("ebeneBeginn")->text(), QStringLiteral("30"));

        waehlen({1, 1, 1});
        QCOMPARE(label("elementArt")->text(), QStringLiteral("BEREICH"));
        QCOMPARE(knopf("neu")->text(), QStringLiteral("Neu Objekt"));
        QVERIFY(teil<QCheckBox>(editor.get(), "bereichOption1")->isChecked());
        QVERIFY(!teil<QCheckBox>(editor.get(), "bereichOption2")->isChecked());
        QVERIFY(knopf("loeschen")->isEnabled());

        objektAnlegen(1);
        waehlen({1, 1, 1, 1});
        QCOMPARE(label("elementArt")->text(), QStringLiteral("OBJEKT"));
        QCOMPARE(knopf("neu")->text(), QStringLiteral("Neu Auslosung/Halle"));
        QCOMPARE(label("objektArt")->text(), QStringLiteral("Tabelle"));

        waehlen({});
        QVERIFY(!label("elementArt")->isVisible());
        QCOMPARE(knopf("neu")->text(), QStringLiteral("Neu Bildschirm"));

        // Every change was written: a fresh reading gives the same tree.
        BildschirmListe gelesen;
        QCOMPARE(ConfigLoad(tsdirDatei(QStringLiteral("config_quenda.xml")), gelesen, nullptr, nullptr).status,
                 Ladeergebnis::Status::Geladen);
        QCOMPARE(lesen(tsdirDatei(QStringLiteral("config_quenda.xml"))), configText(kontext.dbturnier, gelesen));
        QCOMPARE(gelesen.size(), std::size_t{1});
        QCOMPARE(gelesen[0].EbeneList[0].BereichList[0].ObjektList.size(), std::size_t{1});
        QVERIFY(meldungen.texte.isEmpty());
    }

    void layerDialogIsLimitedByTheScreen() {
        geruestAnlegen();
        DialogBeantworter& a = *antworten;
        int maxX = 0, maxH = 0, x = 0, h = 0;
        a.erwarte<TFormEbene_eg>([&](TFormEbene_eg* d) {
            maxX = teil<QSpinBox>(d, "posX")->maximum();
            maxH = teil<QSpinBox>(d, "hoehe")->maximum();
            teil<QSpinBox>(d, "posX")->setValue(5000);
            teil<QSpinBox>(d, "hoehe")->setValue(5000);
            x = teil<QSpinBox>(d, "posX")->value();
            h = teil<QSpinBox>(d, "hoehe")->value();
            d->reject();
        });
        waehlen({1});
        mitAntworten(a, [this]() { klick("neu"); });
        QCOMPARE(maxX, 1920);
        QCOMPARE(maxH, 1080);
        QCOMPARE(x, 1920);
        QCOMPARE(h, 1080);
        QVERIFY(!knoten({1, 2})); // cancelled: nothing made
    }

    void drawReferencesAllAndSingle() {
        geruestAnlegen();
        objektAnlegen(0);
        DialogBeantworter& a = *antworten;
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            QVERIFY(teil<QListWidget>(d, "auslosungen")->isVisible());
            QVERIFY(!teil<QComboBox>(d, "hallen")->isVisible());
            QVERIFY(!teil<QListWidget>(d, "auslosungen")->isEnabled()); // "Alle": the list can't be ticked
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { klick("neu"); });
        QCOMPARE(knoten({1, 1, 1, 1, 1})->text(0), QStringLiteral("Auslosung ID:1 Auslosung:ALLE Auslosungen [0]"));

        // "Einzelne" with the draws 2 and 5 (positions 0 and 2 of the list), "Nur Ranglisten ".
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            teil<RadioGroup>(d, "umfang")->setItemIndex(1);
            QVERIFY(teil<QListWidget>(d, "auslosungen")->isEnabled());
            teil<QListWidget>(d, "auslosungen")->item(2)->setCheckState(Qt::Checked);
            teil<QListWidget>(d, "auslosungen")->item(0)->setCheckState(Qt::Checked);
            teil<RadioGroup>(d, "typ")->setItemIndex(1);
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { klick("neu"); });
        QCOMPARE(knoten({1, 1, 1, 1, 2})->text(0),
                 QStringLiteral("Auslosung ID:2 Auslosung:Herren A Endrunde,Herren-Doppel Endrunde [2-5]"));
        waehlen({1, 1, 1, 1, 2});
        QCOMPARE(label("elementArt")->text(), QStringLiteral("AUSLOSUNG"));
        QVERIFY(!knopf("neu")->isVisible());
        QCOMPARE(label("typText")->text(), QStringLiteral("Nur Ranglisten"));
        QCOMPARE(label("elementId")->text(), QStringLiteral("ID: 2"));

        // "Ändern" ticks exactly the reference's draws, whatever an earlier use left ticked; "Alle" gives "0".
        QStringList gesehen;
        a.erwarte<TFormAuslo_eg>([&gesehen](TFormAuslo_eg* d) {
            gesehen = angehakt(teil<QListWidget>(d, "auslosungen"));
            QCOMPARE(teil<RadioGroup>(d, "umfang")->itemIndex(), 1);
            QCOMPARE(teil<RadioGroup>(d, "typ")->itemIndex(), 1);
            teil<RadioGroup>(d, "umfang")->setItemIndex(0);
            ok(d);
        });
        teil<QListWidget>(editor->findChild<TFormAuslo_eg*>(), "auslosungen")->item(1)->setCheckState(Qt::Checked);
        mitAntworten(a, [this]() { klick("aendern"); });
        QCOMPARE(gesehen, (QStringList{QStringLiteral("Herren A Endrunde"), QStringLiteral("Herren-Doppel Endrunde")}));
        QCOMPARE(gespeichert()[0].EbeneList[0].BereichList[0].ObjektList[0].AuslosungList[1].aslid,
                 QStringLiteral("0"));
        QCOMPARE(knoten({1, 1, 1, 1, 2})->text(0), QStringLiteral("Auslosung ID:2 Auslosung:ALLE Auslosungen [0]"));
    }

    void competitionAndHallReferences() {
        geruestAnlegen();
        objektAnlegen(8);
        DialogBeantworter& a = *antworten;
        QString erster;
        a.erwarte<TFormAuslo_eg>([&erster](TFormAuslo_eg* d) {
            QCOMPARE(teil<QLabel>(d, "ueberschrift")->text(), QStringLiteral("Konkurrenz"));
            QVERIFY(teil<QComboBox>(d, "konkurrenzen")->isVisible());
            QVERIFY(!teil<QListWidget>(d, "auslosungen")->isVisible());
            erster = teil<QComboBox>(d, "konkurrenzen")->itemText(0);
            teil<QComboBox>(d, "konkurrenzen")
                ->setCurrentIndex(teil<QComboBox>(d, "konkurrenzen")->findText(QStringLiteral("Damen A")));
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { klick("neu"); });
        QCOMPARE(erster, QStringLiteral("ALLE Konkurrenzen"));
        QCOMPARE(knoten({1, 1, 1, 1, 1})->text(0), QStringLiteral("Konkurrenz ID:1 Konkurrenz:Damen A [2]"));

        objektAnlegen(4);
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            QCOMPARE(teil<QLabel>(d, "ueberschrift")->text(), QStringLiteral("Sporthalle"));
            teil<QComboBox>(d, "hallen")->setCurrentIndex(1);
            ok(d);
        });
        waehlen({1, 1, 1, 2});
        mitAntworten(a, [this]() { klick("neu"); });
        QCOMPARE(gespeichert()[0].EbeneList[0].BereichList[0].ObjektList[1].AuslosungList[0].aslid,
                 QStringLiteral("2"));
        waehlen({1, 1, 1, 2, 1});
        QCOMPARE(label("elementArt")->text(), QStringLiteral("HALLE"));
        QVERIFY(!label("typKopf")->isVisible());

        // A hall that is no longer in the tournament, and a hand-edited id that is no number, in the file the
        // editor opens again.
        const auto halleSetzen = [this](const QString& aslid) {
            BildschirmListe liste = gespeichert();
            liste[0].EbeneList[0].BereichList[0].ObjektList[1].AuslosungList[0].aslid = aslid;
            ConfigSave(tsdirDatei(QStringLiteral("config_quenda.xml")), kontext.dbturnier, liste);
            editor->done(QDialog::Accepted);
            oeffnen();
        };
        halleSetzen(QStringLiteral("77"));
        waehlen({1, 1, 1, 2, 1});
        QCOMPARE(label("referenzName")->text(), QStringLiteral("nicht gefunden"));
        halleSetzen(QStringLiteral("2 or 1=1"));
        waehlen({1, 1, 1, 2, 1});
        klick("aendern"); // stops with a conversion error before the dialog opens
        QCOMPARE(meldungen.texte.size(), 1);
        QCOMPARE(gespeichert()[0].EbeneList[0].BereichList[0].ObjektList[1].AuslosungList[0].aslid,
                 QStringLiteral("2 or 1=1"));
        QVERIFY2(antworten->unerwartet.isEmpty(), qPrintable(antworten->unerwartet.join(u',')));
    }

    void messageObjectsKeepTheirTextInFiles() {
        geruestAnlegen();
        objektAnlegen(6, QStringLiteral("Halle schließt um 22 Uhr"));
        const QString org = tsdirDatei(meldungDateiname(1, 1, 1, 1, true));
        QCOMPARE(lesen(org), QByteArray("Halle schlie\xDF"
                                        "t um 22 Uhr"));

        // Published by a cycle in between: "Ändern" reads the ".txt" file.
        QFile::rename(org, tsdirDatei(meldungDateiname(1, 1, 1, 1, false)));
        DialogBeantworter& a = *antworten;
        QString geladen;
        a.erwarte<TFormObjekt_eg>([&geladen](TFormObjekt_eg* d) {
            geladen = teil<QPlainTextEdit>(d, "meldung")->toPlainText();
            QVERIFY(teil<QPlainTextEdit>(d, "meldung")->isEnabled());
            teil<QPlainTextEdit>(d, "meldung")->setPlainText(QStringLiteral("Zeile 1\nZeile 2"));
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { klick("aendern"); });
        QCOMPARE(geladen, QStringLiteral("Halle schließt um 22 Uhr"));
        QCOMPARE(lesen(org), QByteArray("Zeile 1\r\nZeile 2"));

        // Deleting asks first; cancel keeps everything, OK removes both files.
        QStringList fragen;
        a.erwarte<QMessageBox>([&fragen](QMessageBox* box) {
            fragen.append(box->text());
            box->button(QMessageBox::Cancel)->click();
        });
        mitAntworten(a, [this]() { klick("loeschen"); });
        QVERIFY(knoten({1, 1, 1, 1}));
        a.erwarte<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        mitAntworten(a, [this]() { klick("loeschen"); });
        QCOMPARE(
            fragen.value(0),
            QStringLiteral("Soll Bildschirm ID: 1 Ebene ID: 1 Bereich ID: 1 Objekt ID: 1 wirklich gelöscht werden ?"));
        QVERIFY(!knoten({1, 1, 1, 1}));
        QVERIFY(!QFile::exists(org));
        QVERIFY(!QFile::exists(tsdirDatei(meldungDateiname(1, 1, 1, 1, false))));
        QVERIFY(gespeichert()[0].EbeneList[0].BereichList[0].ObjektList.empty());
    }

    void objectDialogChecksTheKindAndSwitchesTheMessageBox() {
        TFormObjekt_eg* d = editor->findChild<TFormObjekt_eg*>();
        teil<QComboBox>(d, "art")->setCurrentIndex(6);
        QVERIFY(teil<QPlainTextEdit>(d, "meldung")->isEnabled());
        teil<QComboBox>(d, "art")->setCurrentIndex(1);
        QVERIFY(!teil<QPlainTextEdit>(d, "meldung")->isEnabled());

        geruestAnlegen();
        DialogBeantworter& a = *antworten;
        a.erwarte<TFormObjekt_eg>([](TFormObjekt_eg* dialog) {
            teil<QComboBox>(dialog, "art")->setEditText(QStringLiteral("  "));
            ok(dialog); // refused, the dialog stays open
        });
        a.erwarte<TFormObjekt_eg>([](TFormObjekt_eg* dialog) { dialog->reject(); });
        waehlen({1, 1, 1});
        mitAntworten(a, [this]() { klick("neu"); });
        QCOMPARE(meldungen.texte, QStringList{QStringLiteral("Es ist eine Eingabe im Feld Objekt erforderlich.")});
        QVERIFY(!knoten({1, 1, 1, 1}));
    }

    void deletingAndReopeningStartFromTheFile() {
        geruestAnlegen();
        DialogBeantworter& a = *antworten;
        a.erwarte<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        waehlen({1, 1, 1});
        mitAntworten(a, [this]() { klick("loeschen"); });
        QVERIFY(!knoten({1, 1, 1}));

        // Opening the editor again lists every draw once and rebuilds the tree from the file.
        editor->done(QDialog::Accepted);
        oeffnen();
        QCOMPARE(teil<QListWidget>(editor->findChild<TFormAuslo_eg*>(), "auslosungen")->count(), 4);
        QVERIFY(knoten({1, 1}));
        QVERIFY(!knoten({1, 1, 1}));
        QCOMPARE(gespeichert().size(), std::size_t{1});
    }

    void pictureIsCopiedIntoTheImagesFolder() {
        QTemporaryDir anderswo;
        const QString logo = anderswo.filePath(QStringLiteral("logo.png"));
        QFile datei(logo);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("PNG1");
        datei.close();
        TFormEbene_eg* d = editor->findChild<TFormEbene_eg*>();
        QVERIFY(d);
        d->show();
        auto* feld = teil<QLineEdit>(d, "hintergrund");
        auto* bild = teil<QPushButton>(d, "bild");
        d->setBildWahl([&logo](QWidget*) { return logo; });
        QTest::mouseClick(bild, Qt::LeftButton);
        QCOMPARE(feld->text(), QStringLiteral("logo.png"));
        QCOMPARE(lesen(tsdirDatei(QStringLiteral("images/logo.png"))), QByteArray("PNG1"));
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("PNG2");
        datei.close();
        QTest::mouseClick(bild, Qt::LeftButton);
        QCOMPARE(lesen(tsdirDatei(QStringLiteral("images/logo.png"))), QByteArray("PNG2"));
        d->setBildWahl([](QWidget*) { return QString(); }); // cancelled: nothing changes
        feld->setText(QStringLiteral("getippt.jpg"));
        QTest::mouseClick(bild, Qt::LeftButton);
        QCOMPARE(feld->text(), QStringLiteral("getippt.jpg"));
        d->hide();
    }

    // At its first showing the editor keeps its size and fits a 1366 x 768 screen: the detail boxes that a
    // selection shows do not all count towards its minimum at once.
    void fitsTheDesksScreenAtItsFirstShowing() {
        TFormPraesent frisch(kontext, dm, meldungen);
        frisch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frisch));
        QCOMPARE(frisch.size(), QSize(1200, 720));
        QVERIFY(frisch.minimumSize().height() < 768);
        QVERIFY(frisch.minimumSizeHint().height() < 768);
    }

    // Return and Enter on a tree node trigger no button: the transfer, "Neu …" and the others run on a click only.
    void returnOnATreeNodeTriggersNoButton() {
        int gesendet = 0, aufgefrischt = 0;
        editor->setUebertragen([&gesendet]() { ++gesendet; });
        editor->setRefresh([&aufgefrischt]() { ++aufgefrischt; });
        geruestAnlegen();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        for (const TNodeInfo& pfad : {TNodeInfo{}, TNodeInfo{1}, TNodeInfo{1, 1, 1}}) {
            waehlen(pfad);
            baum()->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(baum()->hasFocus());
            QTest::keyClick(baum(), Qt::Key_Return);
            QTest::keyClick(baum(), Qt::Key_Enter, Qt::KeypadModifier);
            // A dialog opened by the key would be answered and recorded at the second poll.
            QTest::qWait(50);
        }
        QCOMPARE(gesendet, 0);
        QCOMPARE(aufgefrischt, 0);
        QVERIFY2(antworten->unerwartet.isEmpty(), qPrintable(antworten->unerwartet.join(u',')));
        QVERIFY(editor->isVisible());
        for (QPushButton* knopf : editor->findChildren<QPushButton*>()) {
            if (knopf->window() != editor.get()) {
                continue; // the element dialogs' OK stays their default
            }
            QVERIFY2(!knopf->isDefault() && !knopf->autoDefault(), qPrintable(knopf->text()));
        }
        // The click still sends.
        QTest::mouseClick(knopf("uebertragungKonfiguration"), Qt::LeftButton);
        QCOMPARE(gesendet, 1);
    }

    // A long caption is shown whole: the column grows with a scroll bar instead of eliding the "[id]" at its
    // end, and the tooltip holds the whole text, also after "Ändern".
    void longCaptionsScrollAndShowTheirWholeText() {
        geruestAnlegen();
        objektAnlegen(0);
        DialogBeantworter& a = *antworten;
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            teil<RadioGroup>(d, "umfang")->setItemIndex(1);
            for (int i = 0; i < teil<QListWidget>(d, "auslosungen")->count(); ++i) {
                teil<QListWidget>(d, "auslosungen")->item(i)->setCheckState(Qt::Checked);
            }
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { klick("neu"); });
        QTreeWidgetItem* referenz = knoten({1, 1, 1, 1, 1});
        QVERIFY(referenz);
        QVERIFY(referenz->text(0).endsWith(QStringLiteral("]")));
        QCOMPARE(referenz->toolTip(0), referenz->text(0));

        QTreeWidget* baum = this->baum();
        baum->setFixedWidth(320);
        QTest::qWait(0);
        QTRY_VERIFY(baum->header()->sectionSize(0) >=
                    static_cast<const QAbstractItemView*>(baum)->sizeHintForColumn(0));
        QVERIFY(baum->header()->sectionSize(0) > baum->viewport()->width());
        QVERIFY(baum->horizontalScrollBar()->maximum() > 0);

        // "Ändern" to "Alle": caption and tooltip follow.
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            teil<RadioGroup>(d, "umfang")->setItemIndex(0);
            ok(d);
        });
        waehlen({1, 1, 1, 1, 1});
        mitAntworten(a, [this]() { klick("aendern"); });
        QCOMPARE(referenz->text(0), QStringLiteral("Auslosung ID:1 Auslosung:ALLE Auslosungen [0]"));
        QCOMPARE(referenz->toolTip(0), referenz->text(0));
    }

    void unreadableFileIsReportedAndKeptAside() {
        editor->done(QDialog::Rejected);
        QFile datei(tsdirDatei(QStringLiteral("config_quenda.xml")));
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("<Turnier><bildschirm");
        datei.close();
        oeffnen();
        QCOMPARE(meldungen.texte, QStringList{QStringLiteral("XML-Datei konnte nicht geladen werden")});
        QCOMPARE(baum()->topLevelItem(0)->childCount(), 0);
        geruestAnlegen();
        QCOMPARE(QDir(kontext.tsdir).entryList({QStringLiteral("config_quenda.xml.bak-*")}).size(), 1);
    }
};

QUENDA_GUI_TEST_MAIN(TFormPraesentTest)
#include "TFormPraesentTest.moc"
