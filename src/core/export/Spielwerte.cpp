#include "export/Spielwerte.h"

#include "db/Abfrage.h"
#include "db/Wert.h"
#include "util/QuendaError.h"

#include <QStringList>

namespace quenda {

qint64 gewinnsaetze(const Wert& gse, const Wert& optgse) {
    if (!gse.istNull()) {
        const qint64 eigene = gse.alsInt64();
        if (eigene > 0) {
            return eigene;
        }
    }
    return optgse.alsInt64();
}

QString satzliste(const Abfrage& zeile) {
    QStringList teile;
    for (int i = 1; i <= 7; ++i) {
        teile.append(zeile.feld(u's' + QString::number(i)).alsText());
    }
    return teile.join(u';');
}

int spielnummer(const QString& sp_id) {
    bool ok = false;
    const QString ende = sp_id.right(3);
    const int nummer = ende.toInt(&ok);
    if (!ok) {
        throw ConversionError(
            QStringLiteral("Die Spielnummer '%1' der Spiel-Id '%2' ist keine ganze Zahl.").arg(ende, sp_id));
    }
    return nummer;
}

} // namespace quenda
