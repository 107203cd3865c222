#include "transfer/Versionspruefung.h"

#include "transfer/TINDY.h"
#include "util/MeldungsAusgabe.h"
#include "util/Routinen.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

namespace quenda {

Versionsdienst versionsdienst_laden(const QString& abschnitt, const QString& inidatei, const QString& exepath) {
    Versionsdienst dienst{QStringLiteral("www.kestrom.de"), QStringLiteral("https://www.kestrom.de/quenda")};
    const QString pfad = QDir(exepath).filePath(inidatei);
    if (!QFileInfo::exists(pfad)) {
        return dienst;
    }
    const QSettings ini(pfad, QSettings::IniFormat);
    const QString server = ini.value(abschnitt + QStringLiteral("/versionsserver")).toString().trimmed();
    const QString download = ini.value(abschnitt + QStringLiteral("/downloadadresse")).toString().trimmed();
    if (!server.isEmpty()) {
        dienst.server = server;
    }
    if (!download.isEmpty()) {
        dienst.download = download;
    }
    return dienst;
}

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
