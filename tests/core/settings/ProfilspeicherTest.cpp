#include "settings/Profilspeicher.h"
#include "presentation/ConfigDatei.h"
#include "settings/AblageDatei.h"
#include "support/Dateien.h"
#include "support/MeldungenMerken.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

// Everything in a folder tree, "name=content" for files, "name/" for folders, sorted.
QStringList inhalt(const QString& ordner) {
    QStringList ergebnis;
    QDir dir(ordner);
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        if (info.isDir()) {
            ergebnis.append(info.fileName() + u'/');
            for (const QString& kind : inhalt(info.filePath())) {
                ergebnis.append(info.fileName() + u'/' + kind);
            }
        } else {
            ergebnis.append(info.fileName() + u'=' + QString::fromLatin1(lesen(info.filePath())));
        }
    }
    return ergebnis;
}

QStringList namen(const std::vector<Profileintrag>& liste) {
    QStringList n;
    for (const auto& e : liste) {
        n.append(e.name);
    }
    n.sort();
    return n;
}

class Profile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(wurzel.path()).mkpath(QStringLiteral("app/profil")));
        ASSERT_TRUE(QDir(wurzel.path()).mkpath(QStringLiteral("tsdir/images")));
        arbeitsstand(QByteArrayLiteral("v1"));
    }

    // A working folder with storage settings, presentation, two messages and two images, each marked.
    void arbeitsstand(const QByteArray& marke) {
        schreiben(ts(QStringLiteral("config_ablage.xml")), "ablage " + marke);
        schreiben(ts(QStringLiteral("config_quenda.xml")), "quenda " + marke);
        schreiben(ts(QStringLiteral("meldung_1_1_1_1.txt")), "m1 " + marke);
        schreiben(ts(QStringLiteral("meldung_1_1_1_2.dat")), "m2 " + marke);
        schreiben(ts(QStringLiteral("images/logo.png")), "logo " + marke);
        schreiben(ts(QStringLiteral("images/halle.jpg")), "halle " + marke);
        schreiben(ts(QStringLiteral("spiele_org.txt")), "kein Profilbestandteil");
    }

    QStringList erwartet(const QByteArray& marke) const {
        const QString m = QString::fromLatin1(marke);
        return {QStringLiteral("config_ablage.xml=ablage ") + m,
                QStringLiteral("config_quenda.xml=quenda ") + m,
                QStringLiteral("images/"),
                QStringLiteral("images/halle.jpg=halle ") + m,
                QStringLiteral("images/logo.png=logo ") + m,
                QStringLiteral("meldung_1_1_1_1.txt=m1 ") + m,
                QStringLiteral("meldung_1_1_1_2.dat=m2 ") + m};
    }

    QString ts(const QString& name = {}) const { return QDir(wurzel.path()).filePath(QStringLiteral("tsdir/") + name); }
    QString store() const { return QDir(wurzel.path()).filePath(QStringLiteral("app/profil")); }

    QStringList imStore(const QString& profil, const QByteArray& marke) const {
        QStringList k{profil + u'/'};
        for (const QString& e : erwartet(marke)) {
            k.append(profil + u'/' + e);
        }
        return k;
    }

    QTemporaryDir wurzel;
    Profilspeicher s{QDir(wurzel.path()).filePath(QStringLiteral("app/"))};
};

TEST_F(Profile, listsProfileFoldersWithTheirDateAndFindsNamesIgnoringCase) {
    const QDateTime vorher = QDateTime::currentDateTime().addSecs(-2);
    ASSERT_TRUE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    ASSERT_TRUE(s.neu(QStringLiteral("Bezirk"), ts()).ok());
    schreiben(store() + QStringLiteral("/lose Datei.txt"), "x");

    const auto liste = s.ListeNeu();
    EXPECT_EQ(namen(liste), (QStringList{QStringLiteral("Bezirk"), QStringLiteral("Kreis")}));
    for (const auto& e : liste) {
        EXPECT_GE(e.datum, vorher);
        EXPECT_LE(e.datum, QDateTime::currentDateTime().addSecs(2));
    }
    EXPECT_TRUE(Profilvorh(liste, QStringLiteral("kreis")));
    EXPECT_TRUE(Profilvorh(liste, QStringLiteral("BEZIRK")));
    EXPECT_FALSE(Profilvorh(liste, QStringLiteral("Kreis2")));
}

