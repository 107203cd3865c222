#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <initializer_list>
#include <optional>
#include <span>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quenda::demo {

// A value as SQLite stores it in the tournament schema: NULL, a whole number or a text.
using DbWert = std::variant<std::monostate, qint64, QString>;
using Zeile = std::vector<DbWert>;

inline const DbWert kein{};

inline bool istNull(const DbWert& wert) {
    return std::holds_alternative<std::monostate>(wert);
}
// Whole number of a value; NULL gives ersatz, a text its number (0 when it is none).
qint64 zahl(const DbWert& wert, qint64 ersatz = 0);
// Text of a value; NULL gives "".
QString text(const DbWert& wert);

template <class T>
DbWert oderNull(const std::optional<T>& wert) {
    return wert ? DbWert(*wert) : kein;
}

struct Feld {
    const char* spalte;
    DbWert wert;
};

// Native SQLite access for the demo tools, on a connection opened elsewhere: statements with bound
// parameters ("?"), prepared once and kept. Owned by the thread of the connection. Throws DatabaseError.
class Sql {
public:
    explicit Sql(sqlite3* db);
    ~Sql();
    Sql(const Sql&) = delete;
    Sql& operator=(const Sql&) = delete;

    void ausfuehren(const char* sql, std::initializer_list<DbWert> parameter = {});
    std::vector<Zeile> abfragen(const char* sql, std::initializer_list<DbWert> parameter = {});
    // First column of the first row; ersatz when there is no row or the value is NULL.
    qint64 zahl(const char* sql, std::initializer_list<DbWert> parameter = {}, qint64 ersatz = 0);
    // INSERT INTO tabelle with the given columns, in the given order.
    void einfuegen(const char* tabelle, std::initializer_list<Feld> felder);
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int geaendert() const;

    sqlite3* handle() const { return m_db; }

private:
    sqlite3_stmt* vorbereitet(const QByteArray& sql);
    void binden(sqlite3_stmt* stmt, const QByteArray& sql, std::span<const DbWert> parameter);
    [[noreturn]] void fehler(const QByteArray& sql) const;

    sqlite3* m_db;
    QHash<QByteArray, sqlite3_stmt*> m_statements;
};

} // namespace quenda::demo
