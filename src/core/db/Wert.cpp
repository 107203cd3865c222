#include "db/Wert.h"

#include "db/JetDialekt.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <cmath>

namespace quenda {

Wert::Wert(QVariant roh, QString spalte, bool datumZeit)
    : m_roh(std::move(roh)), m_spalte(std::move(spalte)), m_datumZeit(datumZeit) {}

qint64 Wert::alsInt64() const {
    const auto fehler = [this](const QString& wert) {
        return ConversionError(QStringLiteral("Der Wert %1 der Spalte '%2' ist keine ganze Zahl.").arg(wert, m_spalte));
    };
    switch (m_roh.typeId()) {
    case QMetaType::LongLong:
        return m_roh.toLongLong();
    case QMetaType::Double: {
        const double d = m_roh.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.0e18) {
            throw fehler(m_roh.toString());
        }
        return static_cast<qint64>(std::nearbyint(d)); // variants round half to even
    }
    case QMetaType::QString: {
        bool ok = false;
        const qint64 wert = m_roh.toString().trimmed().toLongLong(&ok);
        if (!ok) {
            throw fehler(QLatin1Char('\'') + m_roh.toString() + QLatin1Char('\''));
        }
        return wert;
    }
    default:
        throw fehler(m_roh.isNull() ? QStringLiteral("NULL") : m_roh.toString());
    }
}

int Wert::alsInt() const {
    const qint64 wert = alsInt64();
    if (wert < std::numeric_limits<int>::min() || wert > std::numeric_limits<int>::max()) {
        throw ConversionError(
            QStringLiteral("Der Wert %1 der Spalte '%2' ist zu groß.").arg(QString::number(wert), m_spalte));
    }
    return static_cast<int>(wert);
}

QString Wert::alsText() const {
    switch (m_roh.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::LongLong:
        return QString::number(m_roh.toLongLong());
    case QMetaType::Double:
        return jet::zahlText(m_roh.toDouble());
    default:
        break;
    }
    // Database texts end up as fields of data files, draw lists and log lines: one line, no separator.
    const QString text = feldtext(m_roh.toString());
    if (!m_datumZeit) {
        return text;
    }
    QDateTime zeit;
    try {
        zeit = datumzeit_lesen(text);
    } catch (const ConversionError&) {
        return text; // not in the stored form: written as it is
    }
    if (zeit.date() == QDate(1899, 12, 30) && zeit.time() != QTime(0, 0)) {
        return zeit.toString(QStringLiteral("HH:mm:ss"));
    }
    if (zeit.time() == QTime(0, 0)) {
        return zeit.toString(QStringLiteral("dd.MM.yyyy"));
    }
    return zeit.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QDateTime Wert::alsDatumZeit() const {
    if (m_roh.isNull()) {
        throw ConversionError(QStringLiteral("Die Spalte '%1' enthält keinen Zeitpunkt (NULL).").arg(m_spalte));
    }
    return datumzeit_lesen(m_roh.toString());
}

} // namespace quenda
