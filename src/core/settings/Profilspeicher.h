// Profilspeicher (ListeNeu, Profilsave, Profilload) — the user's store of settings profiles
#pragma once

#include "settings/TAblage.h"
#include "util/Ergebnis.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace quenda {

class MeldungsAusgabe;

// One profile of the store: its name is the folder name, its date the folder's creation time.
struct Profileintrag {
    QString name;
    QDateTime datum; // local time
};

// The per-user profile store apppath + "profil": one folder per profile holding config_ablage.xml,
// config_quenda.xml, the message files and "images". Used on the UI thread while no transfer runs.
// Every folder it makes or removes is a direct child of the store; a profile is written into a hidden
// folder of the store first and only renamed into place once it is complete.
class Profilspeicher {
public:
    explicit Profilspeicher(const QString& apppath);

    QString ordner() const { return m_ordner; }
    QString profilordner(const QString& name) const;

    // The profile folders in the order the file system lists them (hidden work folders left out).
    std::vector<Profileintrag> ListeNeu() const;

    // Whether the name can become a profile folder (on any platform); fails with the message for the user.
    static Ergebnis<void> namePruefen(const QString& name);

    // Saves the working folder as a new profile. Fails (invalid name, existing folder, a missing file in
    // tsdir) with nothing left in the store.
    Ergebnis<void> neu(const QString& name, const QString& tsdir) const;

    // Saves the working folder again into profile alt, under the name neuerName (may equal alt). The old
    // profile goes only once the new one is complete. True when done; false, with everything as it was and
    // nothing to tell, when the old profile could not be moved aside. Fails when the name is refused or the
    // new profile cannot be written; the old one is then kept.
    Ergebnis<bool> aendern(const QString& alt, const QString& neuerName, const QString& tsdir) const;

    // Deletes one profile folder of the store with its content; false when nothing was deleted. Fails for a
    // name that is no profile name.
    Ergebnis<bool> loeschen(const QString& name) const;

    // Copies the working folder's files into the existing folder ziel: the images, config_ablage.xml,
    // config_quenda.xml, every meldung_*.*. Throws IoError at the first file that cannot be copied.
    static void Profilsave(const QString& tsdir, const QString& ziel);

    // Copies the profile into the working folder and adapts it to the tournament: the storage settings
    // keep the tournament's dbzkd, the presentation shows the tournament's name. A failing image or
    // message copy is shown through ausgabe and skipped, as is why the profile's settings do not load; a
    // missing settings or presentation file makes the load fail there. Ends with the message
    // "Das Profil … wurde geladen!".
    Ergebnis<void> Profilload(const QString& name, const QString& tsdir, TAblage& ablage, const QString& dbturnier,
                              MeldungsAusgabe& ausgabe, const QDateTime& jetzt) const;

private:
    // A complete copy of tsdir in a new hidden folder of the store; removed again when a copy fails.
    QString entwurfSchreiben(const QString& tsdir) const;
    // The steps of aendern and Profilload after the name was checked; they throw IoError where those fail.
    bool ersetzen(const QString& alt, const QString& neuerName, const QString& tsdir) const;
    void uebernehmen(const QString& name, const QString& tsdir, TAblage& ablage, const QString& dbturnier,
                     MeldungsAusgabe& ausgabe, const QDateTime& jetzt) const;

    QString m_ordner;
};

// Profilvorh: whether liste holds a profile of that name, ignoring case.
bool Profilvorh(const std::vector<Profileintrag>& liste, const QString& name);

} // namespace quenda
