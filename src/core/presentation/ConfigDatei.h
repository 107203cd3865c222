// ConfigLoad, ConfigSave — reading and writing the presentation file config_quenda.xml
#pragma once

#include "presentation/Praesentationsmodell.h"

#include <QByteArray>
#include <QString>

namespace quenda {

class Namensabfrage;

// config_quenda.xml, read by the web display pages: element and attribute names, attribute order and
// value forms are a contract. Free functions, used on the UI thread.

QString configPfad(const QString& tsdir);

// The file's bytes: UTF-8 with byte-order mark, CR LF, two blanks per level, empty elements self-closing,
// every attribute present.
QByteArray configText(const QString& turniername, const BildschirmListe& liste);
// Replaces the file atomically. Throws IoError.
void ConfigSave(const QString& pfad, const QString& turniername, const BildschirmListe& liste);

// Receives every element the reader rebuilds, parents before children, with the node caption.
class KonfigAufbau {
public:
    virtual ~KonfigAufbau() = default;
    virtual void knoten(Ebenenstufe stufe, const TNodeInfo& info, const QString& text) = 0;
};

struct Ladeergebnis {
    enum class Status {
        KeineDatei,  // nothing to read: an empty configuration
        Geladen,     // the whole file
        NichtLadbar, // not well-formed: nothing was read
        Abgebrochen, // stopped at a faulty element; what came before it was read
    };
    Status status = Status::KeineDatei;
    QString fehler; // the message to show for NichtLadbar and Abgebrochen
};

// Rebuilds the model (liste must be empty) from the file. With an aufbau, each element is reported with its
// caption (references name their halls, competitions or draws through namen).
Ladeergebnis ConfigLoad(const QString& pfad, BildschirmListe& liste, Namensabfrage* namen, KonfigAufbau* aufbau);

// Sets "bez" of "Turniername" in an existing file and writes it back. A file that does not load completely
// is left as it is. Throws IoError (the message says why).
void turniernameSetzen(const QString& pfad, const QString& bez);

} // namespace quenda
