#pragma once

#include "Elementdialog.h"

class QLineEdit;

namespace quenda {

class Lagefelder;

// "Bildschirm Neu/Ändern": position, size and background of a screen (UI thread).
class TFormBildschirm_eg : public Elementdialog {
    Q_OBJECT
public:
    TFormBildschirm_eg(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);
    Lagefelder* lage; // x1, y1, b1, h1
    QLineEdit* Edit1;
};

} // namespace quenda
