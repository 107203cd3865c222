#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace quenda {

// One column value of a result row, read as the program's callers read variants.
class Wert {
public:
    Wert(QVariant roh, QString spalte, bool datumZeit);

    bool istNull() const { return m_roh.isNull(); }
    const QVariant& roh() const { return m_roh; }

    // Whole number; NULL or a text that is no number is a ConversionError naming the column.
    qint64 alsInt64() const;
    int alsInt() const;
    // Text form: NULL gives "", numbers in decimal, texts as stored but on one line and with "|" as "¦"
    // (see feldtext); a date-time column as
    // "dd.mm.yyyy hh:nn:ss" ("hh:nn:ss" for a time alone, "dd.mm.yyyy" at midnight).
    QString alsText() const;
    // A date-time value (stored as "yyyy-mm-dd hh:nn:ss"); ConversionError when NULL or malformed.
    QDateTime alsDatumZeit() const;

private:
    QVariant m_roh;
    QString m_spalte;
    bool m_datumZeit;
};

} // namespace quenda
