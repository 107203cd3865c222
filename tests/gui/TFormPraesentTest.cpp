#include "TFormPraesent.h"
#include "../tools/DemoHilfen.h"
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
#include "util/MeldungsAusgabe.h"

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

namespace {

struct MeldungenMerken : MeldungsAusgabe {
    QStringList texte;
    void meldung(const QString& text) override { texte.append(text); }
};

void ok(QDialog* dialog) {
    for (QPushButton* knopf : dialog->findChildren<QPushButton*>()) {
        if (knopf->text() == QStringLiteral("&OK")) {
            knopf->click();
            return;
        }
    }
}

QByteArray inhalt(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
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

    // Shows the editor as the menu item does: the lists filled, then the window (here without its own loop).
    void oeffnen() {
        editor->listenFuellen(objektArten(), referenzlistenLaden(dm, kontext.dbturid));
        editor->show();
    }

    QTreeWidgetItem* knoten(const TNodeInfo& pfad) {
        QTreeWidgetItemIterator it(editor->TreeView1);
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
        editor->TreeView1->setCurrentItem(k);
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
            d->lage->x1->setValue(0);
            d->lage->y1->setValue(0);
            d->lage->b1->setValue(1920);
            d->lage->h1->setValue(1080);
            ok(d);
        });
        waehlen({});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
        a.erwarte<TFormEbene_eg>([](TFormEbene_eg* d) {
            d->lage->x1->setValue(100);
            d->lage->y1->setValue(50);
            d->lage->b1->setValue(800);
            d->lage->h1->setValue(600);
            d->SpinEdit1->setValue(30);
            ok(d);
        });
        waehlen({1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
        a.erwarte<TFormBereich_eg>([](TFormBereich_eg* d) {
            d->CheckBox1->setChecked(true);
            d->lage->x1->setValue(10);
            d->lage->y1->setValue(20);
            d->lage->b1->setValue(200);
            d->lage->h1->setValue(100);
            ok(d);
        });
        waehlen({1, 1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
    }

    void objektAnlegen(int art, const QString& text = {}) {
        DialogBeantworter& a = *antworten;
        a.erwarte<TFormObjekt_eg>([art, text](TFormObjekt_eg* d) {
            d->ComboBox1->setCurrentIndex(art);
            d->Memo1->setPlainText(text);
            ok(d);
        });
        waehlen({1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
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
        QVERIFY(!editor->BitBtn3->isVisible());
        QCOMPARE(editor->BitBtn2->text(), QStringLiteral("Neu Bildschirm"));
        geruestAnlegen();
        QCOMPARE(knoten({1})->text(0), QStringLiteral("Bildschirm ID:1 x:0 y:0 Breite:1920 Höhe:1080"));
        // The area's caption shows its own values, not those last entered for the screen.
        QCOMPARE(knoten({1, 1, 1})->text(0), QStringLiteral("Bereich ID:1 x:10 y:20 Breite:200 Höhe:100"));

        waehlen({1});
        QCOMPARE(editor->Label1->text(), QStringLiteral("BILDSCHIRM"));
        QCOMPARE(editor->Label2->text(), QStringLiteral("ID: 1"));
        QCOMPARE(editor->BitBtn2->text(), QStringLiteral("Neu Ebene"));
        QVERIFY(editor->BitBtn3->isVisible());
        QVERIFY(!editor->BitBtn4->isEnabled()); // the screen has a layer
        QCOMPARE(editor->Breite->text(), QStringLiteral("Breite: 1920 px"));

        waehlen({1, 1});
        QCOMPARE(editor->Label1->text(), QStringLiteral("EBENE"));
        QCOMPARE(editor->BitBtn2->text(), QStringLiteral("Neu Bereich"));
        QCOMPARE(editor->EbeneBeginn->text(), QStringLiteral("30"));

        waehlen({1, 1, 1});
        QCOMPARE(editor->Label1->text(), QStringLiteral("BEREICH"));
        QCOMPARE(editor->BitBtn2->text(), QStringLiteral("Neu Objekt"));
        QVERIFY(editor->BereichOption[0]->isChecked());
        QVERIFY(!editor->BereichOption[1]->isChecked());
        QVERIFY(editor->BitBtn4->isEnabled());

        objektAnlegen(1);
        waehlen({1, 1, 1, 1});
        QCOMPARE(editor->Label1->text(), QStringLiteral("OBJEKT"));
        QCOMPARE(editor->BitBtn2->text(), QStringLiteral("Neu Auslosung/Halle"));
        QCOMPARE(editor->ObjektArt->text(), QStringLiteral("Tabelle"));

        waehlen({});
        QVERIFY(!editor->Label1->isVisible());
        QCOMPARE(editor->BitBtn2->text(), QStringLiteral("Neu Bildschirm"));

        // Every change was written: a fresh reading gives the same tree.
        BildschirmListe gelesen;
        QCOMPARE(ConfigLoad(tsdirDatei(QStringLiteral("config_quenda.xml")), gelesen, nullptr, nullptr).status,
                 Ladeergebnis::Status::Geladen);
        QCOMPARE(inhalt(tsdirDatei(QStringLiteral("config_quenda.xml"))),
                 configText(kontext.dbturnier, editor->praesentation.BildschirmList));
        QVERIFY(meldungen.texte.isEmpty());
    }

    void layerDialogIsLimitedByTheScreen() {
        geruestAnlegen();
        DialogBeantworter& a = *antworten;
        int maxX = 0, maxH = 0, x = 0, h = 0;
        a.erwarte<TFormEbene_eg>([&](TFormEbene_eg* d) {
            maxX = d->lage->x1->maximum();
            maxH = d->lage->h1->maximum();
            d->lage->x1->setValue(5000);
            d->lage->h1->setValue(5000);
            x = d->lage->x1->value();
            h = d->lage->h1->value();
            d->reject();
        });
        waehlen({1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
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
            QVERIFY(d->CheckListBox1->isVisible());
            QVERIFY(!d->ComboBox2->isVisible());
            QVERIFY(!d->CheckListBox1->isEnabled()); // "Alle": the list can't be ticked
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
        QCOMPARE(knoten({1, 1, 1, 1, 1})->text(0), QStringLiteral("Auslosung ID:1 Auslosung:ALLE Auslosungen [0]"));

        // "Einzelne" with the draws 2 and 5 (positions 0 and 2 of the list), "Nur Ranglisten ".
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            d->RadioGroup2->setItemIndex(1);
            QVERIFY(d->CheckListBox1->isEnabled());
            d->CheckListBox1->item(2)->setCheckState(Qt::Checked);
            d->CheckListBox1->item(0)->setCheckState(Qt::Checked);
            d->RadioGroup1->setItemIndex(1);
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
        QCOMPARE(knoten({1, 1, 1, 1, 2})->text(0),
                 QStringLiteral("Auslosung ID:2 Auslosung:Herren A Endrunde,Herren-Doppel Endrunde [2-5]"));
        waehlen({1, 1, 1, 1, 2});
        QCOMPARE(editor->Label1->text(), QStringLiteral("AUSLOSUNG"));
        QVERIFY(!editor->BitBtn2->isVisible());
        QCOMPARE(editor->TypText->text(), QStringLiteral("Nur Ranglisten"));
        QCOMPARE(editor->Label2->text(), QStringLiteral("ID: 2"));

        // "Ändern" ticks exactly the reference's draws, whatever an earlier use left ticked; "Alle" gives "0".
        QStringList gesehen;
        a.erwarte<TFormAuslo_eg>([&gesehen](TFormAuslo_eg* d) {
            gesehen = angehakt(d->CheckListBox1);
            QCOMPARE(d->RadioGroup2->itemIndex(), 1);
            QCOMPARE(d->RadioGroup1->itemIndex(), 1);
            d->RadioGroup2->setItemIndex(0);
            ok(d);
        });
        editor->FormAuslo_eg->CheckListBox1->item(1)->setCheckState(Qt::Checked);
        mitAntworten(a, [this]() { editor->BitBtn3Click(); });
        QCOMPARE(gesehen, (QStringList{QStringLiteral("Herren A Endrunde"), QStringLiteral("Herren-Doppel Endrunde")}));
        QCOMPARE(editor->praesentation.auslo()->aslid, QStringLiteral("0"));
        QCOMPARE(knoten({1, 1, 1, 1, 2})->text(0), QStringLiteral("Auslosung ID:2 Auslosung:ALLE Auslosungen [0]"));
    }

    void competitionAndHallReferences() {
        geruestAnlegen();
        objektAnlegen(8);
        DialogBeantworter& a = *antworten;
        QString erster;
        a.erwarte<TFormAuslo_eg>([&erster](TFormAuslo_eg* d) {
            QCOMPARE(d->Label1->text(), QStringLiteral("Konkurrenz"));
            QVERIFY(d->ComboBox3->isVisible());
            QVERIFY(!d->CheckListBox1->isVisible());
            erster = d->ComboBox3->itemText(0);
            d->ComboBox3->setCurrentIndex(d->ComboBox3->findText(QStringLiteral("Damen A")));
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
        QCOMPARE(erster, QStringLiteral("ALLE Konkurrenzen"));
        QCOMPARE(knoten({1, 1, 1, 1, 1})->text(0), QStringLiteral("Konkurrenz ID:1 Konkurrenz:Damen A [2]"));

        objektAnlegen(4);
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            QCOMPARE(d->Label1->text(), QStringLiteral("Sporthalle"));
            d->ComboBox2->setCurrentIndex(1);
            ok(d);
        });
        waehlen({1, 1, 1, 2});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
        QCOMPARE(
            editor->praesentation.BildschirmList[0].EbeneList[0].BereichList[0].ObjektList[1].AuslosungList[0].aslid,
            QStringLiteral("2"));
        waehlen({1, 1, 1, 2, 1});
        QCOMPARE(editor->Label1->text(), QStringLiteral("HALLE"));
        QVERIFY(!editor->TypKopf->isVisible());

        // A hall that is no longer in the tournament, and a hand-edited id that is no number.
        editor->praesentation.auslo()->aslid = QStringLiteral("77");
        editor->Anzeigedaten();
        QCOMPARE(editor->ReferenzName->text(), QStringLiteral("nicht gefunden"));
        editor->praesentation.auslo()->aslid = QStringLiteral("2 or 1=1");
        editor->BitBtn3Click(); // stops with a conversion error before the dialog opens
        QCOMPARE(meldungen.texte.size(), 1);
        QCOMPARE(editor->praesentation.auslo()->aslid, QStringLiteral("2 or 1=1"));
    }

    void messageObjectsKeepTheirTextInFiles() {
        geruestAnlegen();
        objektAnlegen(6, QStringLiteral("Halle schließt um 22 Uhr"));
        const QString org = tsdirDatei(meldungDateiname(1, 1, 1, 1, true));
        QCOMPARE(inhalt(org), QByteArray("Halle schlie\xDF"
                                         "t um 22 Uhr"));

        // Published by a cycle in between: "Ändern" reads the ".txt" file.
        QFile::rename(org, tsdirDatei(meldungDateiname(1, 1, 1, 1, false)));
        DialogBeantworter& a = *antworten;
        QString geladen;
        a.erwarte<TFormObjekt_eg>([&geladen](TFormObjekt_eg* d) {
            geladen = d->Memo1->toPlainText();
            QVERIFY(d->Memo1->isEnabled());
            d->Memo1->setPlainText(QStringLiteral("Zeile 1\nZeile 2"));
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn3Click(); });
        QCOMPARE(geladen, QStringLiteral("Halle schließt um 22 Uhr"));
        QCOMPARE(inhalt(org), QByteArray("Zeile 1\r\nZeile 2"));

        // Deleting asks first; cancel keeps everything, OK removes both files.
        QStringList fragen;
        a.erwarte<QMessageBox>([&fragen](QMessageBox* box) {
            fragen.append(box->text());
            box->button(QMessageBox::Cancel)->click();
        });
        mitAntworten(a, [this]() { editor->BitBtn4Click(); });
        QVERIFY(knoten({1, 1, 1, 1}));
        a.erwarte<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        mitAntworten(a, [this]() { editor->BitBtn4Click(); });
        QCOMPARE(
            fragen.value(0),
            QStringLiteral("Soll Bildschirm ID: 1 Ebene ID: 1 Bereich ID: 1 Objekt ID: 1 wirklich gelöscht werden ?"));
        QVERIFY(!knoten({1, 1, 1, 1}));
        QVERIFY(!QFile::exists(org));
        QVERIFY(!QFile::exists(tsdirDatei(meldungDateiname(1, 1, 1, 1, false))));
        QVERIFY(editor->praesentation.BildschirmList[0].EbeneList[0].BereichList[0].ObjektList.empty());
    }

    void objectDialogChecksTheKindAndSwitchesTheMessageBox() {
        TFormObjekt_eg* d = editor->FormObjekt_eg;
        d->ComboBox1->setCurrentIndex(6);
        QVERIFY(d->Memo1->isEnabled());
        d->ComboBox1->setCurrentIndex(1);
        QVERIFY(!d->Memo1->isEnabled());

        geruestAnlegen();
        DialogBeantworter& a = *antworten;
        a.erwarte<TFormObjekt_eg>([](TFormObjekt_eg* dialog) {
            dialog->ComboBox1->setEditText(QStringLiteral("  "));
            ok(dialog); // refused, the dialog stays open
        });
        a.erwarte<TFormObjekt_eg>([](TFormObjekt_eg* dialog) { dialog->reject(); });
        waehlen({1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
        QCOMPARE(meldungen.texte, QStringList{QStringLiteral("Es ist eine Eingabe im Feld Objekt erforderlich.")});
        QVERIFY(!knoten({1, 1, 1, 1}));
    }

    void deletingAndReopeningStartFromTheFile() {
        geruestAnlegen();
        DialogBeantworter& a = *antworten;
        a.erwarte<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        waehlen({1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn4Click(); });
        QVERIFY(!knoten({1, 1, 1}));

        // Opening the editor again lists every draw once and rebuilds the tree from the file.
        editor->done(QDialog::Accepted);
        oeffnen();
        QCOMPARE(editor->FormAuslo_eg->CheckListBox1->count(), 4);
        QVERIFY(knoten({1, 1}));
        QVERIFY(!knoten({1, 1, 1}));
        QCOMPARE(editor->praesentation.BildschirmList.size(), std::size_t{1});
    }

    void pictureIsCopiedIntoTheImagesFolder() {
        QTemporaryDir anderswo;
        const QString logo = anderswo.filePath(QStringLiteral("logo.png"));
        QFile datei(logo);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("PNG1");
        datei.close();
        TFormEbene_eg* d = editor->FormEbene_eg;
        d->bildWaehlen = [&logo](QWidget*) { return logo; };
        d->bildUebernehmen(d->Edit1);
        QCOMPARE(d->Edit1->text(), QStringLiteral("logo.png"));
        QCOMPARE(inhalt(tsdirDatei(QStringLiteral("images/logo.png"))), QByteArray("PNG1"));
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("PNG2");
        datei.close();
        d->bildUebernehmen(d->Edit1);
        QCOMPARE(inhalt(tsdirDatei(QStringLiteral("images/logo.png"))), QByteArray("PNG2"));
        d->bildWaehlen = [](QWidget*) { return QString(); }; // cancelled: nothing changes
        d->Edit1->setText(QStringLiteral("getippt.jpg"));
        d->bildUebernehmen(d->Edit1);
        QCOMPARE(d->Edit1->text(), QStringLiteral("getippt.jpg"));
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
        editor->uebertragen = [&gesendet]() { ++gesendet; };
        editor->refresh = [&aufgefrischt]() { ++aufgefrischt; };
        geruestAnlegen();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        for (const TNodeInfo& pfad : {TNodeInfo{}, TNodeInfo{1}, TNodeInfo{1, 1, 1}}) {
            waehlen(pfad);
            editor->TreeView1->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(editor->TreeView1->hasFocus());
            QTest::keyClick(editor->TreeView1, Qt::Key_Return);
            QTest::keyClick(editor->TreeView1, Qt::Key_Enter, Qt::KeypadModifier);
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
        QTest::mouseClick(editor->BitBtn11, Qt::LeftButton);
        QCOMPARE(gesendet, 1);
    }

    // A long caption is shown whole: the column grows with a scroll bar instead of eliding the "[id]" at its
    // end, and the tooltip holds the whole text, also after "Ändern".
    void longCaptionsScrollAndShowTheirWholeText() {
        geruestAnlegen();
        objektAnlegen(0);
        DialogBeantworter& a = *antworten;
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            d->RadioGroup2->setItemIndex(1);
            for (int i = 0; i < d->CheckListBox1->count(); ++i) {
                d->CheckListBox1->item(i)->setCheckState(Qt::Checked);
            }
            ok(d);
        });
        waehlen({1, 1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn2Click(); });
        QTreeWidgetItem* referenz = knoten({1, 1, 1, 1, 1});
        QVERIFY(referenz);
        QVERIFY(referenz->text(0).endsWith(QStringLiteral("]")));
        QCOMPARE(referenz->toolTip(0), referenz->text(0));

        QTreeWidget* baum = editor->TreeView1;
        baum->setFixedWidth(320);
        QTest::qWait(0);
        QTRY_VERIFY(baum->header()->sectionSize(0) >=
                    static_cast<const QAbstractItemView*>(baum)->sizeHintForColumn(0));
        QVERIFY(baum->header()->sectionSize(0) > baum->viewport()->width());
        QVERIFY(baum->horizontalScrollBar()->maximum() > 0);

        // "Ändern" to "Alle": caption and tooltip follow.
        a.erwarte<TFormAuslo_eg>([](TFormAuslo_eg* d) {
            d->RadioGroup2->setItemIndex(0);
            ok(d);
        });
        waehlen({1, 1, 1, 1, 1});
        mitAntworten(a, [this]() { editor->BitBtn3Click(); });
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
        QCOMPARE(editor->TreeView1->topLevelItem(0)->childCount(), 0);
        geruestAnlegen();
        QCOMPARE(QDir(kontext.tsdir).entryList({QStringLiteral("config_quenda.xml.bak-*")}).size(), 1);
    }
};

QUENDA_GUI_TEST_MAIN(TFormPraesentTest)
#include "TFormPraesentTest.moc"
