#pragma once

#include "db/Wert.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace quenda {

class Verbindung;

// A query object: one statement text and at most one open result, read the way every caller reads it —
// row count, first, next, columns by name. The whole result is fetched when the query is opened, so it
// stays readable while other query objects run their statements. Owned by the thread of its connection.
class Abfrage {
public:
    explicit Abfrage(Verbindung& verbindung);

    // Discards the result and replaces the statement text (a Jet statement).
    void setzeText(const QString& jetText);
    QString text() const { return m_text; }
    // Runs the statement and positions on the first row. Throws DatabaseError with SQLite's message and
    // the statement text.
    void oeffnen();
    // Runs the statement without keeping a result.
    void ausfuehren();
    void schliessen();

    bool istOffen() const { return m_offen; }
    int rowCount() const { return m_zeilen; }
    void first() { m_position = 0; }
    void next();
    bool eof() const { return m_position >= m_zeilen; }
    int position() const { return m_position; }

    // Column of the current row by name or alias (case-insensitive). Throws DatabaseError for an unknown
    // name or when there is no current row.
    Wert feld(const QString& name) const;
    // Column of the current row by its place (0 first), also one whose name repeats.
    Wert feldNr(int spalte) const;
    QStringList spalten() const { return m_spalten; }

private:
    void ausfuehrenIntern(bool ergebnisBehalten);
    int spaltenIndex(const QString& name) const;

    Verbindung& m_verbindung;
    QString m_text;
    bool m_offen = false;
    QStringList m_spalten;
    std::vector<bool> m_datumZeit;
    QHash<QString, int> m_index;   // lower-case name -> first column of that name
    std::vector<QVariant> m_werte; // row-major
    int m_zeilen = 0;
    int m_position = 0;
};

} // namespace quenda
