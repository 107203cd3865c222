#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <variant>
#include <vector>

namespace quenda::demo {

// Column types as Access names them. Binaer and Ole hold only NULL here (the catalog's own columns).
enum class JetTyp { JaNein, Byte, Integer, LongInteger, Double, DatumZeit, Text, Memo, Binaer, Ole };

struct JetSpalte {
    QString name;
    JetTyp typ;
};

// One cell: NULL, a whole number, a number or a text. A Date/Time cell is Jet's day number (days since
// 30.12.1899 with the time of day as the fraction, counting back before that day) or a text
// "yyyy-mm-dd hh:nn:ss" / "yyyy-mm-dd"; a Yes/No cell is true for any non-zero number (NULL is No).
using JetWert = std::variant<std::monostate, qint64, double, QString>;
using JetZeile = std::vector<JetWert>;

// What a day of edits leaves in a table between two compactions of the file. Deleted rows keep their
// slots, flagged; a changed row stays in place while it still fits there, otherwise its data moves to
// another page behind a pointer in the old slot; added rows go after the others. Indices are those of
// JetTabelle::zeilen, the table as it was at the last compaction.
struct JetBearbeitung {
    std::vector<size_t> geloescht;
    std::vector<std::pair<size_t, JetZeile>> geaendert;
    std::vector<JetZeile> hinzugefuegt;
};

struct JetTabelle {
    QString name;
    std::vector<JetSpalte> spalten;
    std::vector<JetZeile> zeilen;
    JetBearbeitung bearbeitung;
};

// Builds an Access 2000 (Jet 4) database file from tables with typed columns: a catalog the readers find
// on page 2, a definition page per table, data pages, long-value pages for memo texts and usage maps.
// No indexes, queries or forms. The same tables give the same bytes. Owned by one thread at a time.
class JetSchreiber {
public:
    // Tables are written in the order they are added. Throws QuendaError for a table without name or columns.
    void hinzufuegen(JetTabelle tabelle);

    // The whole file. Throws QuendaError when a value cannot be stored (a number out of its column's range,
    // a text longer than 255 characters in a Text column, a date outside 100-9999, a row beyond a page).
    QByteArray datei() const;

    // Writes the file through a temporary file beside it that is then renamed over pfad, so that a reader
    // sees the old file or the new one, never a part. Throws QuendaError.
    void schreiben(const QString& pfad) const;

private:
    std::vector<JetTabelle> m_tabellen;
};

} // namespace quenda::demo
