#include "TFormAuslo_eg.h"

#include "RadioGroup.h"
#include "presentation/Praesentationsmodell.h"
#include "util/Routinen.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QVBoxLayout>

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
    Label1 = new QLabel(QStringLiteral("Auslosung"), this);
    ComboBox2 = new QComboBox(this);
    ComboBox3 = new QComboBox(this);
    RadioGroup2 = new RadioGroup(QString(), {QStringLiteral("Alle"), QStringLiteral("Einzelne")}, Qt::Horizontal, this);
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setMinimumSize(420, 240);
    RadioGroup1 = new RadioGroup(QStringLiteral("Auswahl für Alle Auslosungen"),
                                 {QStringLiteral("Ranglisten und KO-Felder"), QStringLiteral("Nur Ranglisten "),
                                  QStringLiteral("Nur KO-Felder")},
                                 Qt::Vertical, this);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label1, ComboBox2, ComboBox3, RadioGroup2, CheckListBox1, RadioGroup1}) {
        inhalt()->addWidget(w);
    }
    connect(RadioGroup2, &RadioGroup::gewaehlt, this, [this](int index) { CheckListBox1->setEnabled(index == 1); });
}

void TFormAuslo_eg::listenFuellen(const Referenzlisten& listen) {
    CheckListBox1->clear();
    for (const Listeneintrag& e : listen.auslosungen) {
        auto* eintrag = new QListWidgetItem(e.text, CheckListBox1);
        eintrag->setData(Qt::UserRole, e.id);
        eintrag->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        eintrag->setCheckState(Qt::Unchecked);
    }
    fuellen(ComboBox2, listen.hallen);
    fuellen(ComboBox3, listen.konkurrenzen);
}

int TFormAuslo_eg::aslindex(qint64 id) const {
    return letzteStelle(CheckListBox1->count(), id,
                        [this](int i) { return CheckListBox1->item(i)->data(Qt::UserRole).toString(); });
}

int TFormAuslo_eg::aslindex_halle(qint64 id) const {
    return letzteStelle(ComboBox2->count(), id, [this](int i) { return ComboBox2->itemData(i).toString(); });
}

int TFormAuslo_eg::aslindex_konkurrenz(qint64 id) const {
    return letzteStelle(ComboBox3->count(), id, [this](int i) { return ComboBox3->itemData(i).toString(); });
}

void TFormAuslo_eg::hakenEntfernen() {
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
    }
}

void TFormAuslo_eg::haken(int position) {
    if (QListWidgetItem* eintrag = CheckListBox1->item(position)) {
        eintrag->setCheckState(Qt::Checked);
    }
}

void TFormAuslo_eg::auslosungAnhaken(qint64 id) {
    haken(aslindex(id)); // nothing for -1
}

void TFormAuslo_eg::halleWaehlen(qint64 id) {
    ComboBox2->setCurrentIndex(aslindex_halle(id));
}

void TFormAuslo_eg::konkurrenzWaehlen(qint64 id) {
    ComboBox3->setCurrentIndex(aslindex_konkurrenz(id));
}

QString TFormAuslo_eg::gewaehlteAuslosungen() const {
    QStringList ids;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        if (CheckListBox1->item(i)->checkState() == Qt::Checked) {
            ids.append(CheckListBox1->item(i)->data(Qt::UserRole).toString());
        }
    }
    return ids.join(u'-');
}

void TFormAuslo_eg::showEvent(QShowEvent* event) {
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox2, ComboBox3, RadioGroup2, CheckListBox1, RadioGroup1}) {
        w->hide();
        w->setEnabled(false);
    }
    switch (referenzart(art)) {
    case Referenzart::Halle:
        Label1->setText(QStringLiteral("Sporthalle"));
        ComboBox2->show();
        ComboBox2->setEnabled(true);
        break;
    case Referenzart::Konkurrenz:
        Label1->setText(QStringLiteral("Konkurrenz"));
        ComboBox3->show();
        ComboBox3->setEnabled(true);
        break;
    case Referenzart::Auslosung:
        Label1->setText(QStringLiteral("Auslosung"));
        for (QWidget* w : std::initializer_list<QWidget*>{RadioGroup2, CheckListBox1, RadioGroup1}) {
            w->show();
            w->setEnabled(true);
        }
        CheckListBox1->setEnabled(RadioGroup2->itemIndex() == 1);
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
    switch (referenzart(art)) {
    case Referenzart::Halle:
        return eingabe_prf(ComboBox2->currentText(), Label1->text(), m_meldungen);
    case Referenzart::Konkurrenz:
        return eingabe_prf(ComboBox3->currentText(), Label1->text(), m_meldungen);
    case Referenzart::Auslosung:
        break;
    }
    return true;
}

} // namespace quenda
