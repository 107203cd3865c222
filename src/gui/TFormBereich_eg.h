#pragma once

#include "Elementdialog.h"

class QCheckBox;
class QLineEdit;

namespace quenda {

class Lagefelder;

// "Bereich Neu/Ändern": display options, position, size and background of an area (UI thread).
class TFormBereich_eg : public Elementdialog {
    Q_OBJECT
public:
    TFormBereich_eg(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);
    QCheckBox* CheckBox1; // sc
    QCheckBox* CheckBox2; // nd
    QCheckBox* CheckBox3; // gd
    QCheckBox* CheckBox4; // rh
    Lagefelder* lage;     // x1, y1, b1, h1
    QLineEdit* Edit1;
};

} // namespace quenda
