#include "util/Programmuhr.h"

namespace quenda {

QDateTime Programmuhr::jetzt() const {
    if (m_fest.load()) {
        return QDateTime::fromMSecsSinceEpoch(m_festMs.load(), Qt::UTC);
    }
    const QDateTime lokal = QDateTime::currentDateTime();
    return QDateTime(lokal.date(), lokal.time(), Qt::UTC);
}

void Programmuhr::festsetzen(const QDateTime& zeit) {
    const QDateTime wand(zeit.date(), zeit.time(), Qt::UTC);
    m_festMs.store(wand.toMSecsSinceEpoch());
    m_fest.store(true);
}

void Programmuhr::vorstellen(qint64 sekunden) {
    m_festMs.fetch_add(sekunden * 1000);
}

Programmuhr& programmuhr() {
    static Programmuhr uhr;
    return uhr;
}

QString zeitText(const QDateTime& zeit) {
    return zeit.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString zeitstempel14(const QDateTime& zeit) {
    return zeit.toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString zeitAnzeige(const QDateTime& zeit) {
    return zeit.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

} // namespace quenda
