#include "ZyklusHilfen.h"
#include "util/QuendaError.h"

#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;
namespace fest = quenda::demo::fest;

namespace {

TEST(Datenzyklus, aDrawIsDueWhenItsIntervalPassedByTheTimeOfDay) {
    const struct {
        const char* aktdatetime;
        QTime jetzt;
        int intervall;
        bool faellig;
    } faelle[] = {
        {"2026-12-09 10:00:30", QTime(10, 4, 59), 5, false}, // 269 s are 4 whole minutes
        {"2026-12-09 10:00:30", QTime(10, 5, 30), 5, true},
        {"2026-12-09 23:58:00", QTime(0, 1, 0), 5, true},   // 86220 s apart over the time of day
        {"2026-12-08 10:00:30", QTime(10, 1, 0), 5, false}, // the date does not count
    };
    for (const auto& fall : faelle) {
        const QDateTime jetzt(QDate(2026, 12, 10), fall.jetzt, Qt::UTC);
        EXPECT_EQ(Datenzyklus::faellig(QString::fromLatin1(fall.aktdatetime), jetzt, fall.intervall), fall.faellig)
            << fall.aktdatetime << " / " << fall.jetzt.toString().toStdString();
    }
    for (const char* kaputt : {"", "gestern", "2026-12-09 1x:00:00", "2026-12-09 25:00:00", "2026-12-09 10:00"}) {
        EXPECT_THROW(Datenzyklus::faellig(QString::fromLatin1(kaputt), QDateTime::currentDateTimeUtc(), 1),
                     ConversionError)
            << kaputt;
    }
}

class Zyklus : public ::testing::Test {
protected:
    // One cycle at the given time of day.
    void zyklus(const QTime& zeit) {
        u.uhr.festsetzen(QDateTime(demo::standardJetzt().date(), zeit, Qt::UTC));
        u.aufzeichnung.leeren();
        u.memo.clear();
        Datenzyklus datenzyklus(u.umgebung());
        QObject::connect(&datenzyklus, &Datenzyklus::exporteEnde, [this] { ++exporteEnde; });
        datenzyklus.Execute();
    }

