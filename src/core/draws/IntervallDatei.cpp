#include "draws/IntervallDatei.h"

#include "draws/AusloList.h"
#include "settings/XmlKonfig.h"
#include "util/MeldungsAusgabe.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QFileInfo>

namespace quenda {

QString intervallDateiname() {
    return QStringLiteral("config_auslo.xml");
}

int IntervallLoad(const QString& tsdir, int syf_id, MeldungsAusgabe& ausgabe) {
    const QString pfad = QDir(tsdir).filePath(intervallDateiname());
    if (!QFileInfo::exists(pfad)) {
        return 0;
    }
    const std::optional<QList<xmlkonfig::Element>> kinder = xmlkonfig::kinderLesen(pfad);
    if (!kinder) {
        ausgabe.meldung(xmlkonfig::nichtLadbarMeldung());
        throw IoError(QStringLiteral("Die Datei %1 ist keine gültige XML-Datei.").arg(pfad));
    }
    const QString schluessel = QString::number(syf_id);
    int intervall = 0;
    for (const xmlkonfig::Element& kind : *kinder) {
        if (kind.name != u"auslosung" || kind.attribute.value(QLatin1StringView("syf_id")) != schluessel) {
            continue;
        }
        const QString text = kind.attribute.value(QLatin1StringView("interval")).toString();
        bool ok = false;
        intervall = text.trimmed().toInt(&ok);
        if (!ok) {
            throw ConversionError(
                QStringLiteral("Das Intervall '%1' für ID %2 in %3 ist keine ganze Zahl.").arg(text, schluessel, pfad));
        }
    }
    return intervall;
}

void Intervallsave(const QString& tsdir, const AusloList& liste) {
    QList<xmlkonfig::Element> kinder;
    for (const TAuslosung& a : liste) {
        xmlkonfig::Element e{QStringLiteral("auslosung"), {}};
        e.attribute.append(QStringLiteral("syf_id"), QString::number(a.syf_id));
        e.attribute.append(QStringLiteral("interval"), QString::number(a.intervall));
        kinder.append(e);
    }
    xmlkonfig::schreiben(QDir(tsdir).filePath(intervallDateiname()), QStringLiteral("Turnier"), kinder);
}

} // namespace quenda
