// The set result formatting on any stored value: either a conversion error or "a:b" where the winner has
// 11 points or two more than the loser; the game's set list and point sums never fail otherwise.
#include "export/Satz.h"
#include "FuzzHilfen.h"
#include "util/QuendaError.h"

using namespace quenda;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString eingabe = fuzz::text(daten, groesse);
    try {
        const QString ergebnis = satz(eingabe);
        if (!ergebnis.isEmpty()) {
            const QStringList punkte = ergebnis.split(u':');
            fuzz::pruefen(punkte.size() == 2, "one colon");
            bool ok1 = false;
            bool ok2 = false;
            const qint64 a = punkte[0].toLongLong(&ok1);
            const qint64 b = punkte[1].toLongLong(&ok2);
            fuzz::pruefen(ok1 && ok2 && a >= 0 && b >= 0, "two non-negative numbers");
            const qint64 sieger = std::max(a, b);
            const qint64 verlierer = std::min(a, b);
            fuzz::pruefen(sieger == 11 ? verlierer <= 9 : sieger == verlierer + 2, "a winner by the rules");
        }
    } catch (const ConversionError&) {
    }
    // Seven set values separated by NUL bytes, with the counts from the first bytes.
    std::array<QString, 7> saetze;
    const QList<QByteArray> felder = fuzz::bytes(daten, groesse).split('\0');
    for (size_t i = 0; i < saetze.size() && i < size_t(felder.size()); ++i) {
        saetze[i] = QString::fromUtf8(felder[qsizetype(i)]);
    }
    const qint64 sg = groesse > 0 ? qint64(int8_t(daten[0])) : 0;
    const qint64 sv = groesse > 1 ? qint64(int8_t(daten[1])) : 0;
    try {
        const QString liste = satzausgabe(sg, sv, saetze);
        fuzz::pruefen(liste.isEmpty() || (liste.startsWith(u'[') && liste.endsWith(u']')), "a bracketed list");
        satzbaelle(saetze);
    } catch (const ConversionError&) {
    }
    return 0;
}
