#include "transfer/Versionspruefung.h"

#include "transfer/TINDY.h"
#include "util/MeldungsAusgabe.h"
#include "util/Routinen.h"

#include <QUrl>

namespace quenda {

Versionspruefung::Versionspruefung(TINDY& tindy, MeldungsAusgabe& meldungen) : m_tindy(tindy), m_meldungen(meldungen) {}

void Versionspruefung::Update1Click(const QString& prgversion, const Versionsdienst& dienst) {
    // The echo goes to the host alone; a port belongs to the HTTPS request only.
    const QString host = QUrl(QStringLiteral("https://") + dienst.server.trimmed()).host();
    if (!m_tindy.PING(host)) {
        m_meldungen.meldung(QStringLiteral("Eine Versionprüfung ist nur ONLINE möglich bzw. der Server zur "
                                           "Versionsprüfung steht nicht zur Verfügung!"));
        return;
    }
    VersionPRF(prgversion, dienst);
}

void Versionspruefung::VersionPRF(const QString& prgversion, const Versionsdienst& dienst) {
    const QString url =
        QStringLiteral("https://") + dienst.server.trimmed() + QStringLiteral("/rvk") + QStringLiteral("/rvk_vs.php");
    QString antwort;
    if (!m_tindy.HTTP_LOAD(url, QStringLiteral("05"), antwort)) {
        return; // the HTTP client has shown its message
    }
    const QString neueste = antwort.trimmed();
    if (neueste.isEmpty()) {
        m_meldungen.meldung(QStringLiteral("Es wurde keine Versionsprüfung durchgeführt.Bitte überprüfen Sie, ob Sie "
                                           "ONLINE sind!"));
    } else if (version_neuer(prgversion, neueste)) {
        m_meldungen.meldung(QStringLiteral("Es steht eine neue Version ") + neueste +
                            QStringLiteral(" zum Herunterladen im Internet unter ") + dienst.download.trimmed() +
                            QStringLiteral(" bereit!"));
    } else {
        m_meldungen.meldung(QStringLiteral("Es liegt keine neue Version vor!"));
    }
}

} // namespace quenda
