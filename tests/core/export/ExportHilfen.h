#pragma once

#include "Turnierkontext.h"
#include "db/TDM.h"
#include "db/Verbindung.h"
#include "export/Objdatenexport.h"
#include "support/Dateien.h"
#include "support/QStringDruck.h"
#include "support/StagingMerken.h"
#include "util/QuendaError.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quenda::test {

inline QString testdaten(const QString& name) {
    return QStringLiteral(QUENDA_TEST_DATA "/export/") + name;
}

// The hand-made tournament of tests/data/export/turnier.sql, changed by the given statements, with the
// exporters of one cycle on it.
class Exportumfeld {
public:
    explicit Exportumfeld(const QString& aenderungen = {}) {
        QDir().mkpath(kontext.tsdir);
        {
            Verbindung db;
            db.anlegen(kontext.dbpath);
            db.ausfuehren(QStringLiteral("BEGIN")); // one commit: the fixture is rebuilt for every test
            db.ausfuehren(QString::fromUtf8(dateiInhalt(testdaten(QStringLiteral("turnier.sql")))));
            if (!aenderungen.isEmpty()) {
                db.ausfuehren(aenderungen);
            }
            db.ausfuehren(QStringLiteral("COMMIT"));
        }
        dm.oeffnen(kontext.dbpath);
    }

    // The fields of the lines handed over under this name.
    QList<QStringList> felder(const QString& name) const {
        QList<QStringList> liste;
        for (const QString& zeile : staging.zeilen(name)) {
            liste.append(zeile.split(u'|'));
        }
        return liste;
    }

    QTemporaryDir dir;
    Turnierkontext kontext{dir.filePath(QStringLiteral("turnier.sqlite")),
                           1,
                           QStringLiteral("Stadtmeisterschaft 2026"),
                           dir.filePath(QStringLiteral("qnda001turnier")),
                           {}};
    TDM dm;
    StagingMerken staging{kontext.tsdir};
    QStringList log;
    QStringList hinweise;
    Objdatenexport ex{dm, kontext, staging, [this](const QString& zeile) { log.append(zeile); },
                      [this](const QString& text) { hinweise.append(text); }};
};

// The exporters of one tracked draw group in the cycle's order (a knock-out draw has no table files).
inline void gruppeExportieren(Objdatenexport& ex, int al_id, int syf_id, int typ, int betrieb, bool gruppe,
                              const QString& stempel) {
    ex.Objdaten_Spiele(al_id, syf_id, typ, betrieb, stempel);
    if (!gruppe) {
        ex.Objdaten_KOFeld(al_id, syf_id, typ, betrieb, stempel);
    }
    ex.tabspieleliste.append(QStringLiteral("[TABELLE]"));
    if (gruppe) {
        ex.Objdaten_Tabelle(al_id, syf_id, typ, betrieb, stempel);
    }
    ex.Objdaten_Starterliste(al_id, syf_id, typ, betrieb, stempel);
    if (gruppe) {
        ex.Objdaten_TabelleSpiele(al_id, syf_id, betrieb, stempel);
    }
}

} // namespace quenda::test
