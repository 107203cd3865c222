// TFormWarnung — the warning window for transfer failures
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

    // Shows the failure's headline and detail and brings the window up.
    void SetWarnung(const QString& wfehler, const QString& wmeldung);

protected:
    bool event(QEvent* event) override;

private:
    void ueberModalemFenster();

    Fehlerzustand& m_fehler;
    QLabel* fehlerText;      // Label2, wfehler
    QLabel* meldungText;     // Label3, wmeldung
    QPushButton* schliessen; // BitBtn1: closes, the failure stays
    QPushButton* quittieren; // BitBtn2: clears the failure and closes
};

} // namespace quenda
