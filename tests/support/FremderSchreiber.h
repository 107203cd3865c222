#pragma once

#include <QFile>
#include <QString>
#include <sqlite3.h>

namespace quenda::test {

// The tournament program on the same SQLite file: its own plain connection, each statement tried once
// without waiting for readers, so a test sees SQLITE_BUSY while a reader holds the file.
class FremderSchreiber {
public:
    explicit FremderSchreiber(const QString& pfad) {
        sqlite3_open_v2(QFile::encodeName(pfad).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~FremderSchreiber() { sqlite3_close(m_db); }
    FremderSchreiber(const FremderSchreiber&) = delete;
    FremderSchreiber& operator=(const FremderSchreiber&) = delete;

    // SQLite's result code of the statement.
    int ausfuehren(const QString& sql) {
        return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    // The first column of the first row, empty when there is none.
    QString text(const QString& sql) {
        sqlite3_stmt* st = nullptr;
        QString ergebnis;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            ergebnis = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        }
        sqlite3_finalize(st);
        return ergebnis;
    }

private:
    sqlite3* m_db = nullptr;
};

} // namespace quenda::test
