#include "settings/Profilspeicher.h"

#include "presentation/ConfigDatei.h"
#include "settings/AblageDatei.h"
#include "util/MeldungsAusgabe.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace quenda {

namespace {

const QString ablageName = QStringLiteral("config_ablage.xml");
const QString praesentationName = QStringLiteral("config_quenda.xml");
const QString bilderName = QStringLiteral("images");
const QStringList meldungMuster{QStringLiteral("meldung_*.*")};

// Work folders of unfinished saves and of profiles moved aside; never listed, never a profile name.
const QString arbeitsPraefix = QStringLiteral(".~profil-");

QStringList dateien(const QString& ordner, const QStringList& muster = {}) {
    return QDir(ordner).entryList(muster, QDir::Files | QDir::Hidden, QDir::Name);
}

QString pfad(const QString& ordner, const QString& name) {
    return ordner + u'/' + name;
}

// Names that reach outside the store or name the store itself are refused even for deleting and loading.
void strukturPruefen(const QString& name) {
    if (name.isEmpty() || name == u'.' || name == QStringLiteral("..") || name.contains(u'/') || name.contains(u'\\')) {
        throw IoError(QStringLiteral("\"%1\" ist kein Profilname.").arg(name));
    }
}

bool umbenennen(const QString& von, const QString& nach) {
    return !QFileInfo::exists(nach) && QDir().rename(von, nach);
}

} // namespace

Profilspeicher::Profilspeicher(const QString& apppath)
    : m_ordner(QDir::cleanPath(apppath + QStringLiteral("/profil"))) {}

QString Profilspeicher::profilordner(const QString& name) const {
    strukturPruefen(name);
    return pfad(m_ordner, name);
}

std::vector<Profileintrag> Profilspeicher::ListeNeu() const {
    std::vector<Profileintrag> liste;
    const QFileInfoList eintraege =
        QDir(m_ordner).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo& info : eintraege) {
        if (info.fileName().startsWith(arbeitsPraefix)) {
            continue;
        }
        // Not every Linux file system reports a birth time; the last change of the folder stands in.
        QDateTime datum = info.birthTime();
        if (!datum.isValid()) {
            datum = info.lastModified();
        }
        liste.push_back({info.fileName(), datum.toLocalTime()});
    }
    return liste;
}

