#include "AuslosungTree.h"
#include "GuiTestMain.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace quenda;

class AuslosungTreeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anEmptyListShowsOnlyTheExpandedRoot() {
        AuslosungTree baum;
        baum.aufbauen({});
        QCOMPARE(baum.topLevelItemCount(), 1);
        QTreeWidgetItem* wurzel = baum.topLevelItem(0);
        QCOMPARE(wurzel->text(0), QStringLiteral("Auslosungen"));
        QCOMPARE(wurzel->childCount(), 0);
        QVERIFY(wurzel->isExpanded());
        QCOMPARE(wurzel->data(0, AuslosungTree::betriebRolle).toInt(), 3);
        QCOMPARE(wurzel->foreground(0).color(), QColor(0x00, 0x80, 0x00));
    }

    void itemsAreColouredByOperationAndMarkedWhenRefreshed() {
        AuslosungTree baum;
        baum.aufbauen({{{QStringLiteral("alt"), QStringLiteral("x"), 1, 1}}});
        const AuslosungsBaum schnappschuss{{
            {QStringLiteral("Gr. 2 - Herren A Vorrunde"), QStringLiteral("ID: 17 - Insert:a Update:b Aktuell:c"), 1, 0},
            {QStringLiteral("Gr. 1 - Damen "), QStringLiteral("ID: 21 - Insert:a Update: Aktuell:c"), 0, 1},
            {QStringLiteral("Jugend"), QStringLiteral("ID: 3 - Insert:a Update: Aktuell:c"), 0, 0},
        }};
        baum.aufbauen(schnappschuss);

        QCOMPARE(baum.topLevelItemCount(), 1);
        QTreeWidgetItem* wurzel = baum.topLevelItem(0);
        QCOMPARE(wurzel->childCount(), 3);
        const QColor gruen(0x00, 0x80, 0x00);
        const QColor blau(0x00, 0x00, 0xFF);
        const QColor farben[] = {gruen, blau, blau};
        for (int i = 0; i < 3; ++i) {
            QTreeWidgetItem* knoten = wurzel->child(i);
            const AuslosungsKnoten& k = schnappschuss.knoten[i];
            QCOMPARE(knoten->text(0), k.text);
            QCOMPARE(knoten->foreground(0).color(), farben[i]);
            QCOMPARE(knoten->data(0, AuslosungTree::betriebRolle).toInt(), k.betrieb);
            QCOMPARE(knoten->icon(0).cacheKey(), baum.bild(k.updstatus).cacheKey());
            QVERIFY(!knoten->isExpanded());
            QCOMPARE(knoten->childCount(), 1);
            QTreeWidgetItem* blatt = knoten->child(0);
            QCOMPARE(blatt->text(0), k.blatt);
            QVERIFY(!blatt->data(0, AuslosungTree::betriebRolle).isValid()); // leaves keep the default colour
            QCOMPARE(blatt->foreground(0).style(), Qt::NoBrush);
        }
        QVERIFY(baum.bild(0).cacheKey() != baum.bild(1).cacheKey());
    }

    // A line longer than the column is not elided: the column takes the whole text with a scroll bar, and
    // the tooltip shows it, so the ids at the end stay readable.
    void longLinesScrollAndShowTheirWholeText() {
        AuslosungTree baum;
        baum.resize(200, 300);
        const QString lang = QStringLiteral("Gr. 12 - Herren A Vorrunde Einzel Leistungsklasse Nord [syf 4711]");
        const QString blatt = QStringLiteral("ID: 4711 - Insert:09:00:00 Update:09:30:00 Aktuell:09:31:00");
        baum.aufbauen({{{lang, blatt, 1, 1}}});
        baum.expandAll();
        baum.show();
        QVERIFY(QTest::qWaitForWindowExposed(&baum));
        QTreeWidgetItem* knoten = baum.topLevelItem(0)->child(0);
        QCOMPARE(knoten->toolTip(0), lang);
        QCOMPARE(knoten->child(0)->toolTip(0), blatt);
        QTRY_VERIFY(baum.header()->sectionSize(0) >= static_cast<const QAbstractItemView&>(baum).sizeHintForColumn(0));
        QVERIFY(baum.header()->sectionSize(0) > baum.viewport()->width());
        QVERIFY(baum.horizontalScrollBar()->maximum() > 0);
        const QRect zeile = baum.visualItemRect(knoten);
        QVERIFY(zeile.width() >= QFontMetrics(baum.font()).horizontalAdvance(lang));
    }

    void aSnapshotArrivesThroughAQueuedCall() {
        AuslosungTree baum;
        const AuslosungsBaum schnappschuss{{{QStringLiteral("Jugend"), QStringLiteral("ID: 3"), 0, 0}}};
        QVERIFY(QMetaObject::invokeMethod(&baum, "aufbauen", Qt::QueuedConnection,
                                          Q_ARG(quenda::AuslosungsBaum, schnappschuss)));
        QTRY_COMPARE(baum.topLevelItemCount(), 1);
        QCOMPARE(baum.topLevelItem(0)->child(0)->text(0), QStringLiteral("Jugend"));
    }
};

QUENDA_GUI_TEST_MAIN(AuslosungTreeTest)
#include "AuslosungTreeTest.moc"
