#include "Programmsymbol.h"

#include <QPainter>
#include <QPainterPath>

namespace quenda {

QPixmap programmsymbol(int groesse) {
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(groesse / 100.0, groesse / 100.0);
    // handle
    p.save();
    p.translate(62, 62);
    p.rotate(-45);
    p.setBrush(QColor(0xB0, 0x7A, 0x3C));
    p.setPen(QPen(QColor(0x6B, 0x45, 0x1E), 2));
    p.drawRoundedRect(QRectF(-7, 0, 14, 34), 4, 4);
    p.restore();
    // blade
    p.setBrush(QColor(0xC8, 0x1E, 0x1E));
    p.setPen(QPen(QColor(0x40, 0x10, 0x10), 3));
    p.drawEllipse(QPointF(42, 42), 32, 32);
    // ball
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 2));
    p.drawEllipse(QPointF(80, 20), 11, 11);
    return bild;
}

} // namespace quenda
