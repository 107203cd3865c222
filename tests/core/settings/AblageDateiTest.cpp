#include "settings/AblageDatei.h"
#include "settings/AblagePruefung.h"
#include "support/MeldungenMerken.h"
#include "util/QuendaError.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

TAblage beispiel() {
    TAblage a;
    a.aktiv = 1;
    a.verzeichnis = QStringLiteral("/srv/www/");
    a.host = QStringLiteral("https://turnier.example");
    a.steuerdatei = QStringLiteral("/quenda");
    a.anzweb = 1;
    a.pocko = 1;
    a.aktivpocko = 2;
    a.verzeichnispocko = QStringLiteral("/srv/pocko/");
    a.hostpocko = QStringLiteral("https://pocko.example");
    a.steuerdateipocko = QStringLiteral("/p");
    a.impressum = QStringLiteral("https://verein.example/impressum?a=1&b=\"Süd\"");
    a.datenschutz = QStringLiteral("https://verein.example/datenschutz");
    a.dbzkd = QStringLiteral("20261209101500");
    return a;
}

class AblageDatei : public ::testing::Test {
protected:
    QString pfad() const { return QDir(dir.path()).filePath(QStringLiteral("config_ablage.xml")); }
    void schreiben(const char* xml) {
        QFile f(pfad());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml);
    }

    // Loads as the program's callers do: a failure's text is shown.
    bool laden(TAblage& ablage) {
        const Ergebnis<void> geladen = AblageLoad(dir.path(), ablage);
        if (!geladen.ok()) {
            meldungen.meldung(geladen.fehler());
        }
        return geladen.ok();
    }

    QTemporaryDir dir;
    MeldungenMerken meldungen;
    const QDateTime jetzt{QDate(2026, 12, 9), QTime(14, 5, 33), Qt::UTC};
};

TEST_F(AblageDatei, savedSettingsLoadBackUnchangedWithAttributesInTheirOrder) {
    TAblage gespeichert = beispiel();
    Ablagesave(dir.path(), gespeichert, jetzt);

    TAblage geladen;
    EXPECT_TRUE(laden(geladen));
    EXPECT_EQ(geladen, gespeichert);
    EXPECT_TRUE(meldungen.texte.isEmpty());

    QFile f(pfad());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")));
    QStringList namen;
    const QRegularExpression attribut(QStringLiteral(R"(\s([a-z_]+)=)"));
    for (auto it = attribut.globalMatch(xml.mid(xml.indexOf(QStringLiteral("<ablage")))); it.hasNext();) {
        namen.append(it.next().captured(1));
    }
    EXPECT_EQ(namen.join(u','), QStringLiteral("anzweb,aktiv,verzeichnis,host,steuerdatei,pocko,aktiv_px,"
                                               "verzeichnis_px,host_px,steuerdatei_px,impressum,datenschutz,dbzkd"));
}

TEST_F(AblageDatei, withoutAFileTheDefaultsApply) {
    TAblage ablage = beispiel();
    EXPECT_TRUE(laden(ablage));
    EXPECT_EQ(ablage, TAblage{});
    EXPECT_EQ(ablage.aktivpocko, 2);
    EXPECT_EQ(ablage.aktiv, 0);
    EXPECT_TRUE(meldungen.texte.isEmpty());
}

TEST_F(AblageDatei, missingOptionalAttributesKeepTheirValuesOthersBecomeEmpty) {
    schreiben(R"(<?xml version="1.0" encoding="UTF-8"?>
<Wurzel>
  <ablage aktiv="2" host="h" pocko="0" aktiv_px="1" impressum="" dbzkd="z"/>
</Wurzel>)");
    TAblage ablage = beispiel();
    EXPECT_TRUE(laden(ablage));
    EXPECT_EQ(ablage.anzweb, 1);                       // absent: kept
    EXPECT_EQ(ablage.impressum, beispiel().impressum); // empty: kept
    EXPECT_EQ(ablage.datenschutz, beispiel().datenschutz);
    EXPECT_EQ(ablage.aktiv, 2);
    EXPECT_EQ(ablage.host, QStringLiteral("h"));
    EXPECT_EQ(ablage.verzeichnis, QString()); // absent text: empty
    EXPECT_EQ(ablage.steuerdateipocko, QString());
    EXPECT_EQ(ablage.aktivpocko, 1);
    EXPECT_EQ(ablage.dbzkd, QStringLiteral("z"));
}

