#include "db/JetDialekt.h"
#include "draws/Auslosungsabfragen.h"
#include "export/Exportabfragen.h"
#include "support/DemoHilfen.h"
#include "support/Programmanweisungen.h"
#include "support/QStringDruck.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace quenda;
using quenda::test::Leseergebnis;
using quenda::test::lesen;
using quenda::test::statementsDesProgramms;

namespace {

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
        const Leseergebnis a = lesen(alt, text);
        const Leseergebnis b = lesen(neu, text);
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
