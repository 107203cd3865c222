#include "TFormsplash.h"

#include "Programmsymbol.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace quenda {

TFormsplash::TFormsplash(const QString& prgversion, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_prgversion(prgversion) {
    setWindowTitle(QStringLiteral("Quenda"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    auto* symbol = new QLabel(this);
    symbol->setPixmap(programmsymbol(96));
    symbol->setAlignment(Qt::AlignCenter);
    auto* laden = new QLabel(QStringLiteral("Programm wird geladen:"), this);
    auto* name = new QLabel(QStringLiteral("Quenda"), this);
    QFont gross = name->font();
    gross.setPointSize(gross.pointSize() + 10);
    gross.setBold(true);
    name->setFont(gross);
    name->setAlignment(Qt::AlignCenter);
    auto* praesentation = new QLabel(QStringLiteral("Präsentation"), this);
    praesentation->setAlignment(Qt::AlignCenter);
    m_fortschritt = new QProgressBar(this);
    m_fortschritt->setRange(0, 100);
    m_version = new QLabel(this);
    m_version->setAlignment(Qt::AlignRight);
    layout->addWidget(symbol);
    layout->addWidget(laden);
    layout->addWidget(name);
    layout->addWidget(praesentation);
    layout->addWidget(m_fortschritt);
    layout->addWidget(m_version);
    setFixedSize(360, 300);
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
        move(bildschirm->availableGeometry().center() - rect().center());
    }
    show();
}

void TFormsplash::Shownextstep(int position) {
    m_version->setText(QStringLiteral("Version ") + m_prgversion);
    m_fortschritt->setValue(position);
    repaint();
}

} // namespace quenda
