#include "TFormAuslo_eg.h"

#include "RadioGroup.h"
#include "presentation/Praesentationsmodell.h"
#include "util/Routinen.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace quenda {

namespace {

void fuellen(QComboBox* liste, const QList<Listeneintrag>& eintraege) {
    liste->clear();
    for (const Listeneintrag& e : eintraege) {
        liste->addItem(e.text, e.id);
    }
}

int letzteStelle(int anzahl, qint64 id, const std::function<QString(int)>& idAn) {
    if (id <= 0) {
        return -1;
    }
    int stelle = -1;
    for (int i = 0; i < anzahl; ++i) {
        if (idAn(i) == QString::number(id)) {
            stelle = i;
        }
    }
    return stelle;
}

} // namespace

TFormAuslo_eg::TFormAuslo_eg(MeldungsAusgabe& meldungen, QWidget* parent)
    : Elementdialog(QStringLiteral("Auslosungen Neu/Ändern"), meldungen, parent) {
    ueberschrift = new QLabel(QStringLiteral("Auslosung"), this);
    hallen = new QComboBox(this);
    konkurrenzen = new QComboBox(this);
    umfang = new RadioGroup(QString(), {QStringLiteral("Alle"), QStringLiteral("Einzelne")}, Qt::Horizontal, this);
    auslosungsliste = new QListWidget(this);
    auslosungsliste->setMinimumSize(420, 240);
    typwahl = new RadioGroup(QStringLiteral("Auswahl für Alle Auslosungen"),
                             {QStringLiteral("Ranglisten und KO-Felder"), QStringLiteral("Nur Ranglisten "),
                              QStringLiteral("Nur KO-Felder")},
                             Qt::Vertical, this);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ueberschrift, hallen, konkurrenzen, umfang, auslosungsliste, typwahl}) {
        inhalt()->addWidget(w);
    }
    ueberschrift->setObjectName(QStringLiteral("ueberschrift"));
    hallen->setObjectName(QStringLiteral("hallen"));
    konkurrenzen->setObjectName(QStringLiteral("konkurrenzen"));
    umfang->setObjectName(QStringLiteral("umfang"));
    auslosungsliste->setObjectName(QStringLiteral("auslosungen"));
    typwahl->setObjectName(QStringLiteral("typ"));
    connect(umfang, &RadioGroup::gewaehlt, this, [this](int index) { auslosungsliste->setEnabled(index == 1); });
}

void TFormAuslo_eg::listenFuellen(const Referenzlisten& listen) {
    auslosungsliste->clear();
    for (const Listeneintrag& e : listen.auslosungen) {
        auto* eintrag = new QListWidgetItem(e.text, auslosungsliste);
        eintrag->setData(Qt::UserRole, e.id);
        eintrag->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        eintrag->setCheckState(Qt::Unchecked);
    }
    fuellen(hallen, listen.hallen);
    fuellen(konkurrenzen, listen.konkurrenzen);
}

int TFormAuslo_eg::aslindex(qint64 id) const {
    return letzteStelle(auslosungsliste->count(), id,
                        [this](int i) { return auslosungsliste->item(i)->data(Qt::UserRole).toString(); });
}

int TFormAuslo_eg::aslindex_halle(qint64 id) const {
    return letzteStelle(hallen->count(), id, [this](int i) { return hallen->itemData(i).toString(); });
}

int TFormAuslo_eg::aslindex_konkurrenz(qint64 id) const {
    return letzteStelle(konkurrenzen->count(), id, [this](int i) { return konkurrenzen->itemData(i).toString(); });
}

void TFormAuslo_eg::hakenEntfernen() {
    for (int i = 0; i < auslosungsliste->count(); ++i) {
        auslosungsliste->item(i)->setCheckState(Qt::Unchecked);
    }
}

void TFormAuslo_eg::haken(int position) {
    if (QListWidgetItem* eintrag = auslosungsliste->item(position)) {
        eintrag->setCheckState(Qt::Checked);
    }
}

