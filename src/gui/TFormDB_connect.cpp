#include "TFormDB_connect.h"

#include "Dateiwahl.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace quenda {

namespace {

QString dateiDialog(QWidget* eltern, const QString& dbpath) {
    const QFileInfo info(dbpath);
    const QString ordner = info.isFile() ? info.absolutePath() : QString();
    return dateiwahl::oeffnen(eltern, QStringLiteral("Turnier-Datenbank auswählen"),
                              ordner.isEmpty() ? QStringLiteral("*.mdb") : ordner + QStringLiteral("/*.mdb"),
                              {QStringLiteral("ZK40-Datenbank (*.mdb)"),
                               QStringLiteral("SQLite-Turnierdatenbank (*.sqlite *.sqlite3 *.db *.db3)"),
                               QStringLiteral("Alle Dateien (*)")});
}

} // namespace

TFormDB_connect::TFormDB_connect(QWidget* parent) : QDialog(parent), m_dateiWaehlen(dateiDialog) {
    setWindowTitle(QStringLiteral("Datenbank wechseln"));
    auto* layout = new QGridLayout(this);
    auto* titel = new QLabel(QStringLiteral("Datenbank:"), this);
    QFont fett = titel->font();
    fett.setBold(true);
    titel->setFont(fett);
    m_pfad = new QLabel(QStringLiteral("Pfad"), this);
    m_pfad->setObjectName(QStringLiteral("pfad"));
    m_pfad->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pfad->setMinimumWidth(420);
    auto* auswaehlen = new QPushButton(QStringLiteral("&Datenbank auswählen"), this);
    auto* schliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    layout->addWidget(titel, 0, 0);
    layout->addWidget(m_pfad, 0, 1, 1, 2);
    layout->addWidget(auswaehlen, 1, 1, Qt::AlignRight);
    layout->addWidget(schliessen, 1, 2);
    connect(auswaehlen, &QPushButton::clicked, this, &TFormDB_connect::datenbankAuswaehlen);
    connect(schliessen, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFormDB_connect::zeigen(int modus, const QString& dbpath) {
    m_modus = modus;
    m_pfad->setText(dbpath);
    m_letzteWahl.clear();
    return exec() == QDialog::Accepted;
}

void TFormDB_connect::datenbankAuswaehlen() {
    const QString pfad = m_dateiWaehlen(this, m_letzteWahl.isEmpty() ? m_pfad->text() : m_letzteWahl);
    if (pfad.isEmpty()) {
        return;
    }
    m_letzteWahl = pfad;
    // A pick that does not connect keeps the dialog open (the reason has been shown), so another file can be
    // chosen or the dialog closed without a change.
    if (m_verbinden && !m_verbinden(pfad)) {
        return;
    }
    m_pfad->setText(pfad);
    accept();
}

} // namespace quenda
