#pragma once

#include "demo/Uebersicht.h"
#include "demo/Zeit.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace quenda::demo {

// small: about 80 players and a handful of draws (fast tests); large: about 2,000 players, 300 draw groups,
// 6,000 games and 4 hall layouts of 20 tables (benchmarks); medium lies in between.
enum class Groesse { Klein, Mittel, Gross };

std::optional<Groesse> groesseLesen(const QString& text); // "small", "medium", "large"
QString groesseText(Groesse groesse);

// Writes a demo database: the main tournament (t_id 1, with the cases listed in FesteIds.h) and another
// tournament (t_id 2) that shares no row with it except the game-system templates. The same options give
// the same file, byte for byte. Used on one thread at a time.
class Generator {
public:
    struct Optionen {
        quint64 seed = 1;
        Groesse groesse = Groesse::Klein;
        QDateTime jetzt = standardJetzt(); // start times are placed relative to it
    };

    explicit Generator(Optionen optionen);

    // Creates the file at pfad; an existing file is replaced only when the new one is complete.
    // Throws QuendaError (DatabaseError, IoError).
    Uebersicht erzeugen(const QString& pfad) const;

private:
    Optionen m_optionen;
};

} // namespace quenda::demo
