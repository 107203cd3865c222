#include "db/JetDatum.h"

#include <QDate>
#include <cmath>

namespace quenda::jet {

namespace {

// Jet stores 1.1.100 to 31.12.9999; a little room beyond that still gives a readable text.
constexpr double grenzeTage = 4.0e6;
constexpr qint64 sekundenProTag = 86400;

} // namespace

std::optional<QString> datumText(double tage) {
    if (!std::isfinite(tage) || std::fabs(tage) > grenzeTage) {
        return std::nullopt;
    }
    const double ganz = std::trunc(tage);
    qint64 sekunden = std::llround(std::fabs(tage - ganz) * sekundenProTag);
    QDate datum = QDate(1899, 12, 30).addDays(static_cast<qint64>(ganz));
    if (sekunden >= sekundenProTag) { // rounded up to midnight: the next calendar day
        datum = datum.addDays(1);
        sekunden -= sekundenProTag;
    }
    const QChar null(u'0');
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(datum.year(), 4, 10, null)
        .arg(datum.month(), 2, 10, null)
        .arg(datum.day(), 2, 10, null)
        .arg(sekunden / 3600, 2, 10, null)
        .arg(sekunden / 60 % 60, 2, 10, null)
        .arg(sekunden % 60, 2, 10, null);
}

} // namespace quenda::jet
