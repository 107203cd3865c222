#include "demo/JetAusSqlite.h"

#include "util/QuendaError.h"

#include <QFile>
#include <chrono>
#include <limits>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <thread>

namespace quenda::demo {

namespace {

constexpr int wartezeitMs = 10000;
constexpr int textZeichenBis = 255;

struct Schliessen {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, Schliessen>;

struct Freigeben {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};
using Abfrage = std::unique_ptr<sqlite3_stmt, Freigeben>;

[[noreturn]] void dbFehler(sqlite3* db, const QString& was) {
    throw QuendaError(QStringLiteral("%1: %2").arg(was, QString::fromUtf8(sqlite3_errmsg(db))));
}

// The whole file copied into memory in one go: a reader that took table after table could see a change
// of the simulator half.
Db kopieren(const QString& pfad) {
    sqlite3* roh = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(pfad).constData(), &roh, SQLITE_OPEN_READONLY, nullptr);
    Db quelle(roh);
    if (rc != SQLITE_OK) {
        dbFehler(roh, QStringLiteral("%1 lässt sich nicht öffnen").arg(pfad));
    }
    sqlite3_busy_timeout(quelle.get(), wartezeitMs);
    sqlite3_open(":memory:", &roh);
    Db kopie(roh);
    sqlite3_backup* sicherung = sqlite3_backup_init(kopie.get(), "main", quelle.get(), "main");
    if (!sicherung) {
        dbFehler(kopie.get(), QStringLiteral("%1 lässt sich nicht kopieren").arg(pfad));
    }
    int schritt = SQLITE_OK;
    const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(wartezeitMs);
    while ((schritt = sqlite3_backup_step(sicherung, -1)) == SQLITE_BUSY || schritt == SQLITE_LOCKED) {
        if (std::chrono::steady_clock::now() > ende) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    sqlite3_backup_finish(sicherung);
    if (schritt != SQLITE_DONE) {
        throw QuendaError(
            QStringLiteral("%1 lässt sich nicht kopieren: %2").arg(pfad, QString::fromUtf8(sqlite3_errstr(schritt))));
    }
    return kopie;
}

Abfrage vorbereiten(sqlite3* db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        dbFehler(db, sql);
    }
    return Abfrage(st);
}

QString spaltenText(sqlite3_stmt* st, int i) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
}

// A table as SQLite holds it: declared types and the rows by rowid.
struct Roh {
    QString name;
    QStringList spalten;
    QStringList typen;
    std::vector<qint64> rowids;
    std::vector<JetZeile> zeilen;
};

std::vector<Roh> lesen(const QString& pfad) {
    const Db db = kopieren(pfad);
    std::vector<Roh> tabellen;
    const Abfrage namen = vorbereiten(
        db.get(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
                                 "ORDER BY rowid"));
    while (sqlite3_step(namen.get()) == SQLITE_ROW) {
        Roh t;
        t.name = spaltenText(namen.get(), 0);
        const QString zitiert = u'"' + QString(t.name).replace(u'"', QStringLiteral("\"\"")) + u'"';
        const Abfrage info = vorbereiten(db.get(), QStringLiteral("PRAGMA table_info(%1)").arg(zitiert));
        while (sqlite3_step(info.get()) == SQLITE_ROW) {
            t.spalten.append(spaltenText(info.get(), 1));
            t.typen.append(spaltenText(info.get(), 2).toUpper());
        }
        const Abfrage zeilen =
            vorbereiten(db.get(), QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(zitiert));
        while (sqlite3_step(zeilen.get()) == SQLITE_ROW) {
            t.rowids.push_back(sqlite3_column_int64(zeilen.get(), 0));
            JetZeile zeile;
            for (int i = 1; i <= t.spalten.size(); ++i) {
                switch (sqlite3_column_type(zeilen.get(), i)) {
                case SQLITE_NULL:
                    zeile.emplace_back();
                    break;
                case SQLITE_INTEGER:
                    zeile.emplace_back(static_cast<qint64>(sqlite3_column_int64(zeilen.get(), i)));
                    break;
                case SQLITE_FLOAT:
                    zeile.emplace_back(sqlite3_column_double(zeilen.get(), i));
                    break;
                case SQLITE_TEXT:
                    zeile.emplace_back(spaltenText(zeilen.get(), i));
                    break;
                default:
                    throw QuendaError(QStringLiteral("Tabelle %1, Spalte %2: Binärdaten werden nicht übertragen")
                                          .arg(t.name, t.spalten.at(i - 1)));
                }
            }
            t.zeilen.push_back(std::move(zeile));
        }
        tabellen.push_back(std::move(t));
    }
    return tabellen;
}

bool passtInLong(const JetWert& wert) {
    if (const auto* zahl = std::get_if<qint64>(&wert)) {
        return *zahl >= std::numeric_limits<qint32>::min() && *zahl <= std::numeric_limits<qint32>::max();
    }
    return !std::holds_alternative<double>(wert);
}

bool langerText(const JetWert& wert) {
    const auto* text = std::get_if<QString>(&wert);
    return text && text->size() > textZeichenBis;
}

// The Access type of a column from its declared type and the values of every state that is written.
JetTyp typVon(const QString& name, const QString& deklariert, size_t spalte, const std::vector<const Roh*>& staende) {
    const auto irgendein = [&](bool (*pruefen)(const JetWert&)) {
        for (const Roh* roh : staende) {
            for (const JetZeile& zeile : roh->zeilen) {
                if (pruefen(zeile[spalte])) {
                    return true;
                }
            }
        }
        return false;
    };
    if (deklariert.contains(QStringLiteral("INT"))) {
        if (name.compare(QStringLiteral("anwesend"), Qt::CaseInsensitive) == 0) {
            return JetTyp::JaNein;
        }
        return irgendein([](const JetWert& w) { return !passtInLong(w); }) ? JetTyp::Double : JetTyp::LongInteger;
    }
    if (deklariert.contains(QStringLiteral("DATE")) || deklariert.contains(QStringLiteral("TIME"))) {
        return JetTyp::DatumZeit;
    }
    if (deklariert.contains(QStringLiteral("REAL")) || deklariert.contains(QStringLiteral("FLOA")) ||
        deklariert.contains(QStringLiteral("DOUB"))) {
        return JetTyp::Double;
    }
    return irgendein(langerText) ? JetTyp::Memo : JetTyp::Text;
}

// The earlier state as laid out, the later one as the edits since (rows matched by rowid).
JetBearbeitung bearbeitung(const Roh& vorher, const Roh& nachher) {
    JetBearbeitung b;
    std::map<qint64, size_t> neu;
    for (size_t i = 0; i < nachher.rowids.size(); ++i) {
        neu.emplace(nachher.rowids[i], i);
    }
    for (size_t i = 0; i < vorher.rowids.size(); ++i) {
        const auto it = neu.find(vorher.rowids[i]);
        if (it == neu.end()) {
            b.geloescht.push_back(i);
            continue;
        }
        if (nachher.zeilen[it->second] != vorher.zeilen[i]) {
            b.geaendert.emplace_back(i, nachher.zeilen[it->second]);
        }
        neu.erase(it);
    }
    for (const auto& [rowid, index] : neu) { // by rowid, as the later file holds them
        b.hinzugefuegt.push_back(nachher.zeilen[index]);
    }
    return b;
}

} // namespace

