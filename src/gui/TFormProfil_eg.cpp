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
    profilname = new QLineEdit(this);
    profilname->setObjectName(QStringLiteral("profilname"));
    profilname->setMaxLength(50);
    profilname->setMinimumWidth(260);
    if (modus == Modus::Aendern) {
        profilname->setText(name);
    }
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(new QLabel(QStringLiteral("Profil"), this));
    zeile->addWidget(profilname, 1);

    auto* knoepfe = new QDialogButtonBox(this);
    auto* okKnopf = knoepfe->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    knoepfe->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("abbrechen"));
    okKnopf->setObjectName(QStringLiteral("ok"));
    okKnopf->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TFormProfil_eg::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(zeile);
    layout->addWidget(knoepfe);
    profilname->setFocus();
    profilname->selectAll();
}

QString TFormProfil_eg::name() const {
    return profilname->text();
}

void TFormProfil_eg::showEvent(QShowEvent* event) {
    oldname = profilname->text();
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
    if (const Ergebnis<void> gueltig = Profilspeicher::namePruefen(neu); !gueltig.ok()) {
        m_meldungen.meldung(gueltig.fehler());
        return;
    }
    QDialog::accept();
}

} // namespace quenda
