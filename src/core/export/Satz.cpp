#include "export/Satz.h"

#include "util/QuendaError.h"

#include <QStringList>
#include <algorithm>

namespace quenda {

QString satz(const QString& wert) {
    if (wert.trimmed().isEmpty()) {
        return {};
    }
    if (wert.trimmed() == u"-0") {
        return QStringLiteral("0:11");
    }
    bool ok = false;
    const int v = wert.trimmed().toInt(&ok);
    if (!ok) {
        throw ConversionError(QStringLiteral("Das Satzergebnis '%1' ist keine ganze Zahl.").arg(wert));
    }
    const qint64 a = v < 0 ? -qint64(v) : qint64(v);
    const qint64 b = a >= 10 ? a + 2 : 11;
    return v >= 0 ? QString::number(b) + u':' + QString::number(a) : QString::number(a) + u':' + QString::number(b);
}

Baelle satzbaelle(const std::array<QString, 7>& saetze) {
    Baelle summe;
    for (const QString& wert : saetze) {
        const QString ergebnis = satz(wert);
        const qsizetype doppelpunkt = ergebnis.indexOf(u':');
        if (doppelpunkt >= 0) {
            summe.erster += ergebnis.left(doppelpunkt).toLongLong();
            summe.zweiter += ergebnis.mid(doppelpunkt + 1).toLongLong();
        }
    }
    return summe;
}

QString satzausgabe(qint64 sg, qint64 sv, const std::array<QString, 7>& saetze) {
    QStringList gespielt;
    const qint64 anzahl = std::clamp<qint64>(sg + sv, 0, qint64(saetze.size()));
    for (qint64 i = 0; i < anzahl; ++i) {
        const QString ergebnis = satz(saetze[std::size_t(i)]);
        if (!ergebnis.isEmpty()) {
            gespielt.append(ergebnis);
        }
    }
    return gespielt.isEmpty() ? QString() : u'[' + gespielt.join(u';') + u']';
}

} // namespace quenda