std::vector<JetTabelle> jetTabellenAusSqlite(const QString& pfad, const QString& seit) {
    const std::vector<Roh> jetzt = lesen(pfad);
    std::vector<Roh> frueher;
    if (!seit.isEmpty()) {
        frueher = lesen(seit);
    }
    std::vector<JetTabelle> tabellen;
    for (const Roh& roh : jetzt) {
        const Roh* basis = nullptr;
        for (const Roh& f : frueher) {
            basis = f.name == roh.name ? &f : basis;
        }
        if (basis && basis->spalten != roh.spalten) {
            throw QuendaError(QStringLiteral("Tabelle %1 hat in %2 andere Spalten").arg(roh.name, seit));
        }
        std::vector<const Roh*> staende{&roh};
        if (basis) {
            staende.push_back(basis);
        }
        JetTabelle t;
        t.name = roh.name;
        for (qsizetype i = 0; i < roh.spalten.size(); ++i) {
            t.spalten.push_back(
                {roh.spalten.at(i), typVon(roh.spalten.at(i), roh.typen.at(i), static_cast<size_t>(i), staende)});
        }
        if (basis) {
            t.zeilen = basis->zeilen;
            t.bearbeitung = bearbeitung(*basis, roh);
        } else {
            t.zeilen = roh.zeilen;
        }
        tabellen.push_back(std::move(t));
    }
    return tabellen;
}

} // namespace quenda::demo