TEST_F(AblageDatei, laterAblageElementsOverwriteEarlierOnes) {
    schreiben(R"(<Turnier><ablage aktiv="1" pocko="0" aktiv_px="1" host="alt"/><x/>)"
              R"(<ablage aktiv="2" pocko="1" aktiv_px="2" host="neu"/></Turnier>)");
    TAblage ablage;
    EXPECT_TRUE(laden(ablage));
    EXPECT_EQ(ablage.host, QStringLiteral("neu"));
    EXPECT_EQ(ablage.pocko, 1);
}

TEST_F(AblageDatei, aMissingRequiredNumberStopsTheLoadAfterTheFieldsBeforeIt) {
    schreiben(R"(<Turnier><ablage anzweb="0" aktiv="2" verzeichnis="v" host="h" steuerdatei="s" )"
              R"(aktiv_px="1" verzeichnis_px="vp" dbzkd="neu"/></Turnier>)");
    TAblage ablage = beispiel();
    EXPECT_FALSE(laden(ablage));
    ASSERT_EQ(meldungen.texte.size(), 1);
    EXPECT_TRUE(meldungen.texte[0].contains(QStringLiteral("\"pocko\""))) << meldungen.texte[0].toStdString();
    EXPECT_EQ(ablage.anzweb, 0); // read before the fault
    EXPECT_EQ(ablage.aktiv, 2);
    EXPECT_EQ(ablage.steuerdatei, QStringLiteral("s"));
    EXPECT_EQ(ablage.verzeichnispocko, beispiel().verzeichnispocko); // after it: untouched
    EXPECT_EQ(ablage.dbzkd, beispiel().dbzkd);
}

TEST_F(AblageDatei, aHandEditedFolderNameTheScriptWouldRefuseStopsTheLoad) {
    schreiben(R"(<Turnier><ablage aktiv="2" pocko="1" aktiv_px="2" dbzkd="a..b"/></Turnier>)");
    TAblage ablage = beispiel();
    EXPECT_FALSE(laden(ablage));
    EXPECT_EQ(meldungen.texte, QStringList{QStringLiteral("Die Datei %1 ist fehlerhaft: Die ZKD-Ordner Bezeichnung "
                                                          "\"a..b\" ")
                                               .arg(pfad()) +
                                           zkdRegel()});
    EXPECT_EQ(ablage.dbzkd, beispiel().dbzkd);
}

TEST_F(AblageDatei, aRequiredAttributeThatIsNoNumberIsReportedToo) {
    schreiben(R"(<Turnier><ablage aktiv="zwei" pocko="1" aktiv_px="1"/></Turnier>)");
    TAblage ablage;
    EXPECT_FALSE(laden(ablage));
    ASSERT_EQ(meldungen.texte.size(), 1);
    EXPECT_TRUE(meldungen.texte[0].contains(QStringLiteral("\"aktiv\"")));
}

TEST_F(AblageDatei, aMalformedFileIsReportedAndChangesNothing) {
    for (const char* kaputt : {"", "<Turnier><ablage aktiv=\"1\" pocko=\"1\" aktiv_px=\"1\" host=\"x\"/>",
                               "<Turnier><ablage aktiv=\"1\"></Turnier>"}) {
        SCOPED_TRACE(kaputt);
        schreiben(kaputt);
        meldungen.texte.clear();
        TAblage ablage = beispiel();
        EXPECT_FALSE(laden(ablage));
        EXPECT_EQ(meldungen.texte, QStringList{QStringLiteral("XML-Datei konnte nicht geladen werden")});
        EXPECT_EQ(ablage, beispiel());
    }
}

TEST_F(AblageDatei, theFolderSuffixIsStampedOnFirstSaveAndThenKept) {
    TAblage ablage = beispiel();
    ablage.dbzkd.clear();
    Ablagesave(dir.path(), ablage, ablage, std::nullopt, jetzt);
    EXPECT_EQ(ablage.dbzkd, QStringLiteral("20261209140533"));

    Ablagesave(dir.path(), ablage, ablage, std::nullopt, jetzt.addSecs(3600));
    TAblage geladen;
    ASSERT_TRUE(laden(geladen));
    EXPECT_EQ(geladen.dbzkd, QStringLiteral("20261209140533"));
}

