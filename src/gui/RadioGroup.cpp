#include "RadioGroup.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

namespace quenda {

RadioGroup::RadioGroup(const QString& titel, const QStringList& eintraege, Qt::Orientation richtung, QWidget* parent)
    : QGroupBox(titel, parent), m_gruppe(new QButtonGroup(this)) {
    auto* layout = new QBoxLayout(richtung == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    for (int i = 0; i < eintraege.size(); ++i) {
        auto* knopf = new QRadioButton(eintraege.at(i), this);
        m_gruppe->addButton(knopf, i);
        layout->addWidget(knopf);
    }
    layout->addStretch();
    connect(m_gruppe, &QButtonGroup::idClicked, this, &RadioGroup::gewaehlt);
}

int RadioGroup::itemIndex() const {
    return m_gruppe->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* knopf = m_gruppe->button(index)) {
        knopf->setChecked(true);
        Q_EMIT gewaehlt(index);
    }
}

} // namespace quenda
