// RadioGroup — a titled group of radio buttons addressed by position
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace quenda {

// A titled group of radio buttons read and set by position (UI thread).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& titel, const QStringList& eintraege, Qt::Orientation richtung, QWidget* parent = nullptr);
    int itemIndex() const;
    void setItemIndex(int index);

Q_SIGNALS:
    void gewaehlt(int index);

private:
    QButtonGroup* m_gruppe;
};

} // namespace quenda
