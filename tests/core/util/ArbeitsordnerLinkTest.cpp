#include "presentation/ConfigDatei.h"
#include "settings/XmlKonfig.h"
#include "support/Dateien.h"
#include "util/Dateiersatz.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

struct Schreibweg {
    const char* titel;
    const char* name;
    std::function<void(const QString& tsdir, const QString& pfad)> schreiben;
};

// Every way the program writes its own files in the working folder, with a link planted under the name.
const Schreibweg wege[] = {
    {"replaced file", "nachsenden_anzweb.lst", [](const QString&, const QString& p) { datei_ersetzen(p, "neu\r\n"); }},
    {"replaced file of a cycle", "spiele_0001_01_01.txt",
     [](const QString&, const QString& p) { datei_ersetzen(p, "neu\r\n", Ablauf::Zyklus); }},
    {"text file", "auslodat.txt",
     [](const QString&, const QString& p) { textdatei::schreiben(p, {QStringLiteral("neu")}); }},
    {"settings", "config_ablage.xml",
     [](const QString&, const QString& p) { xmlkonfig::schreiben(p, QStringLiteral("Turnier"), {}); }},
    {"presentation", "config_quenda.xml",
     [](const QString&, const QString& p) { ConfigSave(p, QStringLiteral("T"), {}); }},
    {"event log", "protokoll_20261209.pzk",
     [](const QString& tsdir, const QString&) {
         Programmuhr uhr;
         uhr.festsetzen(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
         Ereignisprotokoll protokoll(uhr);
         protokoll.setOrdner(tsdir);
         protokoll.protokoll(QStringLiteral("neu"));
     }},
};

class Arbeitsordnerlink : public ::testing::TestWithParam<Schreibweg> {};

TEST_P(Arbeitsordnerlink, aLinkInTheWorkingFolderIsReplacedAndItsTargetNeverWritten) {
    QTemporaryDir dir;
    const QString tsdir = dir.filePath(QStringLiteral("qnda001t"));
    QDir().mkpath(tsdir);
    const QString fremd = dir.filePath(QStringLiteral("fremd.txt"));
    QFile f(fremd);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("privat\r\n");
    f.close();
    const QString pfad = QDir(tsdir).filePath(QString::fromLatin1(GetParam().name));
    ASSERT_TRUE(QFile::link(fremd, pfad));

    GetParam().schreiben(tsdir, pfad);

    EXPECT_EQ(lesen(fremd), QByteArray("privat\r\n"));
    EXPECT_FALSE(QFileInfo(pfad).isSymLink());
    EXPECT_TRUE(QFileInfo(pfad).isFile());
    EXPECT_FALSE(lesen(pfad).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Wege, Arbeitsordnerlink, ::testing::ValuesIn(wege), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
});

TEST(XmlGrenzen, filesLargerThan16MbOrDeeperThan64LevelsAreNotLoaded) {
    QTemporaryDir dir;
    const auto datei = [&dir](const QByteArray& inhalt) {
        const QString pfad = dir.filePath(QStringLiteral("config_ablage.xml"));
        QFile f(pfad);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
        return pfad;
    };
    const auto verschachtelt = [](int tiefe) {
        return QByteArray("<a>").repeated(tiefe) + QByteArray("</a>").repeated(tiefe);
    };
    EXPECT_TRUE(xmlkonfig::elementeLesen(datei(verschachtelt(64))).ok());
    EXPECT_FALSE(xmlkonfig::elementeLesen(datei(verschachtelt(65))).ok());
    const QByteArray kopf = "<Turnier><ablage a=\"1\"/><!--";
    const QByteArray ende = "--></Turnier>";
    const qsizetype grenze = 16 * 1024 * 1024;
    EXPECT_TRUE(xmlkonfig::kinderLesen(datei(kopf + QByteArray(grenze - kopf.size() - ende.size(), 'x') + ende)).ok());
    EXPECT_FALSE(
        xmlkonfig::kinderLesen(datei(kopf + QByteArray(grenze + 1 - kopf.size() - ende.size(), 'x') + ende)).ok());
}

} // namespace
