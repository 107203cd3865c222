#include "transfer/Staging.h"

#include "util/Dateiersatz.h"

#include <QDir>

namespace quenda {

void Staging::DateiAnlageInhalt(const QString& tsdir, const QString& name, const QByteArray& inhalt,
                                const QString& stempel, int ziel) {
    datei_ersetzen(QDir(tsdir).filePath(name), inhalt, Ablauf::Zyklus);
    DateiAnlage(name, stempel, ziel);
}

} // namespace quenda
