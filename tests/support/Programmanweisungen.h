#pragma once

// The statements the program runs, collected from real cycles and window look-ups, and their results as a
// query object reads them: for the checks that the program's statements give the same rows two ways.

#include "Turnierkontext.h"
#include "db/Abfrage.h"
#include "db/TDM.h"
#include "db/Turnierauswahl.h"
#include "db/Verbindung.h"
#include "demo/FesteIds.h"
#include "demo/Zeit.h"
#include "draws/AusloList.h"
#include "draws/Auslosungsabfragen.h"
#include "export/Exportfabrik.h"
#include "presentation/Namensabfragen.h"
#include "settings/TAblage.h"
#include "support/MeldungenMerken.h"
#include "transfer/Datenzyklus.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/HttpSender.h"
#include "transfer/Statistik.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"

#include <QDir>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <atomic>
#include <gtest/gtest.h>

namespace quenda::test {

// Every statement text a query object runs while this lives, each once, in the order first seen.
class Mitschrift {
public:
    Mitschrift() {
        Verbindung::setzeBeobachter([this](const QString& text) {
            if (!m_gesehen.contains(text)) {
                m_gesehen.insert(text);
                texte.append(text);
            }
        });
    }
    ~Mitschrift() { Verbindung::setzeBeobachter({}); }
    Mitschrift(const Mitschrift&) = delete;
    Mitschrift& operator=(const Mitschrift&) = delete;

    QStringList texte;

private:
    QSet<QString> m_gesehen;
};

// The program's statements on a tournament: two transfer cycles with the real detection pass and every
// exporter (the first takes the items in, the second exports every one of them), then the look-ups of the
// windows (tournament choice, the reference lists and names, the interval window's draw list).
inline QStringList statementsDesProgramms(const QString& dbpfad, QTemporaryDir& dir) {
    Mitschrift mitschrift;
    const Turnierkontext kontext{dbpfad,
                                 static_cast<int>(demo::fest::turnier),
                                 QStringLiteral("Turnier"),
                                 dir.filePath(QStringLiteral("qnda001turnier")),
                                 {}};
    QDir().mkpath(kontext.tsdir);
    TAblage ablage;
    AusloList liste;
    Programmuhr uhr;
    uhr.festsetzen(demo::standardJetzt());
    Ereignisprotokoll protokoll(uhr);
    protokoll.setOrdner(kontext.tsdir);
    Statistik statistik;
    Fehlerzustand fehler;
    KeinHttpSender http;
    MeldungenMerken meldungen;
    std::atomic<bool> abbruch{false};
    std::atomic<bool> resend{false};
    for (int zyklus = 0; zyklus < 2; ++zyklus) {
        Datenzyklus z({kontext, ablage, liste, protokoll, uhr, statistik, fehler, http, meldungen, abbruch, resend,
                       exportFabrik(&protokoll, &meldungen)});
        z.Execute();
        uhr.vorstellen(60);
    }
    EXPECT_EQ(meldungen.texte, QStringList());

    TDM dm;
    dm.oeffnen(dbpfad);
    const int t_id = kontext.dbturid;
    EXPECT_FALSE(turnierauswahl::turniere(dm).isEmpty());
    EXPECT_TRUE(turnierauswahl::turnierVorhanden(dm, t_id));
    turnierauswahl::turnierName(dm, t_id);
    const Referenzlisten listen = referenzlistenLaden(dm, t_id);
    Namensabfragen namen(dm, t_id);
    for (const Listeneintrag& e : listen.hallen) {
        EXPECT_NE(namen.Halle_bez(e.id), QStringLiteral("nicht gefunden"));
    }
    for (const Listeneintrag& e : listen.konkurrenzen) {
        namen.Konkurrenz_bez(e.id);
    }
    QStringList auslosungen;
    for (const Listeneintrag& e : listen.auslosungen) {
        auslosungen.append(e.id);
    }
    namen.Auslosung_bez(auslosungen.join(u'-'));
    dm.SQLAbfrage2(abfragen::intervallAuslosungen(t_id));
    return mitschrift.texte;
}

// A result as a query object reads it: column names, and every value with its storage class and its text.
struct Leseergebnis {
    QStringList spalten;
    QList<QList<QVariant>> werte;
    QList<QStringList> texte;
};

inline Leseergebnis lesen(Abfrage& q, const QString& text) {
    q.setzeText(text);
    q.oeffnen();
    Leseergebnis e{q.spalten(), {}, {}};
    for (q.first(); !q.eof(); q.next()) {
        QList<QVariant> werte;
        QStringList texte;
        for (int i = 0; i < e.spalten.size(); ++i) {
            const Wert w = q.feldNr(i);
            werte.append(w.roh());
            texte.append(QString::number(w.roh().typeId()) + u':' + w.alsText());
        }
        e.werte.append(werte);
        e.texte.append(texte);
    }
    return e;
}

} // namespace quenda::test
