#include "TFormIntervall.h"
#include "GuiTestMain.h"
#include "TFormIntervall_eg.h"
#include "Turnierkontext.h"
#include "db/TDM.h"
#include "draws/AusloList.h"
#include "draws/IntervallDatei.h"
#include "support/MeldungenMerken.h"
#include "support/MiniTurnier.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace quenda;
using namespace quenda::test;

namespace {

// Runs aktion on the next modal dialog of type T once it is up. Polls from the event loop rather than
// waiting inside a handler: the dialog's own loop must be free to run.
template <typename T>
void naechsterDialog(std::function<void(T*)> aktion) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, aktion]() {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            aktion(dialog);
        }
    });
    timer->start(10);
}

TAuslosung auslosung(int syf_id, const char* konkurrenz, const char* bez, int gruppe, int intervall) {
    TAuslosung a;
    a.syf_id = syf_id;
    a.konkurrenz = QString::fromUtf8(konkurrenz);
    a.auslosung_bez = QString::fromUtf8(bez);
    a.gruppe = gruppe;
    a.intervall = intervall;
    a.typdaten = 1;
    return a;
}

void zeilenWaehlen(QTableWidget* tabelle, std::initializer_list<int> zeilen) {
    tabelle->clearSelection();
    for (int zeile : zeilen) {
        tabelle->selectionModel()->select(tabelle->model()->index(zeile, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

QPushButton* aendernKnopf(TFormIntervall& fenster) {
    return fenster.findChild<QPushButton*>(QStringLiteral("zeitintervallAendern"));
}

QTableWidget* tabelle(TFormIntervall& fenster) {
    return fenster.findChild<QTableWidget*>(QStringLiteral("auslosungen"));
}

QSpinBox* zeitfeld(TFormIntervall_eg* eingabe) {
    return eingabe->findChild<QSpinBox*>(QStringLiteral("zeit"));
}

} // namespace

class TFormIntervallTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    AusloList liste;
    MeldungenMerken meldungen;

private Q_SLOTS:
    void init() {
        liste.clear();
        QFile::remove(QDir(dir.path()).filePath(QStringLiteral("config_auslo.xml")));
        liste.anhaengen(auslosung(17, "Herren A", "Vorrunde", 2, 1));
        liste.anhaengen(auslosung(18, "Herren A", "Vorrunde", 3, 2));
        liste.anhaengen(auslosung(21, "Damen", "", 1, 3));
        liste.anhaengen(auslosung(4, "Jugend", "", 0, 4));
    }

    void rowsShowEveryRecordWithItsInterval() {
        TFormIntervall fenster(liste, dir.path(), meldungen);
        fenster.show();
        QCOMPARE(fenster.windowTitle(), QStringLiteral("Intervall - Datenaktualisierung Ändern"));
        QCOMPARE(tabelle(fenster)->rowCount(), 4);
        QCOMPARE(tabelle(fenster)->item(0, 0)->text(), QStringLiteral("Herren A Vorrunde Gr. 2"));
        QCOMPARE(tabelle(fenster)->item(2, 0)->text(), QStringLiteral("Damen  Gr. 1"));
        QCOMPARE(tabelle(fenster)->item(3, 1)->text(), QStringLiteral("4"));
    }

    // Both column headers are shown whole, at the window's own size.
    void columnHeadersAreReadable() {
        TFormIntervall fenster(liste, dir.path(), meldungen);
        fenster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenster));
        QHeaderView* kopf = tabelle(fenster)->horizontalHeader();
        for (int spalte = 0; spalte < 2; ++spalte) {
            QVERIFY2(kopf->sectionSize(spalte) >= kopf->sectionSizeHint(spalte),
                     qPrintable(tabelle(fenster)->horizontalHeaderItem(spalte)->text()));
        }
        QVERIFY(kopf->sectionPosition(1) + kopf->sectionSize(1) <= tabelle(fenster)->viewport()->width());
    }

    void severalSelectedRowsAllTakeTheEnteredValueAndTheFileHoldsEveryRecord() {
        TFormIntervall fenster(liste, dir.path(), meldungen);
        fenster.show();
        zeilenWaehlen(tabelle(fenster), {0, 1, 3});
        int startwert = 0;
        naechsterDialog<TFormIntervall_eg>([&startwert](TFormIntervall_eg* eingabe) {
            startwert = zeitfeld(eingabe)->value();
            zeitfeld(eingabe)->setValue(7);
            eingabe->accept();
        });
        aendernKnopf(fenster)->click();

        QCOMPARE(startwert, 1); // several rows start with 1
        const int erwartet[] = {7, 7, 3, 7};
        for (int p = 1; p <= 4; ++p) {
            QCOMPARE(liste.at(p).intervall, erwartet[p - 1]);
            QCOMPARE(tabelle(fenster)->item(p - 1, 1)->text(), QString::number(erwartet[p - 1]));
            Programmuhr uhr;
            Ereignisprotokoll protokoll(uhr);
            QCOMPARE(IntervalleLaden(dir.path(), protokoll, uhr).value(liste.at(p).syf_id), erwartet[p - 1]);
        }
    }

    void oneSelectedRowStartsWithItsIntervalAndCancelChangesNothing() {
        TFormIntervall fenster(liste, dir.path(), meldungen);
        fenster.show();
        zeilenWaehlen(tabelle(fenster), {2});
        int startwert = 0;
        int minimum = 0;
        int maximum = 0;
        naechsterDialog<TFormIntervall_eg>([&](TFormIntervall_eg* eingabe) {
            startwert = zeitfeld(eingabe)->value();
            minimum = zeitfeld(eingabe)->minimum();
            maximum = zeitfeld(eingabe)->maximum();
            zeitfeld(eingabe)->setValue(9);
            eingabe->reject();
        });
        aendernKnopf(fenster)->click();

        QCOMPARE(startwert, 3);
        QCOMPARE(minimum, 1);
        QCOMPARE(maximum, 240);
        QCOMPARE(liste.at(3).intervall, 3);
        QVERIFY(!QFile::exists(QDir(dir.path()).filePath(QStringLiteral("config_auslo.xml"))));
    }

    void theMenuHandlerListsTheReleasedGroupsOfTheDatabase() {
        const QString db = QDir(dir.path()).filePath(QStringLiteral("mini.sqlite"));
        miniTurnierAnlegen(db);
        TDM tdm;
        tdm.oeffnen(db);
        Programmuhr uhr;
        Ereignisprotokoll protokoll(uhr);
        protokoll.setOrdner(dir.path());
        Turnierkontext kontext{db, 1, QStringLiteral("Hallenturnier Süd"), dir.path(), {}};
        liste.clear();

        QStringList zeilen;
        naechsterDialog<TFormIntervall>([&zeilen](TFormIntervall* fenster) {
            for (int i = 0; i < tabelle(*fenster)->rowCount(); ++i) {
                zeilen.append(tabelle(*fenster)->item(i, 0)->text() + u'=' + tabelle(*fenster)->item(i, 1)->text());
            }
            fenster->accept();
        });
        TFormIntervall::IntervallDatenaktualisierung(nullptr, tdm, kontext, liste, uhr, protokoll, meldungen);

        QCOMPARE(zeilen,
                 (QStringList{QStringLiteral("Herren A  Gr. 1=1"), QStringLiteral("Herren A Endrunde Gr. 1=1")}));
        QVERIFY(meldungen.texte.isEmpty());
    }
};

QUENDA_GUI_TEST_MAIN(TFormIntervallTest)
#include "TFormIntervallTest.moc"
