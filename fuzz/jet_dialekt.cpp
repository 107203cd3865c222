// The Jet dialect bridge: the join flattening and the "+" rewrite on any statement text (a second pass
// changes nothing), then the rewritten text run as a query on a connection with mid(), cstr() and the text
// collation registered.
// The connection may only read: an authorizer refuses everything that would write or attach files.
#include "FuzzHilfen.h"
#include "db/JetDialekt.h"
#include "db/Schema.h"

#include <algorithm>
#include <sqlite3.h>

using namespace quenda;

namespace {

int nurLesen(void*, int aktion, const char*, const char*, const char*, const char*) {
    switch (aktion) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

int abbrechen(void* schritte) {
    return ++*static_cast<int*>(schritte) > 2000; // a statement that runs long is ended, not waited for
}

sqlite3* verbindung() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        jet::registrieren(d);
        const QByteArray ddl = QStringLiteral("CREATE TABLE t(name TEXT COLLATE %1, zahl INTEGER, wert REAL);"
                                              "INSERT INTO t VALUES('Süd', 1, 1.5), ('SÜD', -2, NULL), "
                                              "(NULL, NULL, 3e300), ('straße', 9223372036854775807, -0.0);")
                                   .arg(QString::fromLatin1(schema::kollation))
                                   .toUtf8();
        sqlite3_exec(d, ddl.constData(), nullptr, nullptr, nullptr);
        sqlite3_set_authorizer(d, nurLesen, nullptr);
        sqlite3_limit(d, SQLITE_LIMIT_LENGTH, 100000);
        return d;
    }();
    return db;
}

// The characters of a text apart from parentheses and white space, in order of their code.
QString zeichenOhneKlammern(const QString& text) {
    QString rest;
    for (QChar c : text) {
        if (c != u'(' && c != u')' && !c.isSpace()) {
            rest.append(c);
        }
    }
    std::sort(rest.begin(), rest.end());
    return rest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString jet = fuzz::text(daten, groesse);
    const QString sqlite = jet::nachSqlite(jet);
    fuzz::pruefen(jet::nachSqlite(sqlite) == sqlite, "a second rewrite changes nothing");
    fuzz::pruefen(jet::plusAlsVerkettung(jet).size() >= jet.size(), "nothing is dropped");
    fuzz::pruefen(zeichenOhneKlammern(jet::joinsAbflachen(jet)) == zeichenOhneKlammern(jet),
                  "flattening joins only moves text and drops parentheses and spaces");

    sqlite3* db = verbindung();
    int schritte = 0;
    sqlite3_progress_handler(db, 100, abbrechen, &schritte);
    const QByteArray sql = QByteArrayLiteral("SELECT ") + sqlite.toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &st, nullptr) == SQLITE_OK && st) {
        for (int zeilen = 0; zeilen < 100 && sqlite3_step(st) == SQLITE_ROW; ++zeilen) {
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                sqlite3_column_text16(st, i);
            }
        }
    }
    sqlite3_finalize(st);
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
    return 0;
}
