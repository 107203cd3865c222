#include "transfer/Dateianlage.h"
#include "demo/OrdnerAblage.h"
#include "settings/TAblage.h"
#include "support/TransferHilfen.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Statistik.h"
#include "transfer/Webserverupload.h"

#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

struct Fall {
    const char* titel;
    const char* basis;  // B: the producer writes B_org.txt, the kept version is B.txt
    const char* bisher; // kept version before the call, nullptr when there is none
    const char* neu;
    int ziel;
    int anzweb;
    int pocko;
    bool resend;
    const char* labelA; // label of the beamer/screen delivery, nullptr when nothing goes there
    const char* labelP; // label of the mobile-phone delivery, nullptr when nothing goes there
    bool unveraendert;  // counted and logged as "Keine Aktualisierung"
};

const Fall faelle[] = {
    {"ersterstellung", "spiele_0001_01_01", nullptr, "a\r\n", 3, 1, 1, false, "Ersterstellung",
     "Ersterstellung (POCKO)", false},
    {"gleicherInhalt", "spiele_0001_01_01", "a\r\n", "a\r\n", 3, 1, 1, false, nullptr, nullptr, true},
    {"einByteAnders", "spiele_0001_01_01", "a\r\n", "b\r\n", 3, 1, 1, false, "Aktualisierung", "Aktualisierung (POCKO)",
     false},
    {"zusaetzlicherZeilenumbruch", "spiele_0001_01_01", "a\r\n", "a\r\n\r\n", 3, 1, 1, false, "Aktualisierung",
     "Aktualisierung (POCKO)", false},
    {"nurMobilAusgewaehlt", "spiele_0001_01_01", "a\r\n", "b\r\n", 2, 1, 1, false, nullptr, "Aktualisierung (POCKO)",
     false},
    {"anzeigeAusgeschaltet", "auslodat", "a\r\n", "b\r\n", 1, 0, 1, false, nullptr, nullptr, false},
    {"erzwungenerVersand", "meldung_0001", "a\r\n", "a\r\n", 3, 1, 1, true, "Aktualisierung Webserver",
     "Aktualisierung Webserver (POCKO)", false},
    {"starterlisteNichtAufsHandy", "starter_0001_01", nullptr, "a\r\n", 3, 1, 1, false, "Ersterstellung", nullptr,
     false},
};

// Each case twice: the producer's file handed over, and its bytes handed over from memory.
class DateianlageFall : public ::testing::TestWithParam<std::tuple<Fall, bool>> {};

