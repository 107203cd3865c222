#include "settings/XmlKonfig.h"

#include "util/Dateiersatz.h"
#include "util/QuendaError.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace quenda::xmlkonfig {

namespace {

constexpr qint64 groessteDatei = 16 * 1024 * 1024;
constexpr int groessteTiefe = 64;

} // namespace

QString nichtLadbarMeldung() {
    return QStringLiteral("XML-Datei konnte nicht geladen werden");
}

std::optional<QList<Element>> elementeLesen(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw IoError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(pfad, datei.errorString()));
    }
    // The program's files are small and flat; a huge or deeply nested one is no file of ours and would
    // only cost memory and time.
    if (datei.size() > groessteDatei) {
        return std::nullopt;
    }
    // The whole document is checked before anything is returned: a file broken near its end must not
    // deliver the elements before the fault.
    QXmlStreamReader leser(&datei);
    QList<Element> elemente;
    int tiefe = 0;
    while (!leser.atEnd()) {
        leser.readNext();
        if (leser.isStartElement()) {
            if (++tiefe > groessteTiefe) {
                return std::nullopt;
            }
            if (tiefe >= 2) {
                elemente.append({leser.name().toString(), leser.attributes(), tiefe - 1});
            }
        } else if (leser.isEndElement()) {
            --tiefe;
        }
    }
    if (leser.hasError()) {
        return std::nullopt;
    }
    return elemente;
}

std::optional<QList<Element>> kinderLesen(const QString& pfad) {
    auto elemente = elementeLesen(pfad);
    if (elemente) {
        elemente->removeIf([](const Element& e) { return e.tiefe != 1; });
    }
    return elemente;
}

void schreiben(const QString& pfad, const QString& wurzel, const QList<Element>& kinder) {
    QByteArray inhalt;
    QXmlStreamWriter schreiber(&inhalt);
    schreiber.setAutoFormatting(true);
    schreiber.writeStartDocument();
    schreiber.writeStartElement(wurzel);
    for (const Element& kind : kinder) {
        schreiber.writeEmptyElement(kind.name);
        schreiber.writeAttributes(kind.attribute);
    }
    schreiber.writeEndElement();
    schreiber.writeEndDocument();
    if (schreiber.hasError()) {
        throw IoError(QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(pfad));
    }
    datei_ersetzen(pfad, inhalt);
}

} // namespace quenda::xmlkonfig
