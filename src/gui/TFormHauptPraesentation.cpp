#include "TFormHaupt.h"

#include "TFormPraesent.h"
#include "presentation/Konfigurationstransfer.h"
#include "presentation/Namensabfragen.h"
#include "presentation/Praesentationsmodell.h"
#include "transfer/Webserverupload.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"

namespace quenda {

void TFormHaupt::praesentationOeffnen() {
    // Without a tournament there is no working folder to keep the configuration in.
    if (kontext.tsdir.isEmpty()) {
        fehlerZeigen(QStringLiteral("Es ist kein Turnier verbunden."));
        return;
    }
    Referenzlisten listen;
    try {
        listen = referenzlistenLaden(datenbank, kontext.dbturid);
    } catch (const QuendaError& e) {
        // The editor still opens: the configuration can be edited without the database's names.
        fehlerZeigen(e.message());
    }
    praesentation->listenFuellen(objektarten, listen);
    praesentation->setUebertragungMoeglich(!ablage.dbzkd.isEmpty());
    praesentation->setWindowState(praesentation->windowState() | Qt::WindowMaximized);
    praesentation->exec();
}

void TFormHaupt::konfigurationUebertragen() {
    // The failure state is not cleared first: a failure still pending from the transfer cycle also leads to
    // the warning window.
    Webserverupload upload(ablage, kontext.tsdir, protokoll, statistik, fehler, m_uhr, http);
    try {
        konfigurationSenden(upload, kontext.tsdir);
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
        return;
    }
    if (!fehler.wfehler().isEmpty()) {
        warnungZeigen();
    } else {
        meldungen.meldung(QStringLiteral("Die Konfiguration wurde übertragen!"));
    }
}

} // namespace quenda