TEST_P(DateianlageFall, keepsOneVersionAndSendsWhatChangedToTheChosenTargets) {
    const Fall& fall = std::get<0>(GetParam());
    const bool ausDemSpeicher = std::get<1>(GetParam());
    Arbeitsordner ordner;
    TAblage ablage = demo::ordnerAblage(ordner.dir.filePath(QStringLiteral("anzeige")),
                                        ordner.dir.filePath(QStringLiteral("handy")));
    ablage.dbzkd = QStringLiteral("42");
    ablage.anzweb = fall.anzweb;
    ablage.pocko = fall.pocko;
    QDir().mkpath(ablage.verzeichnis);
    QDir().mkpath(ablage.verzeichnispocko);
    Statistik statistik;
    statistik.neuerZyklus(QStringLiteral("09.12.2026 09:00:00"));
    Fehlerzustand fehler;
    HttpMerken http;
    Webserverupload upload(ablage, ordner.tsdir, ordner.protokoll, statistik, fehler, ordner.uhr, http);
    const std::atomic<bool> resend{fall.resend};
    Dateianlage staging(ordner.tsdir, ablage, upload, statistik, ordner.protokoll, ordner.uhr, resend);

    const QString basis = QString::fromLatin1(fall.basis);
    const QString org = ordner.pfad(basis + QStringLiteral("_org.txt"));
    const QString kept = ordner.pfad(basis + QStringLiteral(".txt"));
    if (fall.bisher) {
        schreiben(kept, fall.bisher);
    }
    if (ausDemSpeicher) {
        staging.DateiAnlageInhalt(ordner.tsdir, basis + QStringLiteral("_org.txt"), fall.neu,
                                  QStringLiteral("20261209090000"), fall.ziel);
    } else {
        schreiben(org, fall.neu);
        staging.DateiAnlage(basis + QStringLiteral("_org.txt"), QStringLiteral("20261209090000"), fall.ziel);
    }

    EXPECT_FALSE(QFile::exists(org));
    EXPECT_EQ(lesen(kept), QByteArray(fall.neu));
    const QString gesendet = QStringLiteral("20261209090000_") + basis + QStringLiteral(".txt");
    const QStringList log = ordner.log();
    const auto pruefeZiel = [&](const QString& wurzel, const char* label) {
        const QString upload = QDir(wurzel).filePath(QStringLiteral("zkd42/upload"));
        if (label) {
            EXPECT_EQ(inhaltVon(upload), QStringList{gesendet}) << wurzel;
            EXPECT_EQ(lesen(QDir(upload).filePath(gesendet)), QByteArray(fall.neu));
            EXPECT_TRUE(log.contains(ordner.L() + u' ' + QString::fromUtf8(label) + QStringLiteral(": ") + basis +
                                     QStringLiteral(".txt")))
                << log.join(u'\n');
        } else {
            EXPECT_TRUE(inhaltVon(upload).isEmpty()) << wurzel;
        }
    };
    pruefeZiel(ablage.verzeichnis, fall.labelA);
    pruefeZiel(ablage.verzeichnispocko, fall.labelP);

    const std::array<int, 5> zaehler{fall.labelP ? 1 : 0, 0, fall.labelA ? 1 : 0, 0, fall.unveraendert ? 1 : 0};
    EXPECT_EQ(statistik.zyklen().back().zaehler, zaehler);
    EXPECT_EQ(log.contains(ordner.L() + QStringLiteral(" Keine Aktualisierung: ") + QDir::toNativeSeparators(kept)),
              fall.unveraendert)
        << log.join(u'\n');
    EXPECT_TRUE(fehler.wfehler().isEmpty());
    EXPECT_TRUE(http.posts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faelle, DateianlageFall, ::testing::Combine(::testing::ValuesIn(faelle), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).titel) +
                                    (std::get<1>(info.param) ? "_ausDemSpeicher" : "");
                         });

TEST(Dateianlage, unchangedContentFromMemoryLeavesNoFileOfAnInterruptedCycleBehind) {
    Arbeitsordner ordner;
    TAblage ablage;
    Statistik statistik;
    statistik.neuerZyklus(QStringLiteral("09.12.2026 09:00:00"));
    Fehlerzustand fehler;
    HttpMerken http;
    Webserverupload upload(ablage, ordner.tsdir, ordner.protokoll, statistik, fehler, ordner.uhr, http);
    const std::atomic<bool> resend{false};
    Dateianlage staging(ordner.tsdir, ablage, upload, statistik, ordner.protokoll, ordner.uhr, resend);
    schreiben(ordner.pfad(QStringLiteral("tabelle_0001_01.txt")), "a\r\n");
    schreiben(ordner.pfad(QStringLiteral("tabelle_0001_01_org.txt")), "halb");
    staging.DateiAnlageInhalt(ordner.tsdir, QStringLiteral("tabelle_0001_01_org.txt"), "a\r\n",
                              QStringLiteral("20261209090000"), 3);
    EXPECT_FALSE(QFile::exists(ordner.pfad(QStringLiteral("tabelle_0001_01_org.txt"))));
    EXPECT_EQ(lesen(ordner.pfad(QStringLiteral("tabelle_0001_01.txt"))), QByteArray("a\r\n"));
    EXPECT_EQ(statistik.zyklen().back().zaehler[4], 1);
}

} // namespace
