// TFormBildschirm_eg — the dialog that edits one screen of a presentation ("_eg" = Eingabe)
#pragma once

#include "Elementdialog.h"

class QLineEdit;

namespace quenda {

struct TBildschirm;

// "Bildschirm Neu/Ändern": position, size and background of a screen (UI thread).
class TFormBildschirm_eg : public Elementdialog {
    Q_OBJECT
public:
    TFormBildschirm_eg(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);

    // Upper limits of the position fields; 0 for none.
    void obereGrenzen(int breite, int hoehe);
    void zeigen(const TBildschirm& b);
    // Takes the dialog's values into b.
    void lesen(TBildschirm& b) const;

private:
    Lagefelder* lage;
    QLineEdit* hintergrund; // Edit1
};

} // namespace quenda