TEST_F(AblageDatei, anUnlockedFolderNameReplacesTheSuffixAndOnlyDbzkdOfTheRecordChanges) {
    TAblage ablage = beispiel();
    TAblage werte = beispiel();
    werte.host = QStringLiteral("https://neu.example");
    Ablagesave(dir.path(), ablage, werte, QStringLiteral(" Stadtmeisterschaft "), jetzt);
    EXPECT_EQ(ablage.dbzkd, QStringLiteral("Stadtmeisterschaft"));
    EXPECT_EQ(ablage.host, beispiel().host); // the caller copies the dialog values afterwards

    TAblage geladen;
    ASSERT_TRUE(laden(geladen));
    EXPECT_EQ(geladen.host, QStringLiteral("https://neu.example"));
    EXPECT_EQ(geladen.dbzkd, QStringLiteral("Stadtmeisterschaft"));
}

TEST_F(AblageDatei, aFailedSaveLeavesTheRecordAsItWas) {
    TAblage ablage = beispiel();
    ablage.dbzkd.clear();
    const QString fehlt = QDir(dir.path()).filePath(QStringLiteral("gibtesnicht"));
    EXPECT_THROW(Ablagesave(fehlt, ablage, jetzt), IoError);
    EXPECT_EQ(ablage.dbzkd, QString());
}

struct Pruefung {
    const char* name;
    int anzweb, aktiv, pocko, aktivpocko;
    bool felderLeer;
    std::optional<QString> zkd;
    QStringList felder; // names in the expected messages, in order
};

TEST(AblagePruefung, checksTheFieldsOfTickedTargetsInOrder) {
    const QStringList alle = {QStringLiteral("HOST (Internetadresse)"), QStringLiteral("Steuerdatei (php)"),
                              QStringLiteral("Verzeichnis Pocko Webserver Ablage")};
    const Pruefung faelle[] = {
        {"nothing ticked", 0, 1, 0, 1, true, std::nullopt, {}},
        {"screen by directory", 1, 1, 0, 2, true, std::nullopt, {QStringLiteral("Verzeichnis Webserver Ablage")}},
        {"both over http",
         1,
         2,
         1,
         2,
         true,
         std::nullopt,
         {QStringLiteral("HOST (Internetadresse)"), QStringLiteral("Steuerdatei (php)"),
          QStringLiteral("HOST (Internetadresse) Pocko"), QStringLiteral("Steuerdatei (php) Pocko")}},
        {"transport 0 counts as http", 1, 0, 1, 1, true, std::nullopt, alle},
        {"phone by directory", 0, 2, 1, 1, true, std::nullopt, {QStringLiteral("Verzeichnis Pocko Webserver Ablage")}},
        {"filled fields pass", 1, 2, 1, 1, false, std::nullopt, {}},
        {"unlocked empty folder name",
         0,
         1,
         0,
         1,
         true,
         QStringLiteral("  "),
         {QStringLiteral("ZKD-Ordner Bezeichnung")}},
    };
    for (const Pruefung& fall : faelle) {
        SCOPED_TRACE(fall.name);
        TAblage werte;
        werte.anzweb = fall.anzweb;
        werte.aktiv = fall.aktiv;
        werte.pocko = fall.pocko;
        werte.aktivpocko = fall.aktivpocko;
        if (!fall.felderLeer) {
            werte = beispiel();
            werte.aktiv = fall.aktiv;
            werte.aktivpocko = fall.aktivpocko;
        } else {
            werte.host = QStringLiteral("   "); // blanks only count as empty
        }
        MeldungenMerken m;
        EXPECT_EQ(ablageEingabenPruefen(werte, fall.zkd, m), fall.felder.isEmpty());
        QStringList erwartet;
        for (const QString& feld : fall.felder) {
            erwartet.append(QStringLiteral("Es ist eine Eingabe im Feld ") + feld + QStringLiteral(" erforderlich."));
        }
        EXPECT_EQ(m.texte, erwartet);
    }
}

// The script's own verdict on "zkd" + each name, by running its rule in the PHP CLI.
QList<bool> skriptUrteil(const QStringList& namen) {
    QProcess php;
    php.start(QStringLiteral("php"),
              {QStringLiteral("-r"), QStringLiteral("require '" QUENDA_SOURCE_DIR "/server/einstellungen.php';"
                                                    "foreach (json_decode(stream_get_contents(STDIN)) as $n) "
                                                    "echo quenda_zkd_gueltig('zkd' . $n) ? '1' : '0';")});
    php.write(QJsonDocument(QJsonArray::fromStringList(namen)).toJson());
    php.closeWriteChannel();
    if (!php.waitForFinished(30000) || php.exitCode() != 0) {
        ADD_FAILURE() << "php: " << php.readAllStandardError().toStdString();
        return {};
    }
    QList<bool> urteil;
    for (const char c : php.readAllStandardOutput()) {
        urteil.append(c == '1');
    }
    return urteil;
}

