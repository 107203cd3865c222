#pragma once

#include <QDialog>
#include <functional>

class QGridLayout;
class QLineEdit;
class QSpinBox;
class QVBoxLayout;

namespace quenda {

class MeldungsAusgabe;

// Base of the presentation editor's element dialogs (UI thread): "&OK" (default) and "&Abbrechen", centred
// on the screen, created once and keeping their values between uses. They only collect values.
class Elementdialog : public QDialog {
    Q_OBJECT
public:
    Elementdialog(const QString& titel, MeldungsAusgabe& meldungen, QWidget* parent);

    // The working folder whose "images" folder receives chosen pictures; set before showing.
    QString tsdir;
    // Asks for a picture file; "" when cancelled. Replaceable for tests.
    std::function<QString(QWidget*)> bildWaehlen;

    // A whole-number field (a Zahlfeld: typed values beyond a limit become the limit); both limits 0 means no
    // limits.
    static void grenzen(QSpinBox* feld, int unten, int oben);
    static QSpinBox* zahlfeld(QWidget* parent, int schritt, int unten, int oben);

    // "Bild": copies the chosen picture into tsdir/images under its own name and puts the name into feld.
    void bildUebernehmen(QLineEdit* feld);

protected:
    // The dialog's own fields go here, above the buttons.
    QVBoxLayout* inhalt() const { return m_inhalt; }
    // A row "Hintergrund - Datei" (or another label) with its edit field and the "Bild" button.
    QLineEdit* bildzeile(QGridLayout* raster, int zeile, const QString& beschriftung);
    // Checked when "&OK" is pressed; false keeps the dialog open.
    virtual bool pruefen() { return true; }
    void showEvent(QShowEvent* event) override;
    MeldungsAusgabe& m_meldungen;

private:
    QVBoxLayout* m_inhalt;
};

// The four position fields around a drawn rectangle: "Pos. Y" above, "Pos. X" left, "Höhe" right,
// "Breite" below.
class Lagefelder : public QWidget {
    Q_OBJECT
public:
    Lagefelder(const QString& beschriftung, QWidget* parent);
    // Upper limits of x and width, y and height; 0 for no limits.
    void obereGrenzen(int breite, int hoehe);
    QSpinBox* x1;
    QSpinBox* y1;
    QSpinBox* b1;
    QSpinBox* h1;
};

} // namespace quenda
