#include "Turnierkontext.h"
#include "export/Objdatenexport.h"
#include "transfer/Staging.h"

#include <QDir>

namespace quenda {

void Objdatenexport::Objdaten_Meldung(const QString& stempel) {
    // Sorted by name, so that the messages reach the targets in the same order on every file system.
    const QStringList namen =
        QDir(m_kontext.tsdir).entryList({QStringLiteral("meldung_??_??_??_??_org.txt")}, QDir::Files, QDir::Name);
    for (const QString& name : namen) {
        m_staging.DateiAnlage(name, stempel, 3);
    }
}

} // namespace quenda
