#include "export/Satz.h"

#include "util/QuendaError.h"

namespace quenda {

QString satz(const QString& wert) {
    if (wert.trimmed().isEmpty()) {
        return {};
    }
    if (wert == u"-0") {
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

} // namespace quenda
