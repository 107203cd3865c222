#include "TFormProfil_eg.h"

#include "settings/Profilspeicher.h"
#include "util/MeldungsAusgabe.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenda {

TFormProfil_eg::TFormProfil_eg(Modus modus, const QString& name, std::function<bool(const QString&)> vorhanden,
                               MeldungsAusgabe& meldungen, QWidget* parent)
    : QDialog(parent), m_modus(modus), m_vorhanden(std::move(vorhanden)), m_meldungen(meldungen) {
    setWindowTitle(QStringLiteral("Neu/Ändern Profil"));
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(50);
    Edit1->setMinimumWidth(260);
    if (modus == Modus::Aendern) {
        Edit1->setText(name);
    }
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(new QLabel(QStringLiteral("Profil"), this));
    zeile->addWidget(Edit1, 1);

    auto* knoepfe = new QDialogButtonBox(this);
    ButtonOk = knoepfe->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ButtonAbbrechen = knoepfe->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    ButtonOk->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TFormProfil_eg::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(zeile);
    layout->addWidget(knoepfe);
    Edit1->setFocus();
    Edit1->selectAll();
}

QString TFormProfil_eg::name() const {
    return Edit1->text();
}

void TFormProfil_eg::showEvent(QShowEvent* event) {
    oldname = Edit1->text();
    QDialog::showEvent(event);
}

void TFormProfil_eg::accept() {
    const QString neu = name();
    const bool pruefen = m_modus == Modus::Neu || neu != oldname; // a change of case only is refused too
    if (pruefen && m_vorhanden(neu)) {
        m_meldungen.meldung(QStringLiteral("Es existiert schon ein Profil mit dem Namen ") + neu + QStringLiteral("!"));
        return;
    }
    // Checked before any folder is made: the name becomes a folder of the profile store.
    if (const QString fehler = Profilspeicher::namePruefen(neu); !fehler.isEmpty()) {
        m_meldungen.meldung(fehler);
        return;
    }
    QDialog::accept();
}

} // namespace quenda
