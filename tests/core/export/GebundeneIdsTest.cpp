#include "../../tools/DemoHilfen.h"
#include "QStringDruck.h"
#include "Turnierkontext.h"
#include "db/JetDialekt.h"
#include "db/TDM.h"
#include "db/Turnierauswahl.h"
#include "demo/FesteIds.h"
#include "draws/AusloList.h"
#include "draws/Auslosungsabfragen.h"
#include "export/Exportabfragen.h"
#include "export/Exportfabrik.h"
#include "presentation/Namensabfragen.h"
#include "settings/TAblage.h"
#include "transfer/Datenzyklus.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/HttpSender.h"
#include "transfer/Statistik.h"
#include "util/Ereignisprotokoll.h"
#include "util/MeldungsAusgabe.h"
#include "util/Programmuhr.h"

#include <QDir>
#include <QSet>
#include <gtest/gtest.h>

using namespace quenda;

namespace {

struct Meldungen : MeldungsAusgabe {
    void meldung(const QString& text) override { texte.append(text); }
    QStringList texte;
};

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

    QStringList texte;

private:
    QSet<QString> m_gesehen;
};

// The program's statements on a tournament: two transfer cycles with the real detection pass and every
// exporter (the first takes the items in, the second exports every one of them), then the look-ups of the
// windows (tournament choice, the reference lists and names, the interval window's draw list).
QStringList statementsDesProgramms(const QString& dbpfad, QTemporaryDir& dir) {
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
    Meldungen meldungen;
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
struct Ergebnis {
    QStringList spalten;
    QList<QList<QVariant>> werte;
    QList<QStringList> texte;
};

Ergebnis lesen(Abfrage& q, const QString& text) {
    q.setzeText(text);
    q.oeffnen();
    Ergebnis e{q.spalten(), {}, {}};
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

class GebundeneIds : public ::testing::TestWithParam<std::pair<demo::Groesse, quint64>> {};

// Every statement the program runs on a generated tournament, once with its ids written into the text and
// prepared anew (as before there was a statement cache) and once with the ids bound to a kept statement:
// the same columns and the same values, of the same storage class, in the same order.
TEST_P(GebundeneIds, everyStatementOfTheProgramGivesTheSameRowsWithBoundIds) {
    const auto [groesse, seed] = GetParam();
    QTemporaryDir dir;
    const QString pfad = demo::test::erzeugen(dir, QStringLiteral("t.db"), groesse, seed);
    const QStringList texte = statementsDesProgramms(pfad, dir);

    // The kinds of statement the cycle and the windows ran; each must have been seen with its ids bound.
    QSet<QString> arten;
    for (const QString& text : texte) {
        arten.insert(jet::zahlenAlsParameter(text).text);
    }
    const auto art = [](const QString& text) { return jet::zahlenAlsParameter(text).text; };
    for (const QString& erwartet :
         {art(abfragen::konkurrenzen(1)), art(abfragen::auslosungen(1)), art(abfragen::auslosungszeile(1)),
          art(abfragen::auslosungsoptionen(1)), art(abfragen::starterfeld(1, 1)), art(abfragen::starterfeld(1, 2)),
          art(abfragen::spiele(1, 1)), art(abfragen::spiele(1, 2)), art(abfragen::spielraster(1, 1)),
          art(abfragen::spielraster(1, 2)), art(abfragen::hallen(1)), art(abfragen::tische(1)),
          art(abfragen::spieldaten(1, 1)), art(abfragen::intervallAuslosungen(1))}) {
        EXPECT_TRUE(arten.contains(erwartet)) << erwartet;
    }

    Verbindung wieGeschrieben;
    wieGeschrieben.oeffnen(pfad);
    wieGeschrieben.anweisungen().setzeKapazitaet(0);
    Verbindung gebunden;
    gebunden.oeffnen(pfad);
    ASSERT_GT(gebunden.anweisungen().kapazitaet(), 0U);
    Abfrage alt(wieGeschrieben);
    Abfrage neu(gebunden);
    const Verbindung::Zaehler vorher = Verbindung::zaehler();
    qint64 zeilen = 0;
    for (const QString& text : texte) {
        SCOPED_TRACE(text.toStdString());
        const Ergebnis a = lesen(alt, text);
        const Ergebnis b = lesen(neu, text);
        ASSERT_EQ(b.spalten, a.spalten);
        ASSERT_EQ(b.texte, a.texte);
        ASSERT_EQ(b.werte, a.werte);
        zeilen += a.werte.size();
    }
    EXPECT_GT(zeilen, 0);
    // Most texts differ from one seen before only in their ids.
    EXPECT_GT(Verbindung::zaehler().wiederverwendet - vorher.wiederverwendet, texte.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Turniere, GebundeneIds,
    ::testing::Values(std::pair{demo::Groesse::Klein, quint64{1}}, std::pair{demo::Groesse::Klein, quint64{7}},
                      std::pair{demo::Groesse::Mittel, quint64{3}}, std::pair{demo::Groesse::Gross, quint64{1}}),
    [](const auto& info) {
        return demo::groesseText(info.param.first).toStdString() + "_" + std::to_string(info.param.second);
    });

} // namespace
