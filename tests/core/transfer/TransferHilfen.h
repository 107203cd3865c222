#pragma once

#include "transfer/HttpSender.h"
#include "util/Ereignisprotokoll.h"
#include "util/MeldungsAusgabe.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QTemporaryDir>
#include <ostream>

// Readable failure output for the Qt strings the tests compare and add to their messages.
inline std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << text.toStdString();
}
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text << '"';
}

namespace quenda::test {

inline QDateTime um(int stunde, int minute, int sekunde) {
    return QDateTime(QDate(2026, 12, 9), QTime(stunde, minute, sekunde), Qt::UTC);
}

// Every file in a folder, hidden ones too (a leftover temporary copy would show up here).
inline QStringList inhaltVon(const QString& ordner) {
    return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

inline QByteArray lesen(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

inline void schreiben(const QString& pfad, const QByteArray& inhalt) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size()) {
        throw IoError(QStringLiteral("Testdatei %1 nicht geschrieben").arg(pfad));
    }
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

struct MeldungenMerken : MeldungsAusgabe {
    void meldung(const QString& text) override {
        QMutexLocker lock(&m_mutex);
        texte.append(text);
    }
    QStringList texte;

private:
    QMutex m_mutex;
};

} // namespace quenda::test
