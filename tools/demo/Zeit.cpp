#include "demo/Zeit.h"

#include <QRegularExpression>

namespace quenda::demo {

QDateTime standardJetzt() {
    return QDateTime(QDate(2026, 12, 9), QTime(9, 0, 0), Qt::UTC);
}

std::optional<QDateTime> zeitLesen(const QString& text) {
    static const QRegularExpression muster(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2}) (\\d{2}):(\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch treffer = muster.match(text);
    if (!treffer.hasMatch()) {
        return std::nullopt;
    }
    const QDate datum(treffer.captured(1).toInt(), treffer.captured(2).toInt(), treffer.captured(3).toInt());
    const QTime uhrzeit(treffer.captured(4).toInt(), treffer.captured(5).toInt(), treffer.captured(6).toInt());
    if (!datum.isValid() || !uhrzeit.isValid()) {
        return std::nullopt;
    }
    return QDateTime(datum, uhrzeit, Qt::UTC);
}

QString zeitText(const QDateTime& zeit) {
    return zeit.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime ortszeitJetzt() {
    const QDateTime jetzt = QDateTime::currentDateTime();
    return QDateTime(jetzt.date(), QTime(jetzt.time().hour(), jetzt.time().minute(), jetzt.time().second()), Qt::UTC);
}

} // namespace quenda::demo
