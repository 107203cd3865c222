// TFormObjekt_eg — the dialog that edits one object of a presentation ("_eg" = Eingabe)
#pragma once

#include "Elementdialog.h"
#include "presentation/Meldungsdatei.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace quenda {

struct TPObjekt;

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

    // An object to change; its message text comes separately (meldungZeigen).
    void zeigen(const TPObjekt& o);
    // Takes kind, duration, font size and picture into o.
    void lesen(TPObjekt& o) const;
    // The message box's text, kept with the encoding it was read in, so that it is written back the same way.
    void meldungZeigen(const Meldungstext& meldung);
    Meldungstext meldung() const;

protected:
    bool pruefen() override;

private:
    void artGewaehlt();

    QComboBox* objektArt;         // ComboBox1
    QSpinBox* dauer;              // dauer
    QSpinBox* schriftgroesse;     // fontgr
    QLineEdit* werbebild;         // Edit1
    QPlainTextEdit* meldungsfeld; // Memo1
    Meldungskodierung m_memoKodierung = Meldungskodierung::Ansi;
};

} // namespace quenda
