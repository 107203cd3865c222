// TFormIntervall — the window that changes the update interval of the tracked items
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QTableWidget;

namespace quenda {

class AusloList;
class MeldungsAusgabe;
class TDM;
class Ereignisprotokoll;
class Programmuhr;
struct Turnierkontext;

// "Intervall - Datenaktualisierung Ändern": the update interval of every tracked item, changed for one or
// several rows at once and saved to config_auslo.xml (UI thread, modal; only while no transfer runs, so
// the list is not changed underneath).
class TFormIntervall : public QDialog {
    Q_OBJECT
public:
    TFormIntervall(AusloList& liste, QString tsdir, MeldungsAusgabe& meldungen, QWidget* parent = nullptr);

    // The menu handler: refreshes the released draw groups of the list from the database (UI thread's TDM),
    // then shows the window. A failing refresh is shown as a message and the window stays closed.
    static void IntervallDatenaktualisierung(QWidget* parent, TDM& tdm, const Turnierkontext& kontext, AusloList& liste,
                                             Programmuhr& uhr, Ereignisprotokoll& protokoll,
                                             MeldungsAusgabe& meldungen);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // "Zeitintervall ändern": asks for a value and gives it to every selected row.
    void zeitintervallAendern();
    void listeAufbauen();
    // The intervals and the "Sofort bei Änderung" switch into config_auslo.xml (a failure is shown).
    void speichern();

    AusloList& m_liste;
    QString m_tsdir;
    MeldungsAusgabe& m_meldungen;
    QTableWidget* auslosungen; // ListView1
    QCheckBox* sofort;         // "Sofort bei Änderung"
};

} // namespace quenda
