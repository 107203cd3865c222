#include "Stil.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QStyleFactory>

namespace quenda::stil {

void anwenden(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor fenster(0xEE, 0xF3, 0xF8);
    const QColor basis(0xFF, 0xFF, 0xFF);
    const QColor text(0x1E, 0x2A, 0x36);
    const QColor hervor(0x3A, 0x7B, 0xC8);
    p.setColor(QPalette::Window, fenster);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, basis);
    p.setColor(QPalette::AlternateBase, QColor(0xF4, 0xF8, 0xFC));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0xE3, 0xEC, 0xF5));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, hervor);
    p.setColor(QPalette::HighlightedText, basis);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8A, 0x94, 0x9E));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8A, 0x94, 0x9E));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8A, 0x94, 0x9E));
    app.setPalette(p);
}

void alsWarnbanner(QLabel* label) {
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Qt::red);
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setContentsMargins(6, 2, 6, 2);
}

} // namespace quenda::stil
