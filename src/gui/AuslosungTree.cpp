#include "AuslosungTree.h"

#include "Stil.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

namespace quenda {

namespace {

// 16 x 16 images: a yellow dot for an item added by the last pass, a green tick for one seen before.
QIcon neuBild() {
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x9A, 0x7B, 0x00), 1));
    p.setBrush(QColor(0xFF, 0xD7, 0x00));
    p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
    return QIcon(bild);
}

QIcon bekanntBild() {
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    return QIcon(bild);
}

} // namespace

AuslosungTree::AuslosungTree(QWidget* parent) : QTreeWidget(parent), m_neu(neuBild()), m_bekannt(bekanntBild()) {
    setHeaderHidden(true);
    setColumnCount(1);
    setFont(QFont(QStringLiteral("Verdana"), 8));
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // As wide as the longest line, with a scroll bar, instead of an elided end: the ids stand at the end.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

QColor AuslosungTree::farbe(int betrieb) {
    return betrieb != 0 ? stil::betriebGruen : stil::freigabeBlau;
}

void AuslosungTree::aufbauen(const AuslosungsBaum& baum) {
    clear();
    // Every line carries its whole text as tooltip too.
    const auto zeile = [](QTreeWidgetItem* eltern, const QString& text) {
        auto* knoten = new QTreeWidgetItem(eltern, {text});
        knoten->setToolTip(0, text);
        return knoten;
    };
    auto* wurzel = new QTreeWidgetItem(this, {QStringLiteral("Auslosungen")});
    wurzel->setData(0, betriebRolle, 3);
    wurzel->setForeground(0, farbe(3));
    for (const AuslosungsKnoten& k : baum.knoten) {
        QTreeWidgetItem* knoten = zeile(wurzel, k.text);
        knoten->setData(0, betriebRolle, k.betrieb);
        knoten->setForeground(0, farbe(k.betrieb));
        knoten->setIcon(0, bild(k.updstatus));
        zeile(knoten, k.blatt);
    }
    wurzel->setExpanded(true);
}

} // namespace quenda
