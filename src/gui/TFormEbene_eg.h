#pragma once

#include "Elementdialog.h"

class QLineEdit;
class QSpinBox;

namespace quenda {

class Lagefelder;

// "Ebene Neu/Ändern": position, size, display timing, border and background of a layer (UI thread).
class TFormEbene_eg : public Elementdialog {
    Q_OBJECT
public:
    TFormEbene_eg(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);
    Lagefelder* lage; // x1, y1, b1, h1
    QLineEdit* Edit1;
    QSpinBox* SpinEdit1; // display interval, seconds
    QSpinBox* SpinEdit2; // display duration, seconds
    QSpinBox* SpinEdit3; // border width
};

} // namespace quenda
