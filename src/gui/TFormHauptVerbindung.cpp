// The main window's connection step and the database change: open the database, choose the tournament,
// take both over.
#include "AuslosungTree.h"
#include "TFormDB_connect.h"
#include "TFormHaupt.h"
#include "TFormInfo.h"
#include "TFormTurwahl.h"
#include "db/Turnierauswahl.h"
#include "settings/AblageDatei.h"
#include "util/QuendaError.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

namespace quenda {

void TFormHaupt::verbindenBeimStart() {
    if (!verbindungsschrittOffen || m_verbindet) {
        return;
    }
    m_verbindet = true; // the dialogs of the step re-activate the window
    // The step runs once whatever its outcome: one that failed leaves the window open without a tournament,
    // with "Turnier-Datenbank wechseln" at hand, instead of failing again at every activation.
    verbindungsschrittOffen = false;
    try {
        gespeichertesVerbinden();
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
    m_verbindet = false;
}

void TFormHaupt::gespeichertesVerbinden() {
    const QString gespeichert = turnierauswahl::gespeicherterPfad();
    const QString pfad = m_startpfad.isEmpty() ? gespeichert : m_startpfad;
    // The stored id belongs to the stored database only.
    const int id = pfad == gespeichert ? turnierauswahl::gespeicherteTurnierId() : 0;
    if (!QFileInfo(pfad).isFile()) {
        if (!datenbankDialog->zeigen(0, pfad)) {
            programmBeenden(); // no usable database and none chosen
        }
        return;
    }
    switch (DBConnect(pfad, id, false)) {
    case Anschluss::Verbunden:
        return;
    case Anschluss::Abgebrochen:
        programmBeenden(); // no tournament chosen
        return;
    case Anschluss::Fehler:
        // Another file can be chosen; closing the dialog leaves the window open without a tournament.
        datenbankDialog->zeigen(1, pfad);
        return;
    }
}

TFormHaupt::Anschluss TFormHaupt::DBConnect(const QString& pfad, int vorgabe, bool fragen) {
    // The candidate gets a connection of its own, so the connected database keeps working until the new one
    // is known to be usable.
    TDM neu;
    try {
        neu.oeffnen(pfad);
        const bool bekannt = vorgabe > 0 && turnierauswahl::turnierVorhanden(neu, vorgabe);
        const int id = bekannt && !fragen ? vorgabe : turwahl(neu, pfad, bekannt ? vorgabe : 0);
        if (id <= 0 || !turnierauswahl::turnierVorhanden(neu, id)) {
            return Anschluss::Abgebrochen;
        }
        const QString name = turnierauswahl::turnierName(neu, id);
        const QString tsdir = turnierauswahl::tsdirFuer(pfad, id);
        turnierauswahl::tsdirAnlegen(tsdir);
        // Opened while the candidate still holds an Access snapshot, so the snapshot is shared, not imported
        // again.
        datenbank.schliessen();
        try {
            datenbank.oeffnen(pfad);
        } catch (const QuendaError&) {
            if (!kontext.dbpath.isEmpty()) {
                try {
                    datenbank.oeffnen(kontext.dbpath);
                } catch (const QuendaError&) {
                    // the reason shown below is the one that matters to the user
                }
            }
            throw;
        }
        NeuTurnierDB(pfad, id, name, tsdir);
        return Anschluss::Verbunden;
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
        return Anschluss::Fehler;
    }
}

int TFormHaupt::turwahl(TDM& quelle, const QString& pfad, int vorgabe) {
    const QList<turnierauswahl::Turnier> liste = turnierauswahl::turniere(quelle);
    if (liste.isEmpty()) {
        throw DatabaseError(QStringLiteral("Die Datenbank %1 enthält kein Turnier.").arg(pfad));
    }
    return liste.size() == 1 ? liste.first().t_id : turnierwahl->waehlen(liste, vorgabe);
}

void TFormHaupt::NeuTurnierDB(const QString& pfad, int id, const QString& name, const QString& tsdir) {
    turnierauswahl::pfadSpeichern(pfad);
    turnierauswahl::turnierIdSpeichern(id);
    m_startpfad.clear();
    kontext.dbpath = pfad;
    kontext.dbturid = id;
    kontext.dbturnier = name;
    kontext.tsdir = tsdir;
    datenbankPfad->setText(kontext.dbpath);
    turnierName->setText(kontext.dbturnier);
    turnierId->setText(QString::number(id));
    protokoll.setOrdner(kontext.tsdir);
    memo->clear();
    statistik.zuruecksetzen();
    infofenster->show();
    ablage = TAblage();
    if (const Ergebnis<void> geladen = AblageLoad(kontext.tsdir, ablage); !geladen.ok()) {
        meldungen.meldung(geladen.fehler());
    }
    zielstatusLaden();
    auslosungen.clear();
    auslosungsbaum->clear();
    diagrammZeichnen({});
    menueFuerTransfer(false);
    logmodusLesen();
}

void TFormHaupt::programmBeenden() {
    beendenAngefordert = true;
    QTimer::singleShot(0, this, &QWidget::close);
}

bool TFormHaupt::turnierLesbar(int id) {
    return turnierauswahl::turnierVorhanden(datenbank, id);
}

void TFormHaupt::datenbankWechseln() {
    datenbankDialog->zeigen(1, kontext.dbpath);
}

} // namespace quenda
