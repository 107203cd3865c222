// TFormProfil — the window "Profile - QUENDA" that manages the settings profiles
#pragma once

#include "settings/Profilspeicher.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace quenda {

class MeldungsAusgabe;
class Programmuhr;
struct TAblage;
struct Turnierkontext;

// "Profile - QUENDA": lists, creates, re-saves, deletes and loads the profiles of the user (UI thread,
// modal; only while a tournament is connected and no transfer runs).
class TFormProfil : public QDialog {
    Q_OBJECT
public:
    TFormProfil(const Turnierkontext& kontext, TAblage& Ablage, MeldungsAusgabe& meldungen, Programmuhr& uhr,
                QWidget* parent = nullptr);

    void ListeNeu();
    bool Profilvorh(const QString& name) const;
    // The selected profile's name; "" without a selection.
    QString auswahl() const;

private:
    void profilNeu();          // Button1Click, "&Neu"
    void profilAendern();      // Button2Click, "&Ändern"
    void profilLoeschen();     // Button3Click, "&Löschen"
    void praesentationLaden(); // Button4Click, "&Präsentation Laden"

    void knoepfeSetzen();
    void auswaehlen(const QString& name);
    bool frage(const QString& text, bool neinVorgabe);

    const Turnierkontext& m_kontext;
    TAblage& m_ablage;
    MeldungsAusgabe& m_meldungen;
    Programmuhr& m_uhr;
    Profilspeicher m_speicher;
    std::vector<Profileintrag> m_liste;

    QTableWidget* profile;        // ListView1
    QPushButton* neuKnopf;        // Button1
    QPushButton* aendernKnopf;    // Button2
    QPushButton* loeschenKnopf;   // Button3
    QPushButton* ladenKnopf;      // Button4
    QPushButton* schliessenKnopf; // ButtonSchliessen
};

} // namespace quenda
