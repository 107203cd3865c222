#include "util/Ereignisprotokoll.h"

#include "util/Dateiersatz.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QMutexLocker>

namespace quenda {

Ereignisprotokoll::Ereignisprotokoll(Programmuhr& uhr, QObject* parent) : QObject(parent), m_uhr(uhr) {}

void Ereignisprotokoll::setOrdner(const QString& tsdir) {
    QMutexLocker lock(&m_mutex);
    m_ordner = tsdir;
}

QString Ereignisprotokoll::ordner() const {
    QMutexLocker lock(&m_mutex);
    return m_ordner;
}

void Ereignisprotokoll::protokoll(const QString& zeile) {
    QByteArray bytes = textdatei::zuAnsi(einzeilig(zeile));
    bytes.append("\r\n", 2);
    QMutexLocker lock(&m_mutex);
    const QString name =
        QStringLiteral("protokoll_") + m_uhr.jetzt().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".pzk");
    QFile datei(QDir(m_ordner).filePath(name));
    if (!m_ordner.isEmpty()) {
        linkEntfernen(datei.fileName()); // a link must not make the log append to a file elsewhere
    }
    if (m_ordner.isEmpty() || !datei.open(QIODevice::WriteOnly | QIODevice::Append)) {
        throw IoError(QStringLiteral("Das Protokoll %1 kann nicht geöffnet werden: %2")
                          .arg(datei.fileName(), datei.errorString()));
    }
    const bool ok = datei.write(bytes) == bytes.size() && datei.flush();
    datei.close();
    if (!ok) {
        throw IoError(QStringLiteral("Das Protokoll %1 kann nicht geschrieben werden: %2")
                          .arg(datei.fileName(), datei.errorString()));
    }
}

void Ereignisprotokoll::memo(const QString& zeile) {
    Q_EMIT memoZeile(einzeilig(zeile));
}

void Ereignisprotokoll::memoUndProtokoll(const QString& zeile) {
    memo(zeile);
    protokoll(zeile);
}

QString Ereignisprotokoll::mitZeit(const QString& text) const {
    return zeitText(m_uhr.jetzt()) + u' ' + text;
}

} // namespace quenda
