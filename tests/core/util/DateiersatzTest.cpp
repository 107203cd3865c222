#include "util/Dateiersatz.h"
#include "support/Dateien.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

class Dateiersatz : public ::testing::TestWithParam<Ablauf> {};

} // namespace

// Both ways leave exactly the file and nothing under another name: a new file, a longer and a shorter
// replacement, an empty one.
TEST_P(Dateiersatz, replacesTheWholeFileAndLeavesNothingElse) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("spiele0001_01_01.txt"));
    for (const QByteArray& inhalt :
         {QByteArray("a\r\n"), QByteArray(100000, 'x'), QByteArray("kurz\r\n"), QByteArray()}) {
        datei_ersetzen(pfad, inhalt, GetParam());
        EXPECT_EQ(dateiInhalt(pfad), inhalt);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("spiele0001_01_01.txt")});
    }
}

TEST_P(Dateiersatz, aMissingFolderIsAnErrorNamingTheFile) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("fehlt/datei.txt"));
    try {
        datei_ersetzen(pfad, "x", GetParam());
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_TRUE(e.message().contains(pfad)) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(pfad));
}

INSTANTIATE_TEST_SUITE_P(Ablaeufe, Dateiersatz, ::testing::Values(Ablauf::Dauerhaft, Ablauf::Zyklus));