TEST_F(Profile, newProfileHoldsTheWorkingFilesOfThePresentationAndNothingElse) {
    ASSERT_TRUE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    EXPECT_EQ(inhalt(store()), imStore(QStringLiteral("Kreis"), "v1"));
}

TEST_F(Profile, namesThatCannotBeAFolderAreRefusedBeforeAnythingIsMade) {
    struct Fall {
        QString name;
        bool erlaubt;
    };
    const Fall faelle[] = {
        {QStringLiteral("Kreis"), true},      {QStringLiteral("Bezirk 2026 (Süd)"), true},
        {QStringLiteral("..x"), true},        {QString(), false},
        {QStringLiteral("."), false},         {QStringLiteral(".."), false},
        {QStringLiteral("../x"), false},      {QStringLiteral("a/b"), false},
        {QStringLiteral("a\\b"), false},      {QStringLiteral("..\\x"), false},
        {QStringLiteral("C:x"), false},       {QStringLiteral("wer?"), false},
        {QStringLiteral("a*"), false},        {QStringLiteral("\"a\""), false},
        {QStringLiteral("a<b>"), false},      {QStringLiteral("a|b"), false},
        {QStringLiteral("tab\tname"), false}, {QStringLiteral("Kreis."), false},
        {QStringLiteral("Kreis "), false},    {QStringLiteral("con"), false},
        {QStringLiteral("LPT1.txt"), false},  {QStringLiteral(".~profil-abc"), false},
    };
    schreiben(ts(QStringLiteral("../aussen/bleibt.txt")), "x");
    const QStringList vorher = inhalt(wurzel.path());
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name.toStdString());
        EXPECT_EQ(Profilspeicher::namePruefen(fall.name).ok(), fall.erlaubt);
        if (!fall.erlaubt) {
            EXPECT_FALSE(s.neu(fall.name, ts()).ok());
            EXPECT_EQ(inhalt(wurzel.path()), vorher);
        }
    }
    // Deleting and loading never leave the store either.
    for (const QString& name : {QStringLiteral(".."), QStringLiteral("../aussen"), QString()}) {
        EXPECT_FALSE(s.loeschen(name).ok());
    }
    MeldungenMerken m;
    TAblage a;
    EXPECT_FALSE(
        s.Profilload(QStringLiteral("../tsdir"), ts(), a, QStringLiteral("T"), m, QDateTime::currentDateTime()).ok());
    EXPECT_EQ(inhalt(wurzel.path()), vorher);
}

TEST_F(Profile, failedNewSaveLeavesNothingInTheStore) {
    QFile::remove(ts(QStringLiteral("config_quenda.xml")));
    EXPECT_FALSE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    EXPECT_EQ(inhalt(store()), QStringList());
}

TEST_F(Profile, existingFolderIsNotOverwrittenByNew) {
    ASSERT_TRUE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    arbeitsstand("v2");
    EXPECT_FALSE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    EXPECT_EQ(inhalt(store()), imStore(QStringLiteral("Kreis"), "v1"));
}

TEST_F(Profile, changeKeepingTheNameRewritesTheProfileWithTheCurrentFiles) {
    ASSERT_TRUE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    schreiben(store() + QStringLiteral("/Kreis/meldung_9_9_9_9.txt"), "alt");
    arbeitsstand("v2");
    EXPECT_TRUE(s.aendern(QStringLiteral("Kreis"), QStringLiteral("Kreis"), ts()).wert());
    EXPECT_EQ(inhalt(store()), imStore(QStringLiteral("Kreis"), "v2")); // the old extra message is gone
}

TEST_F(Profile, changeToANewNameReplacesTheOldProfile) {
    ASSERT_TRUE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    ASSERT_TRUE(s.neu(QStringLiteral("Land"), ts()).ok());
    arbeitsstand("v2");
    EXPECT_TRUE(s.aendern(QStringLiteral("Kreis"), QStringLiteral("Bezirk"), ts()).wert());
    EXPECT_EQ(inhalt(store()), imStore(QStringLiteral("Bezirk"), "v2") + imStore(QStringLiteral("Land"), "v1"));
}

