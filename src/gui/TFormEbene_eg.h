// TFormEbene_eg — the dialog that edits one layer of a presentation ("_eg" = Eingabe)
#pragma once

#include "Elementdialog.h"

class QLineEdit;
class QSpinBox;

namespace quenda {

struct TEbene;

// "Ebene Neu/Ändern": position, size, display timing, border and background of a layer (UI thread).
class TFormEbene_eg : public Elementdialog {
    Q_OBJECT
public:
    TFormEbene_eg(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);

    // Upper limits of the position fields (the screen's size) for a new layer.
    void obereGrenzen(int breite, int hoehe);
    // A layer to change, within its screen's size widened to the layer's own values.
    void zeigen(const TEbene& e, int bildschirmBreite, int bildschirmHoehe);
    // Takes the dialog's values into e.
    void lesen(TEbene& e) const;

private:
    Lagefelder* lage;
    QLineEdit* hintergrund;     // Edit1
    QSpinBox* anzeigeIntervall; // SpinEdit1, seconds
    QSpinBox* anzeigedauer;     // SpinEdit2, seconds
    QSpinBox* randstaerke;      // SpinEdit3
};

} // namespace quenda
