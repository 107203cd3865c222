#pragma once

#include "Elementdialog.h"
#include "presentation/Namensabfragen.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace quenda {

class RadioGroup;

// "Auslosungen Neu/Ändern": what a reference shows — a hall (object kinds 4, 5), a competition (kind 8) or
// draws (every other kind) (UI thread).
class TFormAuslo_eg : public Elementdialog {
    Q_OBJECT
public:
    TFormAuslo_eg(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);

    // Empties and refills the three lists (at every opening of the editor).
    void listenFuellen(const Referenzlisten& listen);
    // Positions in the lists of the last entry with that id; -1 for none and for ids of 0 or less, so that
    // something no longer offered is never replaced by the first entry (that would change the reference).
    int aslindex(qint64 id) const;
    int aslindex_halle(qint64 id) const;
    int aslindex_konkurrenz(qint64 id) const;
    void hakenEntfernen();
    void haken(int position);
    // Fill the dialog from a reference: a draw no longer offered stays unticked, a hall or competition
    // unchosen.
    void auslosungAnhaken(qint64 id);
    void halleWaehlen(qint64 id);
    void konkurrenzWaehlen(qint64 id);
    // The ticked draws' ids in list order, joined by "-".
    QString gewaehlteAuslosungen() const;

    int art = 0; // object kind of the reference's object, set before showing
    QLabel* Label1;
    QComboBox* ComboBox2;    // halls
    QComboBox* ComboBox3;    // competitions
    RadioGroup* RadioGroup2; // "Alle", "Einzelne"
    QListWidget* CheckListBox1;
    RadioGroup* RadioGroup1; // typ

protected:
    void showEvent(QShowEvent* event) override;
    bool pruefen() override;
};

} // namespace quenda
