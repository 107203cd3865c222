// TFormBereich_eg — the dialog that edits one area of a presentation ("_eg" = Eingabe)
#pragma once

#include "Elementdialog.h"

class QCheckBox;
class QLineEdit;

namespace quenda {

struct TBereich;

// "Bereich Neu/Ändern": display options, position, size and background of an area (UI thread).
class TFormBereich_eg : public Elementdialog {
    Q_OBJECT
public:
    TFormBereich_eg(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);

    // Upper limits of the position fields (the layer's size) for a new area.
    void obereGrenzen(int breite, int hoehe);
    // An area to change, within its layer's size widened to the area's own values.
    void zeigen(const TBereich& r, int ebeneBreite, int ebeneHoehe);
    // Takes the dialog's values into r.
    void lesen(TBereich& r) const;

private:
    QCheckBox* aktiviert;    // CheckBox1, sc
    QCheckBox* nextDisplay;  // CheckBox2, nd
    QCheckBox* gaugeDisplay; // CheckBox3, gd
    QCheckBox* sortiert;     // CheckBox4, rh
    Lagefelder* lage;
    QLineEdit* hintergrund; // Edit1
};

} // namespace quenda
