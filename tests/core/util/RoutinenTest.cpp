#include "util/Routinen.h"
#include "support/Dateien.h"
#include "support/MeldungenMerken.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {} // namespace

TEST(Routinen, zahlNullenPadsToWidthButNeverCuts) {
    struct Fall {
        qint64 wert;
        int breite;
        const char* erwartet;
    };
    for (const Fall& f : {Fall{7, 4, "0007"}, Fall{12345, 4, "12345"}, Fall{0, 3, "000"}, Fall{1000, 3, "1000"},
                          Fall{12, 2, "12"}, Fall{3, 2, "03"}, Fall{5, 0, "5"}, Fall{1, 15, "0000000001"}}) {
        EXPECT_EQ(zahl_nullen(f.wert, f.breite), QString::fromLatin1(f.erwartet)) << f.wert << " " << f.breite;
    }
}

TEST(Routinen, hochkommaErsetzenReplacesOnlyTheFirstApostrophe) {
    EXPECT_EQ(hochkomma_ersetzen(QStringLiteral("D'Artagnan's")), QStringLiteral("D`Artagnan's"));
    EXPECT_EQ(hochkomma_ersetzen(QStringLiteral("Müller")), QStringLiteral("Müller"));
    EXPECT_EQ(hochkomma_ersetzen(QString()), QString());
}

TEST(Routinen, zeileZerlegenFollowsTheSplitRules) {
    struct Fall {
        QString text;
        QStringList teile;
    };
    const QList<Fall> faelle = {
        {QStringLiteral("12-7-30"), {QStringLiteral("12"), QStringLiteral("7"), QStringLiteral("30")}},
        {QStringLiteral("12--30"), {QStringLiteral("12"), QStringLiteral(" "), QStringLiteral("30")}},
        {QStringLiteral("12-"), {QStringLiteral("12"), QString()}},
        {QString(), {QString()}},
        {QStringLiteral("-5"), {QStringLiteral(" "), QStringLiteral("5")}},
        {QStringLiteral("O'Neil-D'Ar'x"), {QStringLiteral("O`Neil"), QStringLiteral("D`Ar'x")}},
    };
    for (const Fall& f : faelle) {
        const QStringList teile = zeile_zerlegen(f.text, u'-');
        EXPECT_EQ(teile, f.teile) << f.text.toStdString();
        EXPECT_EQ(teile.value(f.teile.size()), QString()) << "entries after the last part are empty";
    }
}

TEST(Routinen, zeileZerlegenKeepsTheRestInTheHundredthEntry) {
    QStringList zahlen;
    for (int i = 1; i <= 120; ++i) {
        zahlen.append(QString::number(i));
    }
    const QStringList teile = zeile_zerlegen(zahlen.join(u'|'), u'|');
    ASSERT_EQ(teile.size(), 100);
    EXPECT_EQ(teile[98], QStringLiteral("99"));
    EXPECT_TRUE(teile[99].startsWith(QStringLiteral("100|101|")));
}

TEST(Routinen, datumzeitLesenParsesTheStampForm) {
    const QDateTime zeit = datumzeit_lesen(QStringLiteral("2026-12-09 14:05:33"));
    EXPECT_EQ(zeit.date(), QDate(2026, 12, 9));
    EXPECT_EQ(zeit.time(), QTime(14, 5, 33));
    // A wall-clock time that does not exist locally on the day clocks go forward is still a valid value.
    EXPECT_EQ(datumzeit_lesen(QStringLiteral("2026-03-29 02:30:00")).time(), QTime(2, 30));
}

TEST(Routinen, datumzeitLesenRejectsWhatIsNoTime) {
    for (const char* text : {"2026-13-09 14:05:33", "2026-02-30 10:00:00", "2026-12-09 24:00:00", "2026-12-09 1a:00:00",
                             "2026-12-09", "", "abcd-ef-gh ij:kl:mn"}) {
        EXPECT_THROW(datumzeit_lesen(QString::fromLatin1(text)), ConversionError) << text;
    }
}

TEST(Routinen, eingabePrfAsksForBlankFieldsOnly) {
    MeldungenMerken ausgabe;
    EXPECT_TRUE(eingabe_prf(QStringLiteral(" Herren A "), QStringLiteral("Turnier"), ausgabe));
    EXPECT_TRUE(ausgabe.texte.isEmpty());
    EXPECT_FALSE(eingabe_prf(QStringLiteral("   "), QStringLiteral("Turnier"), ausgabe));
    EXPECT_FALSE(eingabe_prf(QString(), QStringLiteral("Profilname"), ausgabe));
    EXPECT_EQ(ausgabe.texte, QStringList({QStringLiteral("Es ist eine Eingabe im Feld Turnier erforderlich."),
                                          QStringLiteral("Es ist eine Eingabe im Feld Profilname erforderlich.")}));
}

