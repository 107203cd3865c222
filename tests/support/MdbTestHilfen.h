#pragma once

#include "db/JetDialekt.h"
#include "demo/JetAusSqlite.h"
#include "demo/JetSchreiber.h"
#include "util/QuendaError.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>
#include <utility>
#include <vector>

// Shared by the .mdb tests: the public sample files, the Jet writer and reading a snapshot back.
namespace mdbtest {

// A sample file of tests/data/mdb; a test fails (it does not skip) when the file is missing.
inline QString probe(const char* name) {
    const QString pfad = QStringLiteral(QUENDA_TEST_DATA "/mdb/") + QString::fromUtf8(name);
    EXPECT_TRUE(QFile::exists(pfad)) << "sample file missing: " << pfad.toStdString();
    return pfad;
}

// Runs a program; its stdout, or nothing (with a test failure) when it did not end with status 0.
inline std::optional<QByteArray> laufen(const QString& programm, const QStringList& argumente,
                                        const QByteArray& eingabe = {}) {
    QProcess p;
    p.start(programm, argumente);
    p.write(eingabe);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << programm.toStdString() << ' ' << argumente.join(u' ').toStdString() << ": "
                      << p.errorString().toStdString() << ' ' << p.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return p.readAllStandardOutput();
}

// Writes tables with the project's Jet writer; the target is replaced atomically, as the tournament desk
// would leave it.
inline bool mdbAusTabellen(const QString& mdb, std::vector<quenda::demo::JetTabelle> tabellen) {
    try {
        quenda::demo::JetSchreiber schreiber;
        for (quenda::demo::JetTabelle& tabelle : tabellen) {
            schreiber.hinzufuegen(std::move(tabelle));
        }
        schreiber.schreiben(mdb);
        return true;
    } catch (const quenda::QuendaError& fehler) {
        ADD_FAILURE() << fehler.message().toStdString();
        return false;
    }
}

// Converts a SQLite tournament into a Jet 4 file (date-time columns and "anwesend" as Access keeps them);
// with seit, the file holds that earlier state and the changes since as a day of edits leaves them.
inline bool mdbSchreiben(const QString& sqlite, const QString& mdb, const QString& seit = {}) {
    try {
        return mdbAusTabellen(mdb, quenda::demo::jetTabellenAusSqlite(sqlite, seit));
    } catch (const quenda::QuendaError& fehler) {
        ADD_FAILURE() << fehler.message().toStdString();
        return false;
    }
}

// mdb-export's CSV: "," between fields, '"' around texts with "" inside, a line feed after each row
// (texts keep their own line breaks).
inline std::vector<QStringList> csvLesen(const QString& text) {
    std::vector<QStringList> zeilen;
    QStringList zeile;
    QString feld;
    bool inText = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inText) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                feld.append(c);
                ++i;
            } else if (c == u'"') {
                inText = false;
            } else {
                feld.append(c);
            }
        } else if (c == u'"') {
            inText = true;
        } else if (c == u',') {
            zeile.append(std::exchange(feld, QString()));
        } else if (c == u'\n') {
            zeile.append(std::exchange(feld, QString()));
            zeilen.push_back(std::exchange(zeile, QStringList()));
        } else {
            feld.append(c);
        }
    }
    return zeilen;
}

// One cell of a snapshot: NULL stays an invalid QVariant, text a QString, numbers qint64/double, blobs bytes.
using Zeilen = std::vector<std::vector<QVariant>>;

struct Tabelle {
    QStringList spalten;
    QStringList typen; // declared types
    Zeilen zeilen;
};

inline Tabelle tabelleLesen(const QString& datei, const QString& name) {
    Tabelle t;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(datei).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << datei.toStdString();
        sqlite3_close(db);
        return t;
    }
    quenda::jet::registrieren(db);
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(name).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db);
        sqlite3_close(db);
        return t;
    }
    for (int i = 0; i < sqlite3_column_count(st); ++i) {
        t.spalten.append(QString::fromUtf8(sqlite3_column_name(st, i)));
        t.typen.append(QString::fromUtf8(sqlite3_column_decltype(st, i)));
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<QVariant> zeile;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_NULL:
                zeile.emplace_back();
                break;
            case SQLITE_INTEGER:
                zeile.emplace_back(static_cast<qint64>(sqlite3_column_int64(st, i)));
                break;
            case SQLITE_FLOAT:
                zeile.emplace_back(sqlite3_column_double(st, i));
                break;
            case SQLITE_BLOB:
                zeile.emplace_back(
                    QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i)));
                break;
            default:
                zeile.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
                break;
            }
        }
        t.zeilen.push_back(std::move(zeile));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return t;
}

} // namespace mdbtest
