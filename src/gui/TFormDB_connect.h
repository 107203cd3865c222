// TFormDB_connect — the dialog "Datenbank wechseln" that chooses the tournament database file
#pragma once

#include <QDialog>
#include <functional>

class QLabel;

namespace quenda {

// "Datenbank wechseln": chooses the tournament database file (UI thread). Each chosen file is connected at
// once; the dialog closes only when that worked, so a bad pick never replaces the connected database.
// Closed without a connection, start mode (tag 0) ends the program and change mode (tag 1) changes nothing.
class TFormDB_connect : public QDialog {
    Q_OBJECT
public:
    explicit TFormDB_connect(QWidget* parent = nullptr);

    // Shows the dialog modally in the given mode with the current path; true when a file was connected.
    bool zeigen(int modus, const QString& dbpath);
    int modus() const { return m_modus; }

    // The file choice; replaceable so that tests need no file dialog.
    using DateiWahl = std::function<QString(QWidget*, const QString&)>;
    void setDateiWahl(DateiWahl wahl) { m_dateiWaehlen = std::move(wahl); }
    // Connects the chosen file and says why not (provided by the main window); true when connected.
    void setVerbinden(std::function<bool(const QString&)> verbinden) { m_verbinden = std::move(verbinden); }

private:
    void datenbankAuswaehlen();

    DateiWahl m_dateiWaehlen;
    std::function<bool(const QString&)> m_verbinden;
    int m_modus = 0;
    QLabel* m_pfad;
    QString m_letzteWahl; // where the file dialog opens after a pick that did not connect
};

} // namespace quenda
