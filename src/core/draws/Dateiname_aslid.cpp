#include "draws/Dateiname_aslid.h"

#include "util/QuendaError.h"

namespace quenda {

namespace {

struct Praefix {
    QStringView text;
    int kind;
};

// In this order; a later match overrides an earlier one.
constexpr Praefix praefixe[] = {
    {u"starter", 1}, {u"tabelle", 1}, {u"spiele", 1}, {u"teilnehmer", 2}, {u"tabspiele", 1},
};

// The id after "prefix_". Ids are written with at least four digits; a longer id is written whole, so
// the whole run of digits is read (four digits alone would give draw 12345 the files of draw 1234).
int idLesen(const QString& dateiname, qsizetype start) {
    qsizetype ende = start;
    while (ende < dateiname.size() && dateiname.at(ende).isDigit() && dateiname.at(ende).unicode() < 128) {
        ++ende;
    }
    bool ok = false;
    const int wert = QStringView(dateiname).mid(start, ende - start).toInt(&ok);
    if (ende - start < 4 || !ok) {
        throw ConversionError(QStringLiteral("Der Dateiname '%1' enthält an Stelle %2 keine Nummer.")
                                  .arg(dateiname, QString::number(start + 1)));
    }
    return wert;
}

} // namespace

int Dateiname_aslid(const QString& dateiname, int& kind) {
    int ergebnis = keinDatenfile;
    for (const Praefix& p : praefixe) {
        if (dateiname.startsWith(p.text, Qt::CaseSensitive)) {
            ergebnis = idLesen(dateiname, p.text.size() + 1);
            kind = p.kind;
        }
    }
    return ergebnis;
}

} // namespace quenda
