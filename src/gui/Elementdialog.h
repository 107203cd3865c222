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
    void setTsdir(const QString& tsdir) { m_tsdir = tsdir; }
    // Asks for a picture file; "" when cancelled. Replaceable for tests.
    using BildWahl = std::function<QString(QWidget*)>;
    void setBildWahl(BildWahl wahl) { m_bildWaehlen = std::move(wahl); }

    // A whole-number field (a Zahlfeld: typed values beyond a limit become the limit); both limits 0 means no
    // limits.
    static void grenzen(QSpinBox* feld, int unten, int oben);
    static QSpinBox* zahlfeld(QWidget* parent, int schritt, int unten, int oben);

protected:
    // The dialog's own fields go here, above the buttons.
    QVBoxLayout* inhalt() const { return m_inhalt; }
    // A row "Hintergrund - Datei" (or another label) with its edit field (objectName name) and the "Bild"
    // button ("bild").
    QLineEdit* bildzeile(QGridLayout* raster, int zeile, const QString& beschriftung, const QString& name);
    // Checked when "&OK" is pressed; false keeps the dialog open.
    virtual bool pruefen() { return true; }
    void showEvent(QShowEvent* event) override;
    MeldungsAusgabe& m_meldungen;

private:
    // "Bild": copies the chosen picture into tsdir/images under its own name and puts the name into feld.
    void bildUebernehmen(QLineEdit* feld);

    QVBoxLayout* m_inhalt;
    QString m_tsdir;
    BildWahl m_bildWaehlen;
};

// Position and size of a screen, layer or area.
struct Lage {
    int x = 0;
    int y = 0;
    int wd = 0;
    int hg = 0;
};

template <typename Element>
Lage lageVon(const Element& e) {
    return {e.x, e.y, e.wd, e.hg};
}

template <typename Element>
void lageUebernehmen(Element& e, const Lage& lage) {
    e.x = lage.x;
    e.y = lage.y;
    e.wd = lage.wd;
    e.hg = lage.hg;
}

// The four position fields around a drawn rectangle: "Pos. Y" above, "Pos. X" left, "Höhe" right,
// "Breite" below.
class Lagefelder : public QWidget {
    Q_OBJECT
public:
    Lagefelder(const QString& beschriftung, QWidget* parent);
    // Upper limits of x and width, y and height; 0 for no limits.
    void obereGrenzen(int breite, int hoehe);
    void zeigen(const Lage& lage);
    // For "Ändern": the limits of the parent, widened to the element's own values, so that opening and
    // confirming the dialog never alters a value read from the file.
    void zeigen(const Lage& lage, int elternBreite, int elternHoehe);
    Lage werte() const;

private:
    QSpinBox* posX;   // x1
    QSpinBox* posY;   // y1
    QSpinBox* breite; // b1
    QSpinBox* hoehe;  // h1
};

} // namespace quenda
