#pragma once

#include "support/Dateien.h"
#include "support/MeldungenMerken.h"
#include "support/QStringDruck.h"
#include "transfer/HttpSender.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QTemporaryDir>

namespace quenda::test {

inline QDateTime um(int stunde, int minute, int sekunde) {
    return QDateTime(QDate(2026, 12, 9), QTime(stunde, minute, sekunde), Qt::UTC);
}

// A working folder with the program clock frozen at 09:00:00, the event log in it and the memo lines
// collected (on the thread of this object, so lines of a cycle thread arrive queued).
class Arbeitsordner {
public:
    Arbeitsordner() {
        QDir().mkpath(tsdir);
        uhr.festsetzen(um(9, 0, 0));
        protokoll.setOrdner(tsdir);
        QObject::connect(&protokoll, &Ereignisprotokoll::memoZeile, &m_empfaenger,
                         [this](const QString& zeile) { memo.append(zeile); });
    }

    QString pfad(const QString& name) const { return QDir(tsdir).filePath(name); }
    // Today's event log, empty when nothing was logged.
    QStringList log() const {
        const QString datei = pfad(QStringLiteral("protokoll_") + uhr.jetzt().toString(QStringLiteral("yyyyMMdd")) +
                                   QStringLiteral(".pzk"));
        return QFile::exists(datei) ? textdatei::lesen(datei) : QStringList();
    }
    // The log prefix at the current program time.
    QString L() const { return zeitText(uhr.jetzt()); }

    QTemporaryDir dir;
    const QString tsdir = dir.filePath(QStringLiteral("qnda001demo"));
    Programmuhr uhr;
    Ereignisprotokoll protokoll{uhr};
    QStringList memo;

private:
    QObject m_empfaenger;
};

// Records the posts and answers as told.
class HttpMerken : public HttpSender {
public:
    struct Post {
        QString url;
        QString datei;
        QString servername;
        QByteArray inhalt; // what the local file held when it was posted
    };

    bool HTTP_POST(const QString& url, const QString& lokaleDatei, const QString& servername) override {
        QMutexLocker lock(&m_mutex);
        posts.append({url, lokaleDatei, servername, lesen(lokaleDatei)});
        return antwort;
    }

    bool antwort = true;
    QList<Post> posts;

private:
    QMutex m_mutex;
};

} // namespace quenda::test
