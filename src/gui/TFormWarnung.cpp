#include "TFormWarnung.h"

#include "Stil.h"
#include "transfer/Fehlerzustand.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace quenda {

TFormWarnung::TFormWarnung(Fehlerzustand& fehler, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_fehler(fehler) {
    setWindowTitle(QStringLiteral("Warnung"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x1E, 0x4F, 0xA8));
    setPalette(p);

    auto* layout = new QVBoxLayout(this);
    auto* banner = new QLabel(QStringLiteral("Warnung - Fehler bei Übermittlung der Daten"), this);
    banner->setAlignment(Qt::AlignCenter);
    stil::alsWarnbanner(banner);
    layout->addWidget(banner);

    auto* zeile = new QHBoxLayout;
    auto* bild = new QLabel(this);
    bild->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    zeile->addWidget(bild, 0, Qt::AlignTop);

    auto* feld = new QWidget(this);
    feld->setAutoFillBackground(true);
    QPalette gelb = feld->palette();
    gelb.setColor(QPalette::Window, QColor(0xFF, 0xF3, 0x80));
    gelb.setColor(QPalette::WindowText, Qt::black);
    feld->setPalette(gelb);
    auto* texte = new QVBoxLayout(feld);
    fehlerText = new QLabel(feld);
    meldungText = new QLabel(feld);
    fehlerText->setObjectName(QStringLiteral("fehlerText"));
    meldungText->setObjectName(QStringLiteral("meldungText"));
    QFont fett = fehlerText->font();
    fett.setBold(true);
    fehlerText->setFont(fett);
    QFont kursiv = meldungText->font();
    kursiv.setItalic(true);
    meldungText->setFont(kursiv);
    meldungText->setWordWrap(true);
    meldungText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    texte->addWidget(fehlerText);
    texte->addWidget(meldungText);
    texte->addStretch();
    zeile->addWidget(feld, 1);

    auto* knoepfe = new QVBoxLayout;
    schliessen =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Schließen"), this);
    schliessen->setObjectName(QStringLiteral("schliessen"));
    schliessen->setToolTip(QStringLiteral("Schließen: die Warnung kommt beim nächsten Zyklus wieder"));
    quittieren =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("Quittieren"), this);
    quittieren->setObjectName(QStringLiteral("quittieren"));
    quittieren->setToolTip(QStringLiteral("Fehler quittieren"));
    knoepfe->addWidget(schliessen);
    knoepfe->addWidget(quittieren);
    knoepfe->addStretch();
    zeile->addLayout(knoepfe);
    layout->addLayout(zeile);

    connect(schliessen, &QPushButton::clicked, this, &QWidget::hide);
    connect(quittieren, &QPushButton::clicked, this, [this]() {
        m_fehler.leeren();
        hide();
    });
    resize(520, 170);
}

void TFormWarnung::SetWarnung(const QString& wfehler, const QString& wmeldung) {
    fehlerText->setText(wfehler);
    meldungText->setText(wmeldung);
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
        move(bildschirm->availableGeometry().center() - rect().center());
    }
    // Back to the main window first: a modal dialog it was a transient of may be gone. Showing it while a
    // modal dialog is open blocks it, which moves it over that dialog again (event).
    if (windowHandle() && parentWidget()) {
        windowHandle()->setTransientParent(parentWidget()->window()->windowHandle());
    }
    show();
    raise();
}

bool TFormWarnung::event(QEvent* event) {
    // Sent when a modal window is shown over the warning or the warning is shown under one.
    if (event->type() == QEvent::WindowBlocked) {
        ueberModalemFenster();
    }
    return QWidget::event(event);
}

void TFormWarnung::ueberModalemFenster() {
    QWindow* fenster = windowHandle();
    QWindow* modal = QGuiApplication::modalWindow();
    // A dialog that is itself a transient of the warning would make a cycle.
    if (!fenster || !modal || modal == fenster || fenster->isAncestorOf(modal, QWindow::IncludeTransients)) {
        return;
    }
    fenster->setTransientParent(modal); // Qt re-evaluates the blocking here: the warning is usable again
}

} // namespace quenda
