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
Ergebnis<void> lesen(const QString& pfad, QXmlStreamAttributes* wurzel, QList<Element>* elemente) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        return Fehlschlag{QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(pfad, datei.errorString())};
    }
    // The program's files are small and flat; a huge or deeply nested one is no file of ours and would
    // only cost memory and time.
    if (datei.size() > groessteDatei) {
        return Fehlschlag{nichtLadbarMeldung()};
    }
    QXmlStreamReader leser(&datei);
    int tiefe = 0;
    while (!leser.atEnd()) {
        leser.readNext();
        if (leser.isStartElement()) {
            if (++tiefe > groessteTiefe) {
                return Fehlschlag{nichtLadbarMeldung()};
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
    if (leser.hasError()) {
        return Fehlschlag{nichtLadbarMeldung()};
    }
    return {};
}

} // namespace

Ergebnis<QList<Element>> elementeLesen(const QString& pfad) {
    QList<Element> elemente;
    if (Ergebnis<void> gelesen = lesen(pfad, nullptr, &elemente); !gelesen.ok()) {
        return Fehlschlag{gelesen.fehler()};
    }
    return elemente;
}

Ergebnis<QXmlStreamAttributes> wurzelAttributeLesen(const QString& pfad) {
    QXmlStreamAttributes wurzel;
    if (Ergebnis<void> gelesen = lesen(pfad, &wurzel, nullptr); !gelesen.ok()) {
        return Fehlschlag{gelesen.fehler()};
    }
    return wurzel;
}

Ergebnis<QList<Element>> kinderLesen(const QString& pfad) {
    Ergebnis<QList<Element>> elemente = elementeLesen(pfad);
    if (elemente.ok()) {
        elemente.wert().removeIf([](const Element& e) { return e.tiefe != 1; });
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