TEST_F(Profile, failedChangeKeepsTheOldProfile) {
    ASSERT_TRUE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    const QStringList vorher = inhalt(store());
    arbeitsstand("v2");
    QFile::remove(ts(QStringLiteral("config_quenda.xml")));
    for (const QString& neuerName : {QStringLiteral("Kreis"), QStringLiteral("Bezirk")}) {
        EXPECT_FALSE(s.aendern(QStringLiteral("Kreis"), neuerName, ts()).ok());
        EXPECT_EQ(inhalt(store()), vorher);
    }
    // An invalid new name and a target folder that is there after all change nothing either.
    arbeitsstand("v2");
    EXPECT_FALSE(s.aendern(QStringLiteral("Kreis"), QStringLiteral("../Kreis"), ts()).ok());
    ASSERT_TRUE(QDir(store()).mkdir(QStringLiteral("Bezirk")));
    EXPECT_FALSE(s.aendern(QStringLiteral("Kreis"), QStringLiteral("Bezirk"), ts()).ok());
    EXPECT_EQ(inhalt(store()), QStringList{QStringLiteral("Bezirk/")} + vorher);
}

TEST_F(Profile, deleteRemovesOnlyThatProfile) {
    ASSERT_TRUE(s.neu(QStringLiteral("Kreis"), ts()).ok());
    ASSERT_TRUE(s.neu(QStringLiteral("Bezirk"), ts()).ok());
    EXPECT_TRUE(s.loeschen(QStringLiteral("Kreis")).wert());
    EXPECT_FALSE(s.loeschen(QStringLiteral("Kreis")).wert());
    EXPECT_EQ(inhalt(store()), imStore(QStringLiteral("Bezirk"), "v1"));
    EXPECT_TRUE(QFileInfo::exists(ts(QStringLiteral("config_quenda.xml"))));
}

class ProfilLaden : public Profile {
protected:
    void SetUp() override {
        Profile::SetUp();
        // The profile: another tournament's settings with its own data folder and a presentation.
        TAblage profilAblage;
        profilAblage.aktiv = 2;
        profilAblage.host = QStringLiteral("https://profil.example");
        profilAblage.steuerdatei = QStringLiteral("/q");
        profilAblage.anzweb = 1;
        profilAblage.dbzkd = QStringLiteral("20200101000000");
        Ablagesave(ts(), profilAblage, jetzt);
        TBildschirm b;
        b.id = 1;
        b.wd = 1920;
        b.hg = 1080;
        ConfigSave(ts(QStringLiteral("config_quenda.xml")), QStringLiteral("Altes Turnier"), {b});
        ASSERT_TRUE(s.neu(QStringLiteral("Kreis"), ts()).ok());

        // The working folder of the current tournament.
        ablage.aktiv = 1;
        ablage.verzeichnis = QStringLiteral("/srv/eigen/");
        ablage.dbzkd = QStringLiteral("20261209140533");
        Ablagesave(ts(), ablage, jetzt);
        QFile::remove(ts(QStringLiteral("config_quenda.xml")));
        schreiben(ts(QStringLiteral("images/logo.png")), "eigenes logo");
        schreiben(ts(QStringLiteral("images/eigen.png")), "bleibt");
        schreiben(ts(QStringLiteral("meldung_2_1_1_1.txt")), "bleibt");
    }

    TAblage gelesen() {
        TAblage a;
        EXPECT_TRUE(AblageLoad(ts(), a).ok());
        return a;
    }

    const QDateTime jetzt{QDate(2026, 12, 9), QTime(14, 5, 33), Qt::UTC};
    TAblage ablage;
    MeldungenMerken meldungen;
};

