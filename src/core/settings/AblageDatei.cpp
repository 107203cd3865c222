#include "settings/AblageDatei.h"

#include "settings/AblagePruefung.h"
#include "settings/XmlKonfig.h"
#include "util/Programmuhr.h"
#include "util/Routinen.h"

#include <QDir>
#include <QFileInfo>

namespace quenda {

namespace {

// Thrown inside the load when a required number is missing or the folder name is unusable; never leave
// this file.
struct FehlendeZahl {
    QString attribut;
};
struct UngueltigerOrdner {
    QString name;
};

QString text(const QXmlStreamAttributes& attribute, const char* name) {
    return attribute.value(QLatin1StringView(name)).toString();
}

int pflichtZahl(const QXmlStreamAttributes& attribute, const char* name) {
    bool ok = false;
    const int wert = text(attribute, name).trimmed().toInt(&ok);
    if (!ok) {
        throw FehlendeZahl{QString::fromLatin1(name)};
    }
    return wert;
}

// Attributes that older files lack: an absent or empty value keeps the field as it is.
void wennVorhanden(const QXmlStreamAttributes& attribute, const char* name, int& feld) {
    if (!text(attribute, name).isEmpty()) {
        feld = pflichtZahl(attribute, name);
    }
}
void wennVorhanden(const QXmlStreamAttributes& attribute, const char* name, QString& feld) {
    const QString wert = text(attribute, name);
    if (!wert.isEmpty()) {
        feld = wert;
    }
}

// In the order of the file, so that a load stopped by a bad number has read exactly the fields before it.
void ablageLesen(const QXmlStreamAttributes& a, TAblage& ablage) {
    wennVorhanden(a, "anzweb", ablage.anzweb);
    ablage.aktiv = pflichtZahl(a, "aktiv");
    ablage.verzeichnis = text(a, "verzeichnis");
    ablage.host = text(a, "host");
    ablage.steuerdatei = text(a, "steuerdatei");
    ablage.pocko = pflichtZahl(a, "pocko");
    ablage.aktivpocko = pflichtZahl(a, "aktiv_px");
    ablage.verzeichnispocko = text(a, "verzeichnis_px");
    ablage.hostpocko = text(a, "host_px");
    ablage.steuerdateipocko = text(a, "steuerdatei_px");
    wennVorhanden(a, "impressum", ablage.impressum);
    wennVorhanden(a, "datenschutz", ablage.datenschutz);
    // The folder name becomes part of a path on the targets: a hand-edited one must not leave the root.
    const QString dbzkd = text(a, "dbzkd");
    if (!zkdBezeichnungGueltig(dbzkd)) {
        throw UngueltigerOrdner{dbzkd};
    }
    ablage.dbzkd = dbzkd;
    ablage.token = text(a, "token");
    ablage.tokenpocko = text(a, "token_px");
}

xmlkonfig::Element ablageElement(const TAblage& w, const QString& dbzkd) {
    xmlkonfig::Element e{QStringLiteral("ablage"), {}};
    const auto attr = [&e](const char* name, const QString& wert) {
        e.attribute.append(QString::fromLatin1(name), wert);
    };
    attr("anzweb", QString::number(w.anzweb));
    attr("aktiv", QString::number(w.aktiv));
    attr("verzeichnis", w.verzeichnis);
    attr("host", w.host);
    attr("steuerdatei", w.steuerdatei);
    attr("pocko", QString::number(w.pocko));
    attr("aktiv_px", QString::number(w.aktivpocko));
    attr("verzeichnis_px", w.verzeichnispocko);
    attr("host_px", w.hostpocko);
    attr("steuerdatei_px", w.steuerdateipocko);
    attr("impressum", w.impressum);
    attr("datenschutz", w.datenschutz);
    attr("dbzkd", dbzkd);
    // Written only when set, so files without a secret stay as older versions wrote them.
    if (!w.token.isEmpty()) {
        attr("token", w.token);
    }
    if (!w.tokenpocko.isEmpty()) {
        attr("token_px", w.tokenpocko);
    }
    return e;
}

} // namespace

QString ablageDateiname() {
    return QStringLiteral("config_ablage.xml");
}

Ergebnis<void> AblageLoad(const QString& tsdir, TAblage& ablage) {
    const QString pfad = QDir(tsdir).filePath(ablageDateiname());
    if (!QFileInfo::exists(pfad)) {
        ablage = TAblage{};
        return {};
    }
    const Ergebnis<QList<xmlkonfig::Element>> kinder = xmlkonfig::kinderLesen(pfad);
    if (!kinder.ok()) {
        return Fehlschlag{kinder.fehler()};
    }
    for (const xmlkonfig::Element& kind : kinder.wert()) {
        if (kind.name != u"ablage") {
            continue;
        }
        try {
            ablageLesen(kind.attribute, ablage);
        } catch (const FehlendeZahl& f) {
            return Fehlschlag{
                QStringLiteral("Die Datei %1 ist fehlerhaft: Das Attribut \"%2\" fehlt oder ist keine Zahl.")
                    .arg(pfad, f.attribut)};
        } catch (const UngueltigerOrdner& f) {
            return Fehlschlag{
                QStringLiteral("Die Datei %1 ist fehlerhaft: Die ZKD-Ordner Bezeichnung \"%2\" ").arg(pfad, f.name) +
                zkdRegel()};
        }
    }
    return {};
}

void Ablagesave(const QString& tsdir, TAblage& ablage, const TAblage& werte, const std::optional<QString>& zkdNeu,
                const QDateTime& jetzt) {
    QString dbzkd = ablage.dbzkd;
    if (zkdNeu && !zkdNeu->trimmed().isEmpty()) {
        dbzkd = zkdNeu->trimmed();
    } else if (dbzkd.isEmpty()) {
        dbzkd = zeitstempel14(jetzt);
    }
    xmlkonfig::schreiben(QDir(tsdir).filePath(ablageDateiname()), QStringLiteral("Turnier"),
                         {ablageElement(werte, dbzkd)});
    ablage.dbzkd = dbzkd;
}

void Ablagesave(const QString& tsdir, TAblage& ablage, const QDateTime& jetzt) {
    const TAblage werte = ablage;
    Ablagesave(tsdir, ablage, werte, std::nullopt, jetzt);
}

} // namespace quenda
