#include "export/Objdatenexport.h"

#include "Turnierkontext.h"
#include "transfer/Staging.h"
#include "util/TextDatei.h"

#include <QDebug>
#include <QDir>

namespace quenda {

Objdatenexport::Objdatenexport(TDM& dm, const Turnierkontext& kontext, Staging& staging, Protokoll protokoll,
                               Hinweis hinweis)
    : m_dm(dm), m_kontext(kontext), m_staging(staging), m_protokoll(std::move(protokoll)),
      m_hinweis(std::move(hinweis)) {}

void Objdatenexport::abgeben(const QString& name, const QStringList& zeilen, const QString& stempel, int ziel) {
    m_staging.DateiAnlageInhalt(m_kontext.tsdir, name, textdatei::kodieren(zeilen), stempel, ziel);
}

void Objdatenexport::protokollieren(const QString& text) const {
    if (m_protokoll) {
        m_protokoll(text);
    } else {
        qWarning().noquote() << text;
    }
}

} // namespace quenda