void TFormAuslo_eg::auslosungAnhaken(qint64 id) {
    haken(aslindex(id)); // nothing for -1
}

void TFormAuslo_eg::halleWaehlen(qint64 id) {
    hallen->setCurrentIndex(aslindex_halle(id));
}

void TFormAuslo_eg::konkurrenzWaehlen(qint64 id) {
    konkurrenzen->setCurrentIndex(aslindex_konkurrenz(id));
}

QString TFormAuslo_eg::gewaehlteAuslosungen() const {
    QStringList ids;
    for (int i = 0; i < auslosungsliste->count(); ++i) {
        if (auslosungsliste->item(i)->checkState() == Qt::Checked) {
            ids.append(auslosungsliste->item(i)->data(Qt::UserRole).toString());
        }
    }
    return ids.join(u'-');
}

void TFormAuslo_eg::neu(int art) {
    m_art = art;
    hakenEntfernen();
    typwahl->setItemIndex(0);
    umfang->setItemIndex(0);
}

void TFormAuslo_eg::aendern(int art) {
    m_art = art;
    hakenEntfernen();
}

void TFormAuslo_eg::alleAuslosungen(bool alle) {
    umfang->setItemIndex(alle ? 0 : 1);
}

void TFormAuslo_eg::setTyp(int typ) {
    typwahl->setItemIndex(typ);
}

QString TFormAuslo_eg::gewaehlteId() const {
    switch (referenzart(m_art)) {
    case Referenzart::Halle:
        return hallen->currentData().toString();
    case Referenzart::Konkurrenz:
        return konkurrenzen->currentData().toString();
    case Referenzart::Auslosung:
        break;
    }
    return umfang->itemIndex() == 1 ? gewaehlteAuslosungen() : QStringLiteral("0");
}

QString TFormAuslo_eg::gewaehlterName() const {
    switch (referenzart(m_art)) {
    case Referenzart::Halle:
        return hallen->currentText();
    case Referenzart::Konkurrenz:
        return konkurrenzen->currentText();
    case Referenzart::Auslosung:
        break;
    }
    return {};
}

int TFormAuslo_eg::typ() const {
    return std::max(0, typwahl->itemIndex());
}

void TFormAuslo_eg::showEvent(QShowEvent* event) {
    for (QWidget* w : std::initializer_list<QWidget*>{hallen, konkurrenzen, umfang, auslosungsliste, typwahl}) {
        w->hide();
        w->setEnabled(false);
    }
    switch (referenzart(m_art)) {
    case Referenzart::Halle:
        ueberschrift->setText(QStringLiteral("Sporthalle"));
        hallen->show();
        hallen->setEnabled(true);
        break;
    case Referenzart::Konkurrenz:
        ueberschrift->setText(QStringLiteral("Konkurrenz"));
        konkurrenzen->show();
        konkurrenzen->setEnabled(true);
        break;
    case Referenzart::Auslosung:
        ueberschrift->setText(QStringLiteral("Auslosung"));
        for (QWidget* w : std::initializer_list<QWidget*>{umfang, auslosungsliste, typwahl}) {
            w->show();
            w->setEnabled(true);
        }
        auslosungsliste->setEnabled(umfang->itemIndex() == 1);
        break;
    }
    // The layout takes the new set of fields before the size is fitted: until it is activated it keeps the
    // minimum size of the draw list from an earlier use, and a hall or competition choice would stay as tall.
    layout()->invalidate();
    layout()->activate();
    adjustSize();
    Elementdialog::showEvent(event);
}

bool TFormAuslo_eg::pruefen() {
    // A hall or competition reference without a choice would carry an empty id the display pages cannot use.
    switch (referenzart(m_art)) {
    case Referenzart::Halle:
        return eingabe_prf(hallen->currentText(), ueberschrift->text(), m_meldungen);
    case Referenzart::Konkurrenz:
        return eingabe_prf(konkurrenzen->currentText(), ueberschrift->text(), m_meldungen);
    case Referenzart::Auslosung:
        break;
    }
    return true;
}

} // namespace quenda
