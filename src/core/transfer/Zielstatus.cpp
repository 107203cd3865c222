#include "transfer/Zielstatus.h"

#include "settings/TAblage.h"
#include "settings/XmlKonfig.h"
#include "transfer/Webserverupload.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QDir>
#include <QFileInfo>

namespace quenda {

namespace {

QString anzeige(const QString& zeit) {
    try {
        return datumzeit_lesen(zeit).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    } catch (const ConversionError&) {
        return zeit;
    }
}

QString dateien(int anzahl) {
    return anzahl == 1 ? QStringLiteral("1 Datei offen") : QStringLiteral("%1 Dateien offen").arg(anzahl);
}

QString schluessel(bool pocko) {
    return pocko ? QStringLiteral("pocko") : QStringLiteral("anzweb");
}

} // namespace

Zielzustand::Ampel Zielzustand::ampel() const {
    if (!aktiv) {
        return Ampel::Aus;
    }
    if (!fehlerSeit.isEmpty()) {
        return Ampel::Fehler;
    }
    return offen > 0 || letzteVollstaendig.isEmpty() ? Ampel::Offen : Ampel::Aktuell;
}

QString zielstatusDateiname() {
    return QStringLiteral("zielstatus.xml");
}

QString zielname(bool pocko) {
    return pocko ? QStringLiteral("Handy") : QStringLiteral("Beamer/Hallenanzeige");
}

Zielzustaende ZielstatusLoad(const QString& tsdir, const TAblage& ablage) {
    Zielzustaende zustaende;
    zustaende[0].aktiv = ablage.anzweb == 1;
    zustaende[1].aktiv = ablage.pocko == 1;
    const QString pfad = QDir(tsdir).filePath(zielstatusDateiname());
    if (!QFileInfo::exists(pfad)) {
        return zustaende;
    }
    const Ergebnis<QList<xmlkonfig::Element>> kinder = xmlkonfig::kinderLesen(pfad);
    if (!kinder.ok()) {
        return zustaende; // an unreadable or broken state only costs the history; the next cycle writes it anew
    }
    for (const xmlkonfig::Element& e : kinder.wert()) {
        for (const bool pocko : {false, true}) {
            if (e.name != u"ziel" || e.attribute.value(QLatin1StringView("name")) != schluessel(pocko)) {
                continue;
            }
            Zielzustand& z = zustaende[pocko ? 1 : 0];
            z.letzteVollstaendig = e.attribute.value(QLatin1StringView("vollstaendig")).toString();
            z.fehlerSeit = e.attribute.value(QLatin1StringView("fehlerseit")).toString();
            z.fehlerGrund = e.attribute.value(QLatin1StringView("grund")).toString();
            z.offen = static_cast<int>(ganzeZahl(e.attribute.value(QLatin1StringView("offen")).toString()).value_or(0));
        }
    }
    return zustaende;
}

void ZielstatusSave(const QString& tsdir, const Zielzustaende& zustaende) {
    QList<xmlkonfig::Element> kinder;
    for (const bool pocko : {false, true}) {
        const Zielzustand& z = zustaende[pocko ? 1 : 0];
        xmlkonfig::Element e{QStringLiteral("ziel"), {}};
        e.attribute.append(QStringLiteral("name"), schluessel(pocko));
        e.attribute.append(QStringLiteral("vollstaendig"), z.letzteVollstaendig);
        e.attribute.append(QStringLiteral("offen"), QString::number(z.offen));
        e.attribute.append(QStringLiteral("fehlerseit"), z.fehlerSeit);
        e.attribute.append(QStringLiteral("grund"), z.fehlerGrund);
        kinder.append(e);
    }
    xmlkonfig::schreiben(QDir(tsdir).filePath(zielstatusDateiname()), QStringLiteral("Zielstatus"), kinder);
}

Zielzustand fortschreiben(const Zielzustand& vorher, bool aktiv, const Zielbilanz& bilanz, int offen,
                          const QString& zeit) {
    Zielzustand z = vorher;
    z.aktiv = aktiv;
    z.offen = offen;
    if (!aktiv) {
        z.fehlerSeit.clear();
        z.fehlerGrund.clear();
        return z;
    }
    if (bilanz.fehler > 0) {
        if (z.fehlerSeit.isEmpty()) {
            z.fehlerSeit = zeit;
        }
        z.fehlerGrund = einzeilig(bilanz.grund).simplified();
    } else if (bilanz.versuche > 0) {
        z.fehlerSeit.clear();
        z.fehlerGrund.clear();
    }
    if (z.fehlerSeit.isEmpty() && offen == 0) {
        z.letzteVollstaendig = zeit;
    }
    return z;
}

QString zielstatusZeile(bool pocko, const Zielzustand& z) {
    QString zeile = zielname(pocko) + QStringLiteral(": ");
    switch (z.ampel()) {
    case Zielzustand::Ampel::Aus:
        return zeile + QStringLiteral("ausgeschaltet");
    case Zielzustand::Ampel::Fehler:
        zeile += QStringLiteral("FEHLER seit ") + anzeige(z.fehlerSeit) + QStringLiteral(" – ") +
                 (z.fehlerGrund.isEmpty() ? QStringLiteral("Übertragung gescheitert") : z.fehlerGrund);
        if (z.offen > 0) {
            zeile += QStringLiteral("; ") + dateien(z.offen);
        }
        break;
    case Zielzustand::Ampel::Offen:
        zeile += z.nochKeineUebertragung() ? QStringLiteral("noch keine Übertragung")
                                           : dateien(z.offen) + QStringLiteral(" – letzte Übertragung erfolgreich");
        break;
    case Zielzustand::Ampel::Aktuell:
        zeile += QStringLiteral("aktuell");
        break;
    }
    if (!z.letzteVollstaendig.isEmpty()) {
        zeile += QStringLiteral("; zuletzt vollständig ") + anzeige(z.letzteVollstaendig);
    }
    return zeile;
}

} // namespace quenda