TEST(AblagePruefung, theFolderNameFollowsTheUploadScriptsRule) {
    const struct {
        QString name;
        bool gueltig;
    } faelle[] = {
        {QStringLiteral("20261209140533"), true},
        {QStringLiteral("Stadtmeisterschaft 2026"), true},
        {QStringLiteral("Süd-Ost_Pokal (Jugend) #3 & Co."), true},
        {QString(120, u'a'), true},
        {QString(121, u'a'), false},
        {QString(60, u'ä'), true}, // 120 bytes
        {QString(61, u'ä'), false},
        {QStringLiteral("a..b"), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("x/../../etc"), false},
        {QStringLiteral("a\\b"), false},
        {QStringLiteral("C:"), false},
        {QStringLiteral("wer?"), false},
        {QStringLiteral("a*"), false},
        {QStringLiteral("\"x\""), false},
        {QStringLiteral("<b>"), false},
        {QStringLiteral("a|b"), false},
        {QStringLiteral("tab\tulator"), false},
        {QStringLiteral("zeile\n"), false},
        {QStringLiteral("entf\x7f"), false},
        {QStringLiteral(" vorn"), false},
        {QStringLiteral("hinten "), false},
    };
    QStringList namen;
    for (const auto& f : faelle) {
        namen.append(f.name);
    }
    const QList<bool> skript = skriptUrteil(namen);
    ASSERT_EQ(skript.size(), namen.size());
    for (qsizetype i = 0; i < namen.size(); ++i) {
        SCOPED_TRACE(namen[i].toStdString());
        EXPECT_EQ(zkdBezeichnungGueltig(namen[i]), faelle[i].gueltig);
        EXPECT_EQ(skript[i], faelle[i].gueltig) << "the upload script's verdict";
    }
    EXPECT_TRUE(zkdBezeichnungGueltig(QString())) << "a settings file without a name yet";
}

TEST(AblagePruefung, theDialogRefusesANameTheScriptWouldRefuse) {
    MeldungenMerken m;
    const QString meldung = QStringLiteral(
        "Die ZKD-Ordner Bezeichnung darf keines der Zeichen \\ / : * ? \" < > | und kein \"..\" enthalten, "
        "nicht mit einem Leerzeichen beginnen oder enden und höchstens 120 Bytes lang sein.");
    for (const QString& name : {QStringLiteral("Kreis..meisterschaft"), QStringLiteral("x/../../etc")}) {
        m.texte.clear();
        EXPECT_FALSE(ablageEingabenPruefen(TAblage{}, name, m));
        EXPECT_EQ(m.texte, QStringList{meldung});
    }
    m.texte.clear();
    EXPECT_TRUE(ablageEingabenPruefen(TAblage{}, QStringLiteral(" Stadtmeisterschaft 2026 "), m)) << "trimmed first";
    EXPECT_TRUE(m.texte.isEmpty());
}

} // namespace

TEST_F(AblageDatei, tokensAreWrittenLastOnlyWhenSetAndLoadBack) {
    TAblage gespeichert = beispiel();
    gespeichert.token = QStringLiteral("ge<heim>&\"");
    gespeichert.tokenpocko = QStringLiteral("zwei");
    Ablagesave(dir.path(), gespeichert, jetzt);
    TAblage geladen;
    EXPECT_TRUE(laden(geladen));
    EXPECT_EQ(geladen, gespeichert);
    QFile f(pfad());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(xml.contains(QStringLiteral(R"(dbzkd="20261209101500" token=")"))) << xml.toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral(R"(" token_px="zwei"/>)"))) << xml.toStdString();

    // A file without them (as every older one) clears a token held before.
    schreiben(R"(<Turnier><ablage aktiv="2" pocko="1" aktiv_px="2" host="h"/></Turnier>)");
    EXPECT_TRUE(laden(geladen));
    EXPECT_EQ(geladen.token, QString());
    EXPECT_EQ(geladen.tokenpocko, QString());
    EXPECT_TRUE(meldungen.texte.isEmpty());
}