TEST(Routinen, versionNeuerComparesPartByPart) {
    struct Fall {
        const char* aktuell;
        const char* andere;
        bool neuer;
    };
    for (const Fall& f :
         {Fall{"2.0.0.4", "2.0.1.0", true}, Fall{"2.1.0.0", "2.0.9.9", false}, Fall{"2.0.0.4", "2.0.0.4", false},
          Fall{"2.0.0.9", "2.0.1.0", true}, Fall{"2.0.0.9", "2.0.0.10", true}, Fall{"4.0", "2.0.0.1", false}}) {
        EXPECT_EQ(version_neuer(QString::fromLatin1(f.aktuell), QString::fromLatin1(f.andere)), f.neuer)
            << f.aktuell << " vs " << f.andere;
    }
}

TEST(Routinen, dateiGleichComparesEveryByte) {
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a")), b = dir.filePath(QStringLiteral("b"));
    schreiben(a, "");
    schreiben(b, "");
    EXPECT_TRUE(datei_gleich(a, b));
    schreiben(a, "spiele|1|2\r\n");
    schreiben(b, "spiele|1|3\r\n");
    EXPECT_FALSE(datei_gleich(a, b)) << "same size, one byte different";
    schreiben(b, "spiele|1|2\r\n\r\n");
    EXPECT_FALSE(datei_gleich(a, b));
    schreiben(b, "spiele|1|2\r\n");
    EXPECT_TRUE(datei_gleich(a, b));
    EXPECT_THROW(datei_gleich(a, dir.filePath(QStringLiteral("fehlt"))), IoError);
}

TEST(Routinen, dateiKopierenReplacesTheTargetWhole) {
    QTemporaryDir dir;
    const QString quelle = dir.filePath(QStringLiteral("q.txt")), ziel = dir.filePath(QStringLiteral("z.txt"));
    schreiben(quelle, QByteArray("neu\r\n\x80\xe4", 7));
    schreiben(ziel, "ein viel längerer alter Inhalt");
    datei_kopieren(quelle, ziel);
    EXPECT_TRUE(datei_gleich(quelle, ziel));
    EXPECT_THROW(datei_kopieren(dir.filePath(QStringLiteral("fehlt")), ziel), IoError);
    EXPECT_TRUE(datei_gleich(quelle, ziel)) << "a failed copy leaves the target alone";
    EXPECT_THROW(datei_kopieren(quelle, dir.filePath(QStringLiteral("kein/ordner/z.txt"))), IoError);
}

TEST(Routinen, ordnerLoeschenRemovesTheTreeAndRefusesEmptyPaths) {
    QTemporaryDir dir;
    const QString ordner = dir.filePath(QStringLiteral("profil/Hallenturnier"));
    ASSERT_TRUE(QDir().mkpath(ordner + QStringLiteral("/images")));
    schreiben(ordner + QStringLiteral("/images/logo.png"), "png");
    EXPECT_TRUE(ordner_loeschen(ordner));
    EXPECT_FALSE(QDir(ordner).exists());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("profil"))).exists());
    EXPECT_FALSE(ordner_loeschen(ordner)) << "nothing left to delete";
    EXPECT_FALSE(ordner_loeschen(QString()));
    EXPECT_FALSE(ordner_loeschen(QStringLiteral("  ")));
    EXPECT_FALSE(ordner_loeschen(QStringLiteral("/")));
}

TEST(Routinen, appdataIsAnAbsoluteFolderWithoutTrailingSeparator) {
    const QString pfad = appdata_pfad();
    ASSERT_FALSE(pfad.isEmpty());
    EXPECT_TRUE(QDir::isAbsolutePath(pfad));
    EXPECT_FALSE(pfad.endsWith(u'/'));
    EXPECT_EQ(sonderordner_pfad(9999), QString());
}

TEST(Routinen, wochentagDatumAbbreviatesTheGermanWeekday) {
    EXPECT_EQ(wochentagDatum(QDate(2026, 12, 13)), QStringLiteral("So. 13.12.2026"));
    EXPECT_EQ(wochentagDatum(QDate(2026, 12, 10)), QStringLiteral("Do. 10.12.2026"));
    EXPECT_EQ(wochentagDatum(QDate(2026, 12, 9)), QStringLiteral("Mi. 09.12.2026"));
    EXPECT_EQ(wochentagDatum(QDate(2026, 12, 12)), QStringLiteral("Sa. 12.12.2026"));
}

TEST(Routinen, wochentageStartOnSunday) {
    EXPECT_EQ(wochentage[0], u"Sonntag");
    EXPECT_EQ(wochentage[3], u"Mittwoch");
    EXPECT_EQ(wochentage[6], u"Samstag");
}
