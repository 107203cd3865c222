// TFormIntervall_eg — the dialog that asks for one update interval ("_eg" = Eingabe)
#pragma once

#include <QDialog>

class QSpinBox;

namespace quenda {

// "Intervall Ändern": asks for one update interval in minutes, 1 to 240 (UI thread, modal).
class TFormIntervall_eg : public QDialog {
    Q_OBJECT
public:
    explicit TFormIntervall_eg(int start, QWidget* parent = nullptr);

    int wert() const;

private:
    QSpinBox* zeit;
};

} // namespace quenda