TEST_F(ProfilLaden, takesTheProfileButKeepsTheTournamentsDataFolderAndName) {
    ASSERT_TRUE(
        s.Profilload(QStringLiteral("Kreis"), ts(), ablage, QStringLiteral("Neues Turnier"), meldungen, jetzt).ok());

    EXPECT_EQ(meldungen.texte, QStringList{QStringLiteral("Das Profil Kreis wurde geladen!")});
    EXPECT_EQ(ablage.host, QStringLiteral("https://profil.example"));
    EXPECT_EQ(ablage.aktiv, 2);
    EXPECT_EQ(ablage.verzeichnis, QString());
    EXPECT_EQ(ablage.dbzkd, QStringLiteral("20261209140533"));
    EXPECT_EQ(gelesen(), ablage);

    const QByteArray praesentation = lesen(ts(QStringLiteral("config_quenda.xml")));
    EXPECT_TRUE(praesentation.contains(R"(<Turniername bez="Neues Turnier"/>)")) << praesentation.constData();
    EXPECT_TRUE(praesentation.contains(R"(wd="1920")"));

    EXPECT_EQ(lesen(ts(QStringLiteral("images/logo.png"))), "logo v1");
    EXPECT_EQ(lesen(ts(QStringLiteral("images/halle.jpg"))), "halle v1");
    EXPECT_EQ(lesen(ts(QStringLiteral("meldung_1_1_1_2.dat"))), "m2 v1");
    // Loading adds and replaces; what the profile does not hold stays.
    EXPECT_EQ(lesen(ts(QStringLiteral("images/eigen.png"))), "bleibt");
    EXPECT_EQ(lesen(ts(QStringLiteral("meldung_2_1_1_1.txt"))), "bleibt");
}

TEST_F(ProfilLaden, aFailingImageOrMessageIsShownAndTheOthersAreStillCopied) {
    // Folders where two of the files should go: those copies fail.
    for (const QString& belegt : {QStringLiteral("images/halle.jpg"), QStringLiteral("meldung_1_1_1_1.txt")}) {
        QFile::remove(ts(belegt));
        ASSERT_TRUE(QDir(ts()).mkpath(belegt + QStringLiteral("/belegt")));
    }
    ASSERT_TRUE(
        s.Profilload(QStringLiteral("Kreis"), ts(), ablage, QStringLiteral("Neues Turnier"), meldungen, jetzt).ok());

    ASSERT_EQ(meldungen.texte.size(), 3) << meldungen.texte.join(u'\n').toStdString();
    EXPECT_TRUE(meldungen.texte[0].contains(QStringLiteral("halle.jpg")));
    EXPECT_TRUE(meldungen.texte[1].contains(QStringLiteral("meldung_1_1_1_1.txt")));
    EXPECT_EQ(meldungen.texte[2], QStringLiteral("Das Profil Kreis wurde geladen!"));
    EXPECT_EQ(lesen(ts(QStringLiteral("images/logo.png"))), "logo v1");
    EXPECT_EQ(lesen(ts(QStringLiteral("meldung_1_1_1_2.dat"))), "m2 v1");
}

TEST_F(ProfilLaden, aProfileWithBrokenSettingsLeavesTheWorkingFolderAsItWas) {
    schreiben(store() + QStringLiteral("/Kreis/config_ablage.xml"), "<ablage");
    const QByteArray vorher = lesen(ts(QStringLiteral("config_ablage.xml")));
    EXPECT_FALSE(
        s.Profilload(QStringLiteral("Kreis"), ts(), ablage, QStringLiteral("Neues Turnier"), meldungen, jetzt).ok());
    EXPECT_EQ(lesen(ts(QStringLiteral("config_ablage.xml"))), vorher);
    EXPECT_EQ(ablage.verzeichnis, QStringLiteral("/srv/eigen/"));
    EXPECT_FALSE(QFileInfo::exists(ts(QStringLiteral("config_quenda.xml"))));
}

TEST_F(ProfilLaden, aProfileWithoutPresentationEndsTheLoadThere) {
    QFile::remove(store() + QStringLiteral("/Kreis/config_quenda.xml"));
    EXPECT_FALSE(
        s.Profilload(QStringLiteral("Kreis"), ts(), ablage, QStringLiteral("Neues Turnier"), meldungen, jetzt).ok());
    EXPECT_TRUE(meldungen.texte.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ts(QStringLiteral("config_quenda.xml"))));
    EXPECT_EQ(ablage.dbzkd, QStringLiteral("20261209140533"));
}

} // namespace
