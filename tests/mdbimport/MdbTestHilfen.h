#pragma once

#include "db/JetDialekt.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>
#include <vector>

// Shared by the .mdb tests: the public sample files, the Jet writer and reading a snapshot back.
namespace mdbtest {

inline QString probe(const char* name) {
    return QStringLiteral(QUENDA_SOURCE_DIR "/../shared/fixtures/mdb/") + QString::fromUtf8(name);
}

inline QString schreiberSkript() {
    return QStringLiteral(QUENDA_SOURCE_DIR "/../shared/tools/mdbwriter/mdbwriter.py");
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
                      << p.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return p.readAllStandardOutput();
}

// Converts a SQLite tournament into a Jet 4 file with the writer (date-time columns and "anwesend" as
// Access keeps them). The target is replaced atomically, as the tournament desk would see it.
inline bool mdbSchreiben(const QString& sqlite, const QString& mdb) {
    const QString teil = mdb + QStringLiteral(".neu");
    if (!laufen(QStringLiteral("python3"), {schreiberSkript(), QStringLiteral("from-sqlite"), sqlite, teil})) {
        return false;
    }
    return std::rename(QFile::encodeName(teil).constData(), QFile::encodeName(mdb).constData()) == 0;
}

// Writes tables given as Python literal text: [(name, [(column, type), ...], rows), ...].
inline bool mdbAusPython(const QString& mdb, const QString& tabellen) {
    const QString skript = QStringLiteral("import sys, datetime\nsys.path.insert(0, '%1')\nimport mdbwriter\n"
                                          "mdbwriter.write_mdb(sys.argv[1], %2)\n")
                               .arg(QStringLiteral(QUENDA_SOURCE_DIR "/../shared/tools/mdbwriter"), tabellen);
    return laufen(QStringLiteral("python3"), {QStringLiteral("-"), mdb}, skript.toUtf8()).has_value();
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
