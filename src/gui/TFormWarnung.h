#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace quenda {

class Fehlerzustand;

// The warning window for transfer failures: frameless, above all windows (UI thread). Closing keeps the
// failure, so it comes back at the next tick; acknowledging clears it.
class TFormWarnung : public QWidget {
    Q_OBJECT
public:
    explicit TFormWarnung(Fehlerzustand& fehler, QWidget* parent = nullptr);

    void SetWarnung(const QString& wfehler, const QString& wmeldung);

    QLabel* Label2;
    QLabel* Label3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

private:
    Fehlerzustand& m_fehler;
};

} // namespace quenda
