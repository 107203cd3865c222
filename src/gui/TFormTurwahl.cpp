#include "TFormTurwahl.h"

#include "util/Routinen.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenda {

TFormTurwahl::TFormTurwahl(MeldungsAusgabe& meldungen, QWidget* parent) : QDialog(parent), m_meldungen(meldungen) {
    setWindowTitle(QStringLiteral("Turnier wählen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Turnier"), this));
    turnierliste = new QComboBox(this);
    turnierliste->setObjectName(QStringLiteral("turniere"));
    turnierliste->setEditable(true);
    turnierliste->setInsertPolicy(QComboBox::NoInsert);
    turnierliste->setMinimumWidth(360);
    layout->addWidget(turnierliste);
    auto* knoepfe = new QDialogButtonBox(this);
    QPushButton* ok = knoepfe->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    knoepfe->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TFormTurwahl::okPruefen);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(knoepfe);
}

void TFormTurwahl::okPruefen() {
    if (eingabe_prf(turnierliste->currentText(), QStringLiteral("Turnier"), m_meldungen)) {
        accept();
    }
}

int TFormTurwahl::waehlen(const QList<turnierauswahl::Turnier>& turniere, int vorgabe) {
    m_turniere = turniere;
    turnierliste->clear();
    int gewaehlt = -1;
    for (const turnierauswahl::Turnier& t : turniere) {
        if (vorgabe > 0 && t.t_id == vorgabe) {
            gewaehlt = turnierliste->count();
        }
        turnierliste->addItem(t.tur_bez);
    }
    turnierliste->setCurrentIndex(gewaehlt);
    if (gewaehlt < 0) {
        turnierliste->clearEditText();
    }
    turnierliste->setFocus();
    if (exec() != QDialog::Accepted) {
        return 0;
    }
    // A row picked from the list, or a typed text that names a row exactly.
    int zeile = turnierliste->currentIndex();
    if (zeile < 0 || turnierliste->itemText(zeile) != turnierliste->currentText()) {
        zeile = turnierliste->findText(turnierliste->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    }
    return zeile >= 0 && zeile < m_turniere.size() ? m_turniere[zeile].t_id : 0;
}

} // namespace quenda
