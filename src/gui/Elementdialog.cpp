#include "Elementdialog.h"

#include "Dateiwahl.h"
#include "Zahlfeld.h"
#include "util/MeldungsAusgabe.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace quenda {

namespace {

QString bildDialog(QWidget* eltern) {
    return dateiwahl::oeffnen(eltern, QStringLiteral("Bild Background laden"), QString(),
                              {QStringLiteral("Bild Background (*.jpg)"), QStringLiteral("Bild Background (*.bmp)"),
                               QStringLiteral("Bild Background (*.png)")},
                              QStringLiteral("jpg"));
}

} // namespace

Elementdialog::Elementdialog(const QString& titel, MeldungsAusgabe& meldungen, QWidget* parent)
    : QDialog(parent), m_meldungen(meldungen), m_bildWaehlen(bildDialog) {
    setWindowTitle(titel);
    auto* layout = new QVBoxLayout(this);
    m_inhalt = new QVBoxLayout;
    layout->addLayout(m_inhalt);
    auto* knoepfe = new QDialogButtonBox(this);
    QPushButton* ok = knoepfe->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    knoepfe->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, [this]() {
        if (pruefen()) {
            accept();
        }
    });
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(knoepfe);
}

void Elementdialog::grenzen(QSpinBox* feld, int unten, int oben) {
    if (unten == 0 && oben == 0) {
        feld->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    } else {
        feld->setRange(unten, oben);
    }
}

QSpinBox* Elementdialog::zahlfeld(QWidget* parent, int schritt, int unten, int oben) {
    auto* feld = new Zahlfeld(parent);
    feld->setSingleStep(schritt);
    feld->setMinimumWidth(90);
    grenzen(feld, unten, oben);
    return feld;
}

QLineEdit* Elementdialog::bildzeile(QGridLayout* raster, int zeile, const QString& beschriftung, const QString& name) {
    auto* feld = new QLineEdit(this);
    feld->setObjectName(name);
    auto* knopf = new QPushButton(QStringLiteral("Bild"), this);
    knopf->setObjectName(QStringLiteral("bild"));
    knopf->setAutoDefault(false);
    raster->addWidget(new QLabel(beschriftung, this), zeile, 0);
    raster->addWidget(feld, zeile, 1);
    raster->addWidget(knopf, zeile, 2);
    connect(knopf, &QPushButton::clicked, this, [this, feld]() { bildUebernehmen(feld); });
    return feld;
}

void Elementdialog::bildUebernehmen(QLineEdit* feld) {
    const QString quelle = m_bildWaehlen(this);
    if (quelle.isEmpty()) {
        return;
    }
    const QString ordner = QDir(m_tsdir).filePath(QStringLiteral("images"));
    if (!QDir().mkpath(ordner)) {
        m_meldungen.meldung(QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(ordner));
        return;
    }
    const QString name = QFileInfo(quelle).fileName();
    try {
        datei_kopieren(quelle, QDir(ordner).filePath(name));
    } catch (const QuendaError& fehler) {
        m_meldungen.meldung(fehler.message());
        return;
    }
    feld->setText(name);
}

void Elementdialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* bildschirm = screen()) {
        move(bildschirm->availableGeometry().center() - rect().center());
    }
}

Lagefelder::Lagefelder(const QString& beschriftung, QWidget* parent) : QWidget(parent) {
    posX = Elementdialog::zahlfeld(this, 1, 0, 0);
    posY = Elementdialog::zahlfeld(this, 1, 0, 0);
    breite = Elementdialog::zahlfeld(this, 1, 0, 0);
    hoehe = Elementdialog::zahlfeld(this, 1, 0, 0);
    posX->setObjectName(QStringLiteral("posX"));
    posY->setObjectName(QStringLiteral("posY"));
    breite->setObjectName(QStringLiteral("breite"));
    hoehe->setObjectName(QStringLiteral("hoehe"));
    auto* rechteck = new QLabel(beschriftung, this);
    rechteck->setFrameShape(QFrame::Box);
    rechteck->setLineWidth(2);
    rechteck->setAlignment(Qt::AlignCenter);
    rechteck->setMinimumSize(180, 90);
    auto* raster = new QGridLayout(this);
    auto feld = [this](const QString& text, QSpinBox* spin) {
        auto* box = new QWidget(this);
        auto* l = new QVBoxLayout(box);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(new QLabel(text, box));
        l->addWidget(spin);
        return box;
    };
    raster->addWidget(feld(QStringLiteral("Pos. Y"), posY), 0, 1, Qt::AlignHCenter);
    raster->addWidget(feld(QStringLiteral("Pos. X"), posX), 1, 0, Qt::AlignVCenter);
    raster->addWidget(rechteck, 1, 1);
    raster->addWidget(feld(QStringLiteral("Höhe"), hoehe), 1, 2, Qt::AlignVCenter);
    raster->addWidget(feld(QStringLiteral("Breite"), breite), 2, 1, Qt::AlignHCenter);
}

void Lagefelder::obereGrenzen(int breiteMax, int hoeheMax) {
    Elementdialog::grenzen(posX, 0, breiteMax);
    Elementdialog::grenzen(breite, 0, breiteMax);
    Elementdialog::grenzen(posY, 0, hoeheMax);
    Elementdialog::grenzen(hoehe, 0, hoeheMax);
}

void Lagefelder::zeigen(const Lage& lage) {
    posX->setValue(lage.x);
    posY->setValue(lage.y);
    breite->setValue(lage.wd);
    hoehe->setValue(lage.hg);
}

void Lagefelder::zeigen(const Lage& lage, int elternBreite, int elternHoehe) {
    Elementdialog::grenzen(posX, std::min(0, lage.x), std::max(elternBreite, lage.x));
    Elementdialog::grenzen(breite, std::min(0, lage.wd), std::max(elternBreite, lage.wd));
    Elementdialog::grenzen(posY, std::min(0, lage.y), std::max(elternHoehe, lage.y));
    Elementdialog::grenzen(hoehe, std::min(0, lage.hg), std::max(elternHoehe, lage.hg));
    zeigen(lage);
}

Lage Lagefelder::werte() const {
    return {posX->value(), posY->value(), breite->value(), hoehe->value()};
}

} // namespace quenda