    Zyklusumfeld u;
    int exporteEnde = 0;
};

TEST_F(Zyklus, newDrawsWaitForTheirIntervalThenEveryItemIsExportedInListOrder) {
    zyklus(QTime(9, 0, 0));
    ASSERT_GT(u.liste.count(), 5);
    const QString st1 = QStringLiteral("20261209090000");
    // Just detected: nothing is due yet, but occupancy and messages go out every cycle.
    EXPECT_EQ(u.aufzeichnung.aufrufe(), (QStringList{QStringLiteral("Tischbelegung ") + st1 + QStringLiteral(" []"),
                                                     QStringLiteral("Meldung ") + st1 + QStringLiteral(" []")}));
    const TAuslosung& schaufenster = u.eintrag(fest::syfSchaufenster, typdatenGruppe);
    EXPECT_TRUE(u.log().contains(QStringLiteral("2026-12-09 09:00:00 Noch aktuell  - Gr.") +
                                 QString::number(schaufenster.gruppe) + u' ' + schaufenster.konkurrenz + u' ' +
                                 schaufenster.auslosung_bez));
    EXPECT_EQ(u.log().filter(QStringLiteral(" Noch aktuell  - Gr.")).size(), u.liste.count());

    zyklus(QTime(9, 0, 59));
    EXPECT_EQ(u.aufzeichnung.aufrufe().size(), 2);

    u.resend = true;
    zyklus(QTime(9, 1, 0));
    const QStringList aufrufe = u.aufzeichnung.aufrufe();
    const QString st = QStringLiteral(" 20261209090100 ");
    EXPECT_EQ(block(aufrufe, QStringLiteral("G%1").arg(fest::syfSchaufenster)),
              (QStringList{QStringLiteral("Spiele 1 1 1 1") + st + QStringLiteral("[]"),
                           QStringLiteral("Tabelle 1 1 1 1") + st + QStringLiteral("[S1,[TABELLE]]"),
                           QStringLiteral("Starterliste 1 1 1 1") + st + QStringLiteral("[S1,[TABELLE],T1]"),
                           QStringLiteral("TabelleSpiele 1 1 1") + st + QStringLiteral("[S1,[TABELLE],T1]")}));
    EXPECT_EQ(block(aufrufe, QStringLiteral("G%1").arg(fest::syfHerrenAKo)),
              (QStringList{QStringLiteral("Spiele 2 5 1 1") + st + QStringLiteral("[]"),
                           QStringLiteral("KOFeld 2 5 1 1") + st + QStringLiteral("[S5]"),
                           QStringLiteral("Starterliste 2 5 1 1") + st + QStringLiteral("[S5,[TABELLE]]")}));
    EXPECT_EQ(block(aufrufe, QStringLiteral("T%1").arg(fest::knMixed)),
              QStringList{QStringLiteral("Teilnehmerliste 4 3") + st + QStringLiteral("[]")});

    // The competition that came within three hours of its start with this cycle is new and waits.
    const TAuslosung& neu = u.eintrag(fest::knMaedchenU18, typdatenTeilnehmer);
    EXPECT_EQ(neu.inserttime, QStringLiteral("2026-12-09 09:01:00"));
    EXPECT_TRUE(u.log().contains(QStringLiteral("2026-12-09 09:01:00 Noch aktuell  - Gr.") +
                                 QString::number(neu.gruppe) + u' ' + neu.konkurrenz + u' ' + neu.auslosung_bez));
    QStringList listenfolge;
    for (const TAuslosung& a : u.liste) {
        if (a.syf_id != neu.syf_id || a.typdaten != neu.typdaten) {
            listenfolge.append(schluessel(a));
        }
        EXPECT_EQ(a.aktdatetime, QStringLiteral("2026-12-09 09:01:00"));
    }
    listenfolge << QStringLiteral("Tischbelegung") << QStringLiteral("Meldung");
    EXPECT_EQ(reihenfolge(aufrufe), listenfolge);
    EXPECT_EQ(aufrufe.filter(QStringLiteral("Meldung ")).size(), 1);

    EXPECT_FALSE(u.resend); // the one-shot request is over with the cycle
    EXPECT_EQ(exporteEnde, 3);
    EXPECT_EQ(u.statistik.ubcount(), 3);
    EXPECT_EQ(u.memo, QStringList{QStringLiteral("2026-12-09 09:01:00 Ende Übertragung")});
}

TEST_F(Zyklus, aBadDrawIsLoggedAndStaysDueWhileTheOthersAreExported) {
    zyklus(QTime(9, 0, 0));
    const int position = u.liste.FindAuslosung(fest::syfSchaufenster, typdatenGruppe);
    ASSERT_LT(position, u.liste.count());
    const TAuslosung& schlecht = u.liste.at(position);
    const TAuslosung& naechste = u.liste.at(position + 1);
    u.aufzeichnung.beiAufruf = [](const QString& aufruf) {
        if (aufruf.startsWith(QStringLiteral("Spiele 1 1 "))) {
            throw ConversionError(QStringLiteral("Spalte sg ist NULL"));
        }
    };

    zyklus(QTime(9, 1, 0));

    const QString zeile = QStringLiteral("2026-12-09 09:01:00 Fehler bei Gr.") + QString::number(schlecht.gruppe) +
                          u' ' + schlecht.konkurrenz + u' ' + schlecht.auslosung_bez +
                          QStringLiteral(": Spalte sg ist NULL");
    EXPECT_TRUE(u.log().contains(zeile)) << u.log().join(u'\n');
    EXPECT_TRUE(u.memo.contains(zeile));
    EXPECT_EQ(schlecht.aktdatetime, QStringLiteral("2026-12-09 09:00:00"));
    EXPECT_EQ(naechste.aktdatetime, QStringLiteral("2026-12-09 09:01:00"));
    const QStringList aufrufe = u.aufzeichnung.aufrufe();
    EXPECT_EQ(block(aufrufe, schluessel(schlecht)), QStringList{QStringLiteral("Spiele 1 1 1 1 20261209090100 []")});
    EXPECT_EQ(block(aufrufe, schluessel(naechste)).size(), 4);
    EXPECT_EQ(aufrufe.mid(aufrufe.size() - 2), (QStringList{QStringLiteral("Tischbelegung 20261209090100 []"),
                                                            QStringLiteral("Meldung 20261209090100 []")}));

    // Half a minute later only the bad draw is due.
    u.aufzeichnung.beiAufruf = nullptr;
    zyklus(QTime(9, 1, 30));
    EXPECT_EQ(reihenfolge(u.aufzeichnung.aufrufe()),
              (QStringList{QStringLiteral("G1"), QStringLiteral("Tischbelegung"), QStringLiteral("Meldung")}));
}

// Faults that are not about one draw end the cycle's exports; the closing steps still run.
TEST_F(Zyklus, anErrorOutsideOneDrawEndsTheExportsButNotTheCycle) {
    enum class Art { Datenbank, Datei, DatenbankFehlt };
    for (const Art art : {Art::Datenbank, Art::Datei, Art::DatenbankFehlt}) {
        SCOPED_TRACE(static_cast<int>(art));
        u.liste.clear();
        u.aufzeichnung.beiAufruf = nullptr;
        zyklus(QTime(9, 0, 0));
        const QString meldung = QStringLiteral("geht nicht");
        u.aufzeichnung.beiAufruf = [art, meldung](const QString&) {
            if (art == Art::Datenbank) {
                throw DatabaseError(meldung);
            }
            throw IoError(meldung);
        };
        if (art == Art::DatenbankFehlt) {
            QFile::rename(u.dbpfad, u.dbpfad + QStringLiteral(".weg"));
        }

        zyklus(QTime(9, 1, 0));

        EXPECT_EQ(u.aufzeichnung.aufrufe().size(), art == Art::DatenbankFehlt ? 0 : 1);
        for (const TAuslosung& a : u.liste) {
            EXPECT_EQ(a.aktdatetime, a.inserttime); // nothing was exported
        }
        ASSERT_EQ(u.memo.size(), 2);
        EXPECT_TRUE(u.memo[0].startsWith(QStringLiteral("2026-12-09 09:01:00 ")));
        if (art != Art::DatenbankFehlt) {
            EXPECT_EQ(u.memo[0], QStringLiteral("2026-12-09 09:01:00 geht nicht"));
        }
        EXPECT_EQ(u.memo[1], QStringLiteral("2026-12-09 09:01:00 Ende Übertragung"));
        EXPECT_EQ(u.log().last(), u.memo[1]);
        QFile::rename(u.dbpfad + QStringLiteral(".weg"), u.dbpfad);
    }
}

TEST_F(Zyklus, aCycleThatFindsTheMarkOfAnUnfinishedOneSendsEveryFileAgain) {
    const QString marke = QDir(u.tsdir).filePath(Datenzyklus::laufmarke());
    zyklus(QTime(9, 0, 0));
    EXPECT_FALSE(QFile::exists(marke));

    schreiben(marke, "2026-12-09 09:00:30\r\n"); // the program was killed during a cycle
    zyklus(QTime(9, 1, 0));
    EXPECT_EQ(u.memo.first(), QStringLiteral("2026-12-09 09:01:00 Der letzte Zyklus wurde nicht beendet: alle "
                                             "Dateien werden neu gesendet."));
    EXPECT_TRUE(u.log().filter(QStringLiteral("09:01:00 Keine Aktualisierung")).isEmpty());
    EXPECT_FALSE(u.resend);
    EXPECT_FALSE(QFile::exists(marke));

    zyklus(QTime(9, 2, 0));
    EXPECT_FALSE(u.log().filter(QStringLiteral("09:02:00 Keine Aktualisierung")).isEmpty());
    EXPECT_EQ(u.memo, QStringList{QStringLiteral("2026-12-09 09:02:00 Ende Übertragung")});
}

TEST_F(Zyklus, closingStepsRunEvenWhenTheWorkingFolderIsGone) {
    QDir(u.tsdir).removeRecursively();
    u.resend = true;

    EXPECT_NO_THROW(zyklus(QTime(9, 0, 0)));

    EXPECT_EQ(exporteEnde, 1);
    EXPECT_FALSE(u.resend);
    ASSERT_FALSE(u.memo.isEmpty());
    EXPECT_EQ(u.memo.last(), QStringLiteral("2026-12-09 09:00:00 Ende Übertragung"));
    EXPECT_TRUE(u.aufzeichnung.aufrufe().isEmpty());
}

} // namespace
