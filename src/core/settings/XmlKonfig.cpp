#include "settings/XmlKonfig.h"

#include "util/Dateiersatz.h"
#include "util/QuendaError.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace quenda::xmlkonfig {

QString nichtLadbarMeldung() {
    return QStringLiteral("XML-Datei konnte nicht geladen werden");
}

namespace {

constexpr qint64 groessteDatei = 16 * 1024 * 1024;
constexpr int groessteTiefe = 64;

// Walks the whole document (so that a file broken near its end gives nothing) and collects the root's
// attributes and every element below it.
bool lesen(const QString& pfad, QXmlStreamAttributes* wurzel, QList<Element>* elemente) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw IoError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(pfad, datei.errorString()));
    }
    // The program's files are small and flat; a huge or deeply nested one is no file of ours and would
    // only cost memory and time.
    if (datei.size() > groessteDatei) {
        return false;
    }
    QXmlStreamReader leser(&datei);
    int tiefe = 0;
    while (!leser.atEnd()) {
        leser.readNext();
        if (leser.isStartElement()) {
            if (++tiefe > groessteTiefe) {
                return false;
            }
            if (tiefe == 1 && wurzel) {
                *wurzel = leser.attributes();
            } else if (tiefe >= 2 && elemente) {
                elemente->append({leser.name().toString(), leser.attributes(), tiefe - 1});
            }
        } else if (leser.isEndElement()) {
            --tiefe;
        }
    }
    return !leser.hasError();
}

} // namespace

std::optional<QList<Element>> elementeLesen(const QString& pfad) {
    QList<Element> elemente;
    return lesen(pfad, nullptr, &elemente) ? std::optional(elemente) : std::nullopt;
}

std::optional<QXmlStreamAttributes> wurzelAttributeLesen(const QString& pfad) {
    QXmlStreamAttributes wurzel;
    return lesen(pfad, &wurzel, nullptr) ? std::optional(wurzel) : std::nullopt;
}

std::optional<QList<Element>> kinderLesen(const QString& pfad) {
    auto elemente = elementeLesen(pfad);
    if (elemente) {
        elemente->removeIf([](const Element& e) { return e.tiefe != 1; });
    }
    return elemente;
}

void schreiben(const QString& pfad, const QString& wurzel, const QList<Element>& kinder,
               const QXmlStreamAttributes& wurzelAttribute) {
    QByteArray inhalt;
    QXmlStreamWriter schreiber(&inhalt);
    schreiber.setAutoFormatting(true);
    schreiber.writeStartDocument();
    schreiber.writeStartElement(wurzel);
    schreiber.writeAttributes(wurzelAttribute);
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
