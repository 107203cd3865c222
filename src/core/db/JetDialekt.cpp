#include "db/JetDialekt.h"

#include "db/Schema.h"

#include <QCollator>
#include <QLocale>
#include <charconv>
#include <cmath>
#include <iterator>
#include <sqlite3.h>

namespace quenda::jet {

QString nachSqlite(const QString& jetText) {
    return plusAlsVerkettung(joinsAbflachen(jetText));
}

QString plusAlsVerkettung(const QString& jetText) {
    QString ergebnis;
    ergebnis.reserve(jetText.size() + 16);
    QChar ende; // closing character of the quoted section we are in, null outside
    for (QChar c : jetText) {
        if (!ende.isNull()) {
            if (c == ende) {
                ende = QChar();
            }
            ergebnis.append(c);
            continue;
        }
        if (c == u'\'' || c == u'"') {
            ende = c;
        } else if (c == u'[') {
            ende = u']';
        } else if (c == u'+') {
            ergebnis.append(QStringLiteral("||"));
            continue;
        }
        ergebnis.append(c);
    }
    return ergebnis;
}

namespace {

bool istZiffer(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool istWortzeichen(char16_t c) {
    return QChar(c).isLetterOrNumber() || c == u'_';
}

} // namespace

Parametrisiert zahlenAlsParameter(const QString& jetText) {
    // Runs once per statement: copies the text in pieces between the numbers, not character by character.
    Parametrisiert ergebnis;
    const char16_t* const t = reinterpret_cast<const char16_t*>(jetText.utf16());
    const qsizetype n = jetText.size();
    qsizetype kopiert = 0; // jetText[0, kopiert) is in ergebnis.text
    char16_t ende = 0;     // closing character of the quoted section we are in, 0 outside
    char16_t vorher = 0;   // the last character outside quotes that is no blank
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = t[i];
        if (ende != 0) {
            if (c == ende) {
                ende = 0;
            }
            ++i;
            continue;
        }
        if (c == u'\'' || c == u'"') {
            ende = c;
        } else if (c == u'[') {
            ende = u']';
        }
        if (istZiffer(c) && (vorher == u'=' || vorher == u'<' || vorher == u'>')) {
            qsizetype j = i;
            while (j < n && istZiffer(t[j])) {
                ++j;
            }
            // A decimal, an exponent or a name that starts with digits stays text; so does a number beyond
            // 64 bits, which SQLite reads as a real.
            const bool ganz = j == n || (!istWortzeichen(t[j]) && t[j] != u'.');
            if (ganz && j - i <= 18) {
                if (ergebnis.text.isEmpty()) {
                    ergebnis.text.reserve(n);
                }
                ergebnis.text.append(QStringView(t + kopiert, i - kopiert));
                ergebnis.text.append(u'?');
                ergebnis.werte.push_back(QStringView(t + i, j - i).toLongLong());
                kopiert = j;
                vorher = u'?';
            } else {
                vorher = t[j - 1];
            }
            i = j;
            continue;
        }
        if (!QChar(c).isSpace()) {
            vorher = c;
        }
        ++i;
    }
    if (kopiert == 0) {
        ergebnis.text = jetText;
    } else {
        ergebnis.text.append(QStringView(t + kopiert, n - kopiert));
    }
    return ergebnis;
}

QString zahlText(double wert) {
    if (std::isfinite(wert) && wert == std::trunc(wert) && std::fabs(wert) < 9.0e15) {
        return QString::number(static_cast<qint64>(wert));
    }
    return QString::number(wert, 'g', 15).replace(u'.', u',');
}

namespace {

QString alsText(sqlite3_value* wert) {
    switch (sqlite3_value_type(wert)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(wert));
    case SQLITE_FLOAT:
        return zahlText(sqlite3_value_double(wert));
    default: {
        const auto* daten = static_cast<const char16_t*>(sqlite3_value_text16(wert));
        const int bytes = sqlite3_value_bytes16(wert);
        return QString::fromUtf16(daten, bytes / 2);
    }
    }
}

void textErgebnis(sqlite3_context* ctx, const QString& text) {
    sqlite3_result_text16(ctx, text.utf16(), static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
}

// cStr(x): the text form of x; NULL stays NULL.
void cstrFunktion(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER: {
        // The game statements call it several times a row: the digits go straight into the database's own
        // encoding, the same characters QString::number gives, without a detour through UTF-16.
        char ziffern[24];
        const char* ende = std::to_chars(std::begin(ziffern), std::end(ziffern), sqlite3_value_int64(argv[0])).ptr;
        sqlite3_result_text(ctx, ziffern, static_cast<int>(ende - ziffern), SQLITE_TRANSIENT);
        return;
    }
    default:
        textErgebnis(ctx, alsText(argv[0]));
    }
}

// mid(text, start[, length]), 1-based; NULL stays NULL; a start below 1 or a negative length is an error as in Jet.
void midFunktion(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    const QString text = alsText(argv[0]);
    const sqlite3_int64 start = sqlite3_value_int64(argv[1]);
    const sqlite3_int64 laenge = argc > 2 ? sqlite3_value_int64(argv[2]) : text.size();
    if (start < 1 || laenge < 0) {
        sqlite3_result_error(ctx, "mid: invalid procedure call (start < 1 or length < 0)", -1);
        return;
    }
    if (start > text.size()) {
        textErgebnis(ctx, QString());
        return;
    }
    textErgebnis(ctx, text.mid(static_cast<qsizetype>(start - 1), static_cast<qsizetype>(laenge)));
}

// Jet compares texts without regard to case ("Süd" = "SÜD") but with regard to accents, and sorts them
// in the German order. One collator per connection: a connection is used by one thread only.
int textVergleich(void* kontext, int laengeA, const void* a, int laengeB, const void* b) {
    auto* collator = static_cast<QCollator*>(kontext);
    const QStringView textA(static_cast<const char16_t*>(a), laengeA / 2);
    const QStringView textB(static_cast<const char16_t*>(b), laengeB / 2);
    return collator->compare(textA, textB);
}

void collatorFreigeben(void* kontext) {
    delete static_cast<QCollator*>(kontext);
}

} // namespace

int registrieren(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_function_v2(db, "cstr", 1, flags, nullptr, cstrFunktion, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_create_function_v2(db, "mid", 2, flags, nullptr, midFunktion, nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_create_function_v2(db, "mid", 3, flags, nullptr, midFunktion, nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        auto* collator = new QCollator(QLocale(QLocale::German, QLocale::Germany));
        collator->setCaseSensitivity(Qt::CaseInsensitive);
        rc = sqlite3_create_collation_v2(db, schema::kollation, SQLITE_UTF16_ALIGNED, collator, textVergleich,
                                         collatorFreigeben);
        if (rc != SQLITE_OK) {
            delete collator; // not taken over when the registration fails
        }
    }
    return rc;
}

} // namespace quenda::jet
