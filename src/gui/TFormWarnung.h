#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace quenda {

class Fehlerzustand;

// The warning window for transfer failures: frameless, above all windows, non-modal (UI thread). Closing keeps
// the failure, so it comes back at the next tick; acknowledging clears it. Both work while a modal dialog is
// open: Qt blocks every window that does not belong to the topmost modal one, so the warning window makes
// itself a transient of whichever modal window would block it.
class TFormWarnung : public QWidget {
    Q_OBJECT
public:
    explicit TFormWarnung(Fehlerzustand& fehler, QWidget* parent = nullptr);

    void SetWarnung(const QString& wfehler, const QString& wmeldung);

    QLabel* Label2;
    QLabel* Label3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    bool event(QEvent* event) override;

private:
    void ueberModalemFenster();

    Fehlerzustand& m_fehler;
};

} // namespace quenda
