#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace quenda::mdbimport {

// How a column is stored in the snapshot.
enum class Art { Ganzzahl, Zahl, Text, DatumZeit, Binaer };

struct Spalte {
    QString name;
    Art art;
};

// One cell: NULL, a whole number, a number, UTF-8 text (also dates as "yyyy-mm-dd hh:nn:ss") or bytes.
struct Zelle {
    enum class Wert { Null, Ganzzahl, Zahl, Text, Binaer } wert = Wert::Null;
    qint64 ganzzahl = 0;
    double zahl = 0.0;
    QByteArray bytes;
};

// An Access (Jet 3/4) file opened read-only through libmdb. Throws Importfehler when the file is no
// Access file or turns out damaged while it is read.
class MdbQuelle {
public:
    explicit MdbQuelle(const QString& pfad);
    ~MdbQuelle();
    MdbQuelle(const MdbQuelle&) = delete;
    MdbQuelle& operator=(const MdbQuelle&) = delete;

    // The user tables, in the order of the file's catalog.
    QStringList tabellen() const { return m_tabellen; }

    // Reads every row of a table: kopf once with the columns, then zeile per row.
    void lesen(const QString& tabelle, const std::function<void(const std::vector<Spalte>&)>& kopf,
               const std::function<void(const std::vector<Zelle>&)>& zeile);

private:
    struct Datei; // the libmdb handle (its type cannot be declared ahead)
    std::unique_ptr<Datei> m_datei;
    QString m_pfad;
    QStringList m_tabellen;
};

} // namespace quenda::mdbimport
