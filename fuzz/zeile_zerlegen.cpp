// zeile_zerlegen on any text and separator, against a second reading of the rule built on QString::split:
// at most 100 parts, an empty field other than the last one is " ", the 100th part keeps the unsplit rest,
// and in each part only the first apostrophe becomes a backquote.
#include "FuzzHilfen.h"
#include "util/Routinen.h"

using namespace quenda;

namespace {

QString ersterHochkomma(QString teil) {
    const qsizetype pos = teil.indexOf(u'\'');
    if (pos >= 0) {
        teil[pos] = u'`';
    }
    return teil;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 1) {
        return 0;
    }
    const QChar trenner(static_cast<char16_t>(daten[0]));
    const QString eingabe = fuzz::text(daten + 1, groesse - 1);
    const QStringList teile = zeile_zerlegen(eingabe, trenner);

    const QStringList roh = eingabe.split(trenner, Qt::KeepEmptyParts);
    QStringList erwartet;
    for (qsizetype i = 0; i < roh.size(); ++i) {
        if (erwartet.size() == 99) {
            erwartet.append(ersterHochkomma(roh.mid(i).join(trenner)));
            break;
        }
        const bool letzter = i + 1 == roh.size();
        erwartet.append(ersterHochkomma(roh[i].isEmpty() && !letzter ? QStringLiteral(" ") : roh[i]));
    }
    fuzz::pruefen(teile.size() <= 100, "at most 100 parts");
    fuzz::pruefen(teile == erwartet, "parts follow the split rules");
    return 0;
}
