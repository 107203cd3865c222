#include "demo/Sql.h"

#include "util/QuendaError.h"

#include <sqlite3.h>

namespace quenda::demo {

qint64 zahl(const DbWert& wert, qint64 ersatz) {
    if (const auto* z = std::get_if<qint64>(&wert)) {
        return *z;
    }
    if (const auto* t = std::get_if<QString>(&wert)) {
        return t->toLongLong();
    }
    return ersatz;
}

QString text(const DbWert& wert) {
    if (const auto* z = std::get_if<qint64>(&wert)) {
        return QString::number(*z);
    }
    if (const auto* t = std::get_if<QString>(&wert)) {
        return *t;
    }
    return {};
}

Sql::Sql(sqlite3* db) : m_db(db) {}

Sql::~Sql() {
    for (sqlite3_stmt* stmt : std::as_const(m_statements)) {
        sqlite3_finalize(stmt);
    }
}

void Sql::fehler(const QByteArray& sql) const {
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)) + QStringLiteral("\nStatement: ") +
                        QString::fromUtf8(sql));
}

sqlite3_stmt* Sql::vorbereitet(const QByteArray& sql) {
    auto it = m_statements.constFind(sql);
    if (it != m_statements.constEnd()) {
        return it.value();
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), static_cast<int>(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        fehler(sql);
    }
    m_statements.insert(sql, stmt);
    return stmt;
}

void Sql::binden(sqlite3_stmt* stmt, const QByteArray& sql, std::span<const DbWert> parameter) {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    int index = 1;
    for (const DbWert& wert : parameter) {
        int rc = SQLITE_OK;
        if (const auto* z = std::get_if<qint64>(&wert)) {
            rc = sqlite3_bind_int64(stmt, index, *z);
        } else if (const auto* t = std::get_if<QString>(&wert)) {
            const QByteArray utf8 = t->toUtf8();
            rc = sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_null(stmt, index);
        }
        if (rc != SQLITE_OK) {
            fehler(sql);
        }
        ++index;
    }
}

void Sql::ausfuehren(const char* sql, std::initializer_list<DbWert> parameter) {
    const QByteArray text(sql);
    sqlite3_stmt* stmt = vorbereitet(text);
    binden(stmt, text, {parameter.begin(), parameter.size()});
    int rc = sqlite3_step(stmt);
    while (rc == SQLITE_ROW) {
        rc = sqlite3_step(stmt);
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        fehler(text);
    }
}

std::vector<Zeile> Sql::abfragen(const char* sql, std::initializer_list<DbWert> parameter) {
    const QByteArray text(sql);
    sqlite3_stmt* stmt = vorbereitet(text);
    binden(stmt, text, {parameter.begin(), parameter.size()});
    std::vector<Zeile> zeilen;
    const int spalten = sqlite3_column_count(stmt);
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Zeile zeile;
        zeile.reserve(static_cast<std::size_t>(spalten));
        for (int i = 0; i < spalten; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_NULL:
                zeile.emplace_back(kein);
                break;
            case SQLITE_INTEGER:
            case SQLITE_FLOAT:
                zeile.emplace_back(static_cast<qint64>(sqlite3_column_int64(stmt, i)));
                break;
            default:
                zeile.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                                     sqlite3_column_bytes(stmt, i)));
                break;
            }
        }
        zeilen.push_back(std::move(zeile));
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        fehler(text);
    }
    return zeilen;
}

qint64 Sql::zahl(const char* sql, std::initializer_list<DbWert> parameter, qint64 ersatz) {
    const std::vector<Zeile> zeilen = abfragen(sql, parameter);
    if (zeilen.empty() || zeilen.front().empty()) {
        return ersatz;
    }
    return demo::zahl(zeilen.front().front(), ersatz);
}

void Sql::einfuegen(const char* tabelle, std::initializer_list<Feld> felder) {
    // The statement text is built from the column names, so each distinct column list is prepared once.
    QByteArray sql = QByteArray("INSERT INTO ") + tabelle + " (";
    QByteArray platzhalter;
    bool erstes = true;
    for (const Feld& feld : felder) {
        if (!erstes) {
            sql += ", ";
            platzhalter += ", ";
        }
        sql += feld.spalte;
        platzhalter += '?';
        erstes = false;
    }
    sql += ") VALUES (" + platzhalter + ')';
    std::vector<DbWert> werte;
    werte.reserve(felder.size());
    for (const Feld& feld : felder) {
        werte.push_back(feld.wert);
    }
    sqlite3_stmt* stmt = vorbereitet(sql);
    binden(stmt, sql, werte);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        fehler(sql);
    }
}

int Sql::geaendert() const {
    return sqlite3_changes(m_db);
}

} // namespace quenda::demo
