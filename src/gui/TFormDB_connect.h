#pragma once

#include <QDialog>
#include <functional>

class QLabel;

namespace quenda {

// "Datenbank wechseln": chooses the tournament database file (UI thread).
// Start mode (tag 0) only stores the choice; change mode (tag 1) also reconnects at once.
class TFormDB_connect : public QDialog {
    Q_OBJECT
public:
    explicit TFormDB_connect(QWidget* parent = nullptr);

    // Shows the dialog modally in the given mode with the current path.
    void zeigen(int modus, const QString& dbpath);
    int modus() const { return m_modus; }

    // The file choice; replaceable so that tests need no file dialog.
    std::function<QString(QWidget*, const QString&)> dateiWaehlen;

Q_SIGNALS:
    // A file was chosen and stored (the stored tournament id is "0" again).
    void pfadGewaehlt(const QString& dbpath);
    // Change mode: connect to the chosen database now (runs before the dialog closes).
    void neuVerbinden();

private:
    void datenbankAuswaehlen();

    int m_modus = 0;
    QLabel* m_pfad;
};

} // namespace quenda
