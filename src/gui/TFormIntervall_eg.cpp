#include "TFormIntervall_eg.h"

#include "Zahlfeld.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quenda {

TFormIntervall_eg::TFormIntervall_eg(int start, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Intervall Ändern"));
    zeit = new Zahlfeld(this);
    zeit->setObjectName(QStringLiteral("zeit"));
    zeit->setRange(1, 240);
    zeit->setValue(start);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(new QLabel(QStringLiteral("Zeit in Minute:"), this));
    zeile->addWidget(zeit);
    zeile->addStretch();

    auto* knoepfe = new QDialogButtonBox(this);
    QPushButton* ok = knoepfe->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    knoepfe->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(zeile);
    layout->addWidget(knoepfe);
    zeit->setFocus();
    zeit->selectAll();
}

int TFormIntervall_eg::wert() const {
    return zeit->value();
}

} // namespace quenda
