// TFormTurwahl — the dialog "Turnier wählen" that picks the tournament of the database
#pragma once

#include "db/Turnierauswahl.h"

#include <QDialog>

class QComboBox;

namespace quenda {

class MeldungsAusgabe;

// "Turnier wählen": picks one tournament of the database (UI thread).
class TFormTurwahl : public QDialog {
    Q_OBJECT
public:
    TFormTurwahl(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);

    // Shows the names in the given order, the tournament vorgabe chosen (none when it names none, so that
    // Enter cannot take the first row unseen); the t_id of the chosen row, 0 on cancel or a typed unknown name.
    int waehlen(const QList<turnierauswahl::Turnier>& turniere, int vorgabe = 0);

private:
    void okPruefen();

    MeldungsAusgabe& m_meldungen;
    QList<turnierauswahl::Turnier> m_turniere;
    QComboBox* turnierliste; // ComboBox1
};

} // namespace quenda
