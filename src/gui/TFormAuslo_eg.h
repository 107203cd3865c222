// TFormAuslo_eg — the dialog that edits one draw, hall or competition reference of an object ("_eg" = Eingabe)
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

    // A new reference of an object of kind art: nothing ticked, "Alle" and the first type chosen.
    void neu(int art);
    // A reference to change, of an object of kind art: nothing ticked yet, the reference's values follow.
    void aendern(int art);
    // Fill the dialog from a reference: a draw no longer offered stays unticked, a hall or competition
    // unchosen.
    void auslosungAnhaken(qint64 id);
    void halleWaehlen(qint64 id);
    void konkurrenzWaehlen(qint64 id);
    // "Alle" (true) or "Einzelne" draws; the type for all draws.
    void alleAuslosungen(bool alle);
    void setTyp(int typ);

    // What was chosen: the hall's or competition's id, for draws "0" for all or the ticked ids in list
    // order joined by "-".
    QString gewaehlteId() const;
    // The chosen hall's or competition's name ("" for draws).
    QString gewaehlterName() const;
    // The type for all draws, 0 when none is chosen.
    int typ() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool pruefen() override;

private:
    void hakenEntfernen();
    void haken(int position);
    QString gewaehlteAuslosungen() const;

    int m_art = 0;                // object kind of the reference's object
    QLabel* ueberschrift;         // Label1
    QComboBox* hallen;            // ComboBox2
    QComboBox* konkurrenzen;      // ComboBox3
    RadioGroup* umfang;           // RadioGroup2: "Alle", "Einzelne"
    QListWidget* auslosungsliste; // CheckListBox1
    RadioGroup* typwahl;          // RadioGroup1
};

} // namespace quenda
