#include "draws/IntervallDatei.h"

#include "draws/AusloList.h"
#include "settings/XmlKonfig.h"
#include "util/Dateiersatz.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"

#include <QDir>
#include <QFileInfo>

namespace quenda {

namespace {

std::optional<int> ganzzahl(const QXmlStreamAttributes& attribute, QLatin1StringView name) {
    bool ok = false;
    const int wert = attribute.value(name).trimmed().toInt(&ok);
    return ok ? std::optional<int>(wert) : std::nullopt;
}

// A broken file would otherwise be found broken again by every new record of every pass.
void beiseitelegen(const QString& pfad, Ereignisprotokoll& protokoll, Programmuhr& uhr) {
    const QString ablage = pfad + QStringLiteral(".bak-") + zeitstempel14(uhr.jetzt());
    const bool ok = datei_umbenennen(pfad, ablage);
    protokoll.memoUndProtokoll(zeitText(uhr.jetzt()) + u' ' + xmlkonfig::nichtLadbarMeldung() + QStringLiteral(": ") +
                               QDir::toNativeSeparators(pfad) +
                               (ok ? QStringLiteral(" - beiseitegelegt als ") + QFileInfo(ablage).fileName()
                                   : QStringLiteral(" - kann nicht beiseitegelegt werden")) +
                               QStringLiteral("; die Intervalle stehen auf dem Standardwert."));
}

} // namespace

QString intervallDateiname() {
    return QStringLiteral("config_auslo.xml");
}

QHash<int, int> IntervalleLaden(const QString& tsdir, Ereignisprotokoll& protokoll, Programmuhr& uhr) {
    const QString pfad = QDir(tsdir).filePath(intervallDateiname());
    QHash<int, int> werte;
    if (!QFileInfo::exists(pfad)) {
        return werte;
    }
    const Ergebnis<QList<xmlkonfig::Element>> kinder = xmlkonfig::kinderLesen(pfad);
    if (!kinder.ok()) {
        // A file that is there but cannot be read may be fine once it can; a broken one is broken for good.
        if (kinder.fehler() == xmlkonfig::nichtLadbarMeldung()) {
            beiseitelegen(pfad, protokoll, uhr);
        } else {
            protokoll.memoUndProtokoll(zeitText(uhr.jetzt()) + u' ' + kinder.fehler());
        }
        return werte;
    }
    for (const xmlkonfig::Element& kind : kinder.wert()) {
        if (kind.name != u"auslosung") {
            continue;
        }
        const std::optional<int> syf_id = ganzzahl(kind.attribute, QLatin1StringView("syf_id"));
        const std::optional<int> intervall = ganzzahl(kind.attribute, QLatin1StringView("interval"));
        if (!syf_id || !intervall) {
            protokoll.protokoll(zeitText(uhr.jetzt()) + QStringLiteral(" Eintrag in ") + intervallDateiname() +
                                QStringLiteral(" ignoriert (keine ganze Zahl): syf_id='") +
                                kind.attribute.value(QLatin1StringView("syf_id")).toString() +
                                QStringLiteral("' interval='") +
                                kind.attribute.value(QLatin1StringView("interval")).toString() + u'\'');
            continue;
        }
        werte.insert(*syf_id, *intervall);
    }
    return werte;
}

int Intervallspeicher::IntervallLoad(int syf_id) {
    if (!m_werte) {
        m_werte = IntervalleLaden(m_tsdir, m_protokoll, m_uhr);
    }
    return m_werte->value(syf_id, 0);
}

bool SofortLoad(const QString& tsdir) {
    const QString pfad = QDir(tsdir).filePath(intervallDateiname());
    if (!QFileInfo::exists(pfad)) {
        return false;
    }
    const Ergebnis<QXmlStreamAttributes> wurzel = xmlkonfig::wurzelAttributeLesen(pfad);
    return wurzel.ok() && wurzel.wert().value(QLatin1StringView("sofort")) == u"1";
}

void Intervallsave(const QString& tsdir, const AusloList& liste) {
    Intervallsave(tsdir, liste, SofortLoad(tsdir));
}

void Intervallsave(const QString& tsdir, const AusloList& liste, bool sofort) {
    QXmlStreamAttributes wurzel;
    if (sofort) {
        wurzel.append(QStringLiteral("sofort"), QStringLiteral("1"));
    }
    QList<xmlkonfig::Element> kinder;
    for (const TAuslosung& a : liste) {
        xmlkonfig::Element e{QStringLiteral("auslosung"), {}};
        e.attribute.append(QStringLiteral("syf_id"), QString::number(a.syf_id));
        e.attribute.append(QStringLiteral("interval"), QString::number(a.intervall));
        kinder.append(e);
    }
    xmlkonfig::schreiben(QDir(tsdir).filePath(intervallDateiname()), QStringLiteral("Turnier"), kinder, wurzel);
}

} // namespace quenda
