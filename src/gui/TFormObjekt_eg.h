#pragma once

#include "Elementdialog.h"
#include "presentation/Meldungsdatei.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace quenda {

// "Objekt Neu/Ändern ": kind, duration, font size, advertising picture and message text of an object
// (UI thread).
class TFormObjekt_eg : public Elementdialog {
    Q_OBJECT
public:
    TFormObjekt_eg(MeldungsAusgabe& meldungen, QWidget* parent = nullptr);
    // Refills the kind list (the editor does this at every opening).
    void artenFuellen(const QStringList& objliste);
    // Position of the chosen kind in the list, -1 for none.
    int artIndex() const;

    QComboBox* ComboBox1;
    QSpinBox* dauer;
    QSpinBox* fontgr;
    QLineEdit* Edit1;
    QPlainTextEdit* Memo1;
    // How the message box's text was read, so it is written back the same way.
    Meldungskodierung memoKodierung = Meldungskodierung::Ansi;

protected:
    bool pruefen() override;

private:
    void artGewaehlt();
};

} // namespace quenda
