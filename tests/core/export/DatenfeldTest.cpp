#include "ExportHilfen.h"
#include "db/Schema.h"
#include "draws/AusloList.h"
#include "draws/AuslosungErmittlung.h"
#include "settings/TAblage.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/Routinen.h"

using namespace quenda;
using namespace quenda::test;

namespace {

const QString stempel = QStringLiteral("20261209090000");

struct Einschub {
    const char* titel;
    const char* sql; // SQLite expression of the characters put into every text
    bool auchSaetze; // around the set results too (blanks around a number keep it a number)
};

void PrintTo(const Einschub& e, std::ostream* os) {
    *os << e.titel;
}

// Every non-empty text of the tournament with the characters put in the middle (set results around).
QString verschmutzen(const Einschub& e) {
    QStringList sql;
    const QString einschub = QString::fromLatin1(e.sql);
    for (const schema::Tabelle& t : schema::tabellen()) {
        for (const schema::Spalte& s : t.spalten) {
            if (s.typ != schema::Typ::Text) {
                continue;
            }
            const bool satzspalte = s.name.size() == 2 && s.name.startsWith(u's');
            if (satzspalte && !e.auchSaetze) {
                continue;
            }
            const QString wert = satzspalte
                                     ? QStringLiteral("%1 || %2 || %1").arg(einschub, s.name)
                                     : QStringLiteral("substr(%2, 1, 1) || %1 || substr(%2, 2)").arg(einschub, s.name);
            sql.append(QStringLiteral("UPDATE \"%1\" SET %2 = %3 WHERE %2 IS NOT NULL AND %2 <> '';")
                           .arg(t.name, s.name, wert));
        }
    }
    return sql.join(u'\n');
}

// Every file of one cycle on the tournament: the draw lists of the detection pass, then the exporters.
QList<StagingMerken::Abgabe> zyklus(const QString& aenderungen, QStringList* protokollZeilen) {
    Exportumfeld u(aenderungen);
    Programmuhr uhr;
    uhr.festsetzen(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    Ereignisprotokoll protokoll(uhr);
    protokoll.setOrdner(u.kontext.tsdir);
    QStringList memo;
    QObject::connect(&protokoll, &Ereignisprotokoll::memoZeile, [&memo](const QString& z) { memo.append(z); });
    TAblage ablage;
    ablage.impressum = QStringLiteral("Verein|Straße\r\n1");
    ablage.datenschutz = QStringLiteral("https://example.org/\tds");
    AusloList liste;
    AuslosungErmittlung ermittlung(u.dm, u.kontext, ablage, liste, protokoll, uhr, u.staging);
    ermittlung.Auslosung_Ermittlung();
    gruppeExportieren(u.ex, 7, 70, 1, 1, true, stempel);
    gruppeExportieren(u.ex, 9, 90, 2, 1, true, stempel);
    gruppeExportieren(u.ex, 8, 80, 1, 0, false, stempel);
    u.ex.Objdaten_Teilnehmerliste(1, 1, stempel);
    u.ex.Objdaten_Teilnehmerliste(2, 2, stempel);
    u.ex.Objdaten_Tischbelegung(stempel);
    EXPECT_TRUE(u.log.isEmpty()) << u.log.join(u'\n').toStdString();
    *protokollZeilen = textdatei::lesen(QDir(u.kontext.tsdir).filePath(QStringLiteral("protokoll_20261209.pzk")));
    protokollZeilen->append(memo);
    return u.staging.abgaben;
}

std::vector<qsizetype> feldzahlen(const QByteArray& inhalt) {
    std::vector<qsizetype> zahlen;
    for (const QByteArray& zeile : inhalt.split('\n')) {
        zahlen.push_back(zeile.count('|'));
    }
    return zahlen;
}

class Datenfeld : public ::testing::TestWithParam<Einschub> {};

// For every file kind: a text with the characters keeps each line of the file on its line, with the field
// count of its line kind, and the characters arrive as blanks or "¦".
TEST_P(Datenfeld, textsWithControlCharactersOrSeparatorsKeepEveryLineAndField) {
    QStringList sauberesLog, log;
    const QList<StagingMerken::Abgabe> sauber = zyklus({}, &sauberesLog);
    const QList<StagingMerken::Abgabe> schmutzig = zyklus(verschmutzen(GetParam()), &log);

    ASSERT_EQ(schmutzig.size(), sauber.size());
    QSet<QString> arten;
    int veraendert = 0;
    for (qsizetype i = 0; i < sauber.size(); ++i) {
        const StagingMerken::Abgabe& a = schmutzig[i];
        SCOPED_TRACE(a.name.toStdString());
        ASSERT_EQ(a.name, sauber[i].name);
        arten.insert(a.name.left(a.name.indexOf(u'_')));
        EXPECT_EQ(feldzahlen(a.inhalt), feldzahlen(sauber[i].inhalt));
        for (qsizetype b = 0; b < a.inhalt.size(); ++b) {
            const auto c = static_cast<unsigned char>(a.inhalt[b]);
            const bool zeilenende =
                (c == '\r' && a.inhalt.mid(b, 2) == "\r\n") || (c == '\n' && b > 0 && a.inhalt[b - 1] == '\r');
            EXPECT_TRUE(c >= 0x20 || zeilenende) << "control character at " << b;
        }
        veraendert += a.inhalt != sauber[i].inhalt;
    }
    EXPECT_EQ(arten,
              (QSet<QString>{QStringLiteral("auslodat"), QStringLiteral("auslodatpocko"), QStringLiteral("spiele"),
                             QStringLiteral("tabelle"), QStringLiteral("starter"), QStringLiteral("spielraster"),
                             QStringLiteral("tabspiele"), QStringLiteral("kofeld"), QStringLiteral("teilnehmer"),
                             QStringLiteral("tischbelegung"), QStringLiteral("tischspiel")}));
    EXPECT_GT(veraendert, sauber.size() / 2) << "the characters reached the files";
    // Log and memo: one entry per line, each beginning with its time stamp or a separator line.
    ASSERT_EQ(log.size(), sauberesLog.size());
    for (const QString& zeile : log) {
        EXPECT_TRUE(zeile.startsWith(QStringLiteral("2026-12-09 ")) || zeile.startsWith(QStringLiteral("-----")) ||
                    zeile == QStringLiteral("Ermittlung Auslosungen"))
            << zeile.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Texte, Datenfeld,
                         ::testing::Values(Einschub{"CR LF", "char(13, 10)", true}, Einschub{"Trenner", "'|'", false},
                                           Einschub{"Tabulator", "char(9)", true}),
                         [](const ::testing::TestParamInfo<Einschub>& info) {
                             return std::string(info.index == 0 ? "crlf" : info.index == 1 ? "trenner" : "tab");
                         });

TEST(Feldtext, controlCharactersBecomeBlanksAndTheSeparatorBecomesABrokenBar) {
    EXPECT_EQ(feldtext(QStringLiteral("a\r\nb\tc|d\x01") + QChar(0x85)), QStringLiteral("a  b c\u00a6d  "));
    EXPECT_EQ(einzeilig(QStringLiteral("Fehler\nStatement: x|y")), QStringLiteral("Fehler Statement: x|y"));
    EXPECT_EQ(textdatei::zuAnsi(feldtext(QStringLiteral("|"))), QByteArray("\xa6"));
}

} // namespace
