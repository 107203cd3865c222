#include "transfer/Zielstatus.h"
#include "settings/TAblage.h"
#include "support/TransferHilfen.h"
#include "transfer/Webserverupload.h"

#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

struct Schritt {
    const char* titel;
    Zielbilanz bilanz;
    int offen;
    Zielzustand::Ampel ampel;
    const char* zeile; // at 09:0<n>:00, n = step number
};

// One target through an outage: current, failing (the reason and the first failure stay), a cycle with
// nothing to send (no change), the target back with files still pending, then current again.
TEST(Zielstatus, aTargetThatGoesDownAndComesBackGoesFromCurrentToFailureAndBack) {
    const Schritt schritte[] = {
        {"everything arrived",
         {12, 0, {}},
         0,
         Zielzustand::Ampel::Aktuell,
         "Handy: aktuell; zuletzt vollständig 09.12.2026 09:00:00"},
        {"target gone",
         {3, 3, QStringLiteral("Upload Fehler:\nFehler: Speicher voll")},
         3,
         Zielzustand::Ampel::Fehler,
         "Handy: FEHLER seit 09.12.2026 09:01:00 – Upload Fehler: Fehler: Speicher voll; 3 Dateien offen; zuletzt "
         "vollständig 09.12.2026 09:00:00"},
        {"still gone",
         {1, 1, QStringLiteral("Zeitüberschreitung")},
         5,
         Zielzustand::Ampel::Fehler,
         "Handy: FEHLER seit 09.12.2026 09:01:00 – Zeitüberschreitung; 5 Dateien offen; zuletzt vollständig "
         "09.12.2026 09:00:00"},
        {"nothing tried",
         {0, 0, {}},
         5,
         Zielzustand::Ampel::Fehler,
         "Handy: FEHLER seit 09.12.2026 09:01:00 – Zeitüberschreitung; 5 Dateien offen; zuletzt vollständig "
         "09.12.2026 09:00:00"},
        {"back, one still pending",
         {4, 0, {}},
         1,
         Zielzustand::Ampel::Offen,
         "Handy: 1 Datei offen – letzte Übertragung erfolgreich; zuletzt vollständig 09.12.2026 09:00:00"},
        {"all delivered",
         {1, 0, {}},
         0,
         Zielzustand::Ampel::Aktuell,
         "Handy: aktuell; zuletzt vollständig 09.12.2026 09:05:00"},
    };
    Zielzustand z;
    z.aktiv = true;
    EXPECT_EQ(z.ampel(), Zielzustand::Ampel::Offen);
    EXPECT_EQ(zielstatusZeile(true, z), QStringLiteral("Handy: noch keine Übertragung"));
    int n = 0;
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(s.titel);
        z = fortschreiben(z, true, s.bilanz, s.offen, QStringLiteral("2026-12-09 09:0%1:00").arg(n++));
        EXPECT_EQ(z.ampel(), s.ampel);
        EXPECT_EQ(zielstatusZeile(true, z), QString::fromUtf8(s.zeile));
    }
    z = fortschreiben(z, false, {}, 0, QStringLiteral("2026-12-09 09:09:00"));
    EXPECT_EQ(zielstatusZeile(false, z), QStringLiteral("Beamer/Hallenanzeige: ausgeschaltet"));
}

TEST(Zielstatus, theStateSurvivesARestartAndFollowsTheSettingsSwitches) {
    Arbeitsordner ordner;
    TAblage ablage;
    ablage.anzweb = 1;
    ablage.pocko = 0;
    Zielzustaende leer = ZielstatusLoad(ordner.tsdir, ablage);
    EXPECT_TRUE(leer[0].aktiv);
    EXPECT_FALSE(leer[1].aktiv);
    EXPECT_TRUE(leer[0].letzteVollstaendig.isEmpty());

    Zielzustaende z = leer;
    z[0] = {true, QStringLiteral("2026-12-09 09:00:00"), 7, QStringLiteral("2026-12-09 09:01:00"),
            QStringLiteral("Fehler: in httppost.php ist kein Token gesetzt")};
    z[1].letzteVollstaendig = QStringLiteral("2026-12-09 08:00:00");
    ZielstatusSave(ordner.tsdir, z);
    EXPECT_EQ(ZielstatusLoad(ordner.tsdir, ablage), z);

    schreiben(ordner.pfad(zielstatusDateiname()), "<Zielstatus><ziel name=");
    EXPECT_EQ(ZielstatusLoad(ordner.tsdir, ablage), leer) << "a broken file only costs the history";
}

} // namespace