bool Profilvorh(const std::vector<Profileintrag>& liste, const QString& name) {
    for (const Profileintrag& eintrag : liste) {
        if (eintrag.name.compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

Ergebnis<void> Profilspeicher::namePruefen(const QString& name) {
    if (name.isEmpty()) {
        return Fehlschlag{QStringLiteral("Bitte einen Profilnamen eingeben.")};
    }
    if (name == u'.' || name == QStringLiteral("..")) {
        return Fehlschlag{QStringLiteral("Der Profilname \"%1\" ist nicht erlaubt.").arg(name)};
    }
    if (name.startsWith(arbeitsPraefix.left(2))) {
        return Fehlschlag{QStringLiteral("Der Profilname darf nicht mit \".~\" beginnen.")};
    }
    if (!ordnername_zeichen_gueltig(name) || name.contains(QChar(0x7f))) {
        return Fehlschlag{QStringLiteral("Der Profilname darf diese Zeichen nicht enthalten: / \\ < > : \" | ? * "
                                         "und keine Steuerzeichen.")};
    }
    if (name.endsWith(u'.') || name.endsWith(u' ')) {
        return Fehlschlag{QStringLiteral("Der Profilname darf nicht mit einem Punkt oder Leerzeichen enden.")};
    }
    // Device names cannot be folder names on Windows, with or without an extension.
    static const QStringList geraete{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                     QStringLiteral("NUL")};
    const QString stamm = name.section(u'.', 0, 0).trimmed().toUpper();
    const bool nummeriert = stamm.size() == 4 &&
                            (stamm.startsWith(QStringLiteral("COM")) || stamm.startsWith(QStringLiteral("LPT"))) &&
                            stamm.at(3) >= u'1' && stamm.at(3) <= u'9';
    if (geraete.contains(stamm) || nummeriert) {
        return Fehlschlag{
            QStringLiteral("Der Profilname \"%1\" ist unter Windows kein gültiger Ordnername.").arg(name)};
    }
    return {};
}

void Profilspeicher::Profilsave(const QString& tsdir, const QString& ziel) {
    const QString bilder = pfad(tsdir, bilderName);
    for (const QString& datei : dateien(bilder)) {
        datei_kopieren(pfad(bilder, datei), pfad(pfad(ziel, bilderName), datei));
    }
    datei_kopieren(pfad(tsdir, ablageName), pfad(ziel, ablageName));
    datei_kopieren(pfad(tsdir, praesentationName), pfad(ziel, praesentationName));
    for (const QString& datei : dateien(tsdir, meldungMuster)) {
        datei_kopieren(pfad(tsdir, datei), pfad(ziel, datei));
    }
}

QString Profilspeicher::entwurfSchreiben(const QString& tsdir) const {
    if (!QDir().mkpath(m_ordner)) {
        throw IoError(QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(m_ordner));
    }
    QTemporaryDir entwurf(pfad(m_ordner, arbeitsPraefix + QStringLiteral("XXXXXX")));
    if (!entwurf.isValid() || !QDir(entwurf.path()).mkdir(bilderName)) {
        throw IoError(QStringLiteral("Im Ordner %1 kann kein Profil angelegt werden.").arg(m_ordner));
    }
    Profilsave(tsdir, entwurf.path()); // on an error the draft is removed with entwurf
    entwurf.setAutoRemove(false);
    return entwurf.path();
}

Ergebnis<void> Profilspeicher::neu(const QString& name, const QString& tsdir) const {
    if (Ergebnis<void> gueltig = namePruefen(name); !gueltig.ok()) {
        return gueltig;
    }
    try {
        const QString ziel = profilordner(name);
        if (QFileInfo::exists(ziel)) {
            return Fehlschlag{QStringLiteral("Der Ordner %1 existiert bereits.").arg(ziel)};
        }
        const QString entwurf = entwurfSchreiben(tsdir);
        if (!umbenennen(entwurf, ziel)) {
            ordner_loeschen(entwurf);
            return Fehlschlag{QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(ziel)};
        }
    } catch (const QuendaError& e) {
        return Fehlschlag{e.message()};
    }
    return {};
}

Ergebnis<bool> Profilspeicher::aendern(const QString& alt, const QString& neuerName, const QString& tsdir) const {
    if (Ergebnis<void> gueltig = namePruefen(neuerName); !gueltig.ok()) {
        return Fehlschlag{gueltig.fehler()};
    }
    try {
        return ersetzen(alt, neuerName, tsdir);
    } catch (const QuendaError& e) {
        return Fehlschlag{e.message()};
    }
}

bool Profilspeicher::ersetzen(const QString& alt, const QString& neuerName, const QString& tsdir) const {
    const QString altOrdner = profilordner(alt);
    const QString ziel = profilordner(neuerName);
    if (!QFileInfo(altOrdner).isDir()) {
        return false;
    }
    const QString entwurf = entwurfSchreiben(tsdir);

    // Moving the old profile aside is the step that may fail (a file still open); then nothing changes.
    QTemporaryDir beiseite(pfad(m_ordner, arbeitsPraefix + QStringLiteral("XXXXXX")));
    const QString alterPlatz = pfad(beiseite.path(), QStringLiteral("profil"));
    if (!beiseite.isValid() || !umbenennen(altOrdner, alterPlatz)) {
        ordner_loeschen(entwurf);
        return false;
    }
    if (!umbenennen(entwurf, ziel)) {
        if (!QDir().rename(alterPlatz, altOrdner)) {
            beiseite.setAutoRemove(false); // the old profile survives in the hidden folder
        }
        ordner_loeschen(entwurf);
        throw IoError(QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(ziel));
    }
    // beiseite takes the old profile with it; what cannot be removed stays hidden in the store.
    return true;
}

Ergebnis<bool> Profilspeicher::loeschen(const QString& name) const {
    try {
        return ordner_loeschen(profilordner(name));
    } catch (const QuendaError& e) {
        return Fehlschlag{e.message()};
    }
}

Ergebnis<void> Profilspeicher::Profilload(const QString& name, const QString& tsdir, TAblage& ablage,
                                          const QString& dbturnier, MeldungsAusgabe& ausgabe,
                                          const QDateTime& jetzt) const {
    try {
        uebernehmen(name, tsdir, ablage, dbturnier, ausgabe, jetzt);
    } catch (const QuendaError& e) {
        return Fehlschlag{e.message()};
    }
    return {};
}

void Profilspeicher::uebernehmen(const QString& name, const QString& tsdir, TAblage& ablage, const QString& dbturnier,
                                 MeldungsAusgabe& ausgabe, const QDateTime& jetzt) const {
    const QString quelle = profilordner(name);
    if (!QFileInfo(quelle).isDir()) {
        throw IoError(QStringLiteral("Das Profil %1 existiert nicht.").arg(name));
    }

    // The tournament keeps its own data folder on the targets and takes everything else of the profile.
    const QString dbzkd = ablage.dbzkd;
    // Checked where it lies first: a broken file must not replace the tournament's own settings.
    TAblage probe;
    if (QFileInfo::exists(pfad(quelle, ablageName))) {
        if (const Ergebnis<void> geprueft = AblageLoad(quelle, probe); !geprueft.ok()) {
            ausgabe.meldung(geprueft.fehler());
            throw IoError(
                QStringLiteral("Das Profil %1 wurde nicht geladen: seine Einstellungen sind fehlerhaft.").arg(name));
        }
    }
    datei_kopieren(pfad(quelle, ablageName), pfad(tsdir, ablageName));
    if (const Ergebnis<void> geladen = AblageLoad(tsdir, ablage); !geladen.ok()) {
        ausgabe.meldung(geladen.fehler());
    }
    ablage.dbzkd = dbzkd;
    Ablagesave(tsdir, ablage, jetzt);

    const QString bilder = pfad(tsdir, bilderName);
    QDir().mkpath(bilder);
    const auto einzeln = [&ausgabe](const QString& von, const QString& nach) {
        try {
            datei_kopieren(von, nach);
        } catch (const QuendaError& e) {
            ausgabe.meldung(e.message());
        }
    };
    const QString profilBilder = pfad(quelle, bilderName);
    for (const QString& datei : dateien(profilBilder)) {
        einzeln(pfad(profilBilder, datei), pfad(bilder, datei));
    }
    for (const QString& datei : dateien(quelle, meldungMuster)) {
        einzeln(pfad(quelle, datei), pfad(tsdir, datei));
    }

    const QString praesentation = pfad(tsdir, praesentationName);
    datei_kopieren(pfad(quelle, praesentationName), praesentation);
    if (QFileInfo::exists(praesentation)) {
        turniernameSetzen(praesentation, dbturnier);
    }
    ausgabe.meldung(QStringLiteral("Das Profil ") + name + QStringLiteral(" wurde geladen!"));
}

} // namespace quenda
