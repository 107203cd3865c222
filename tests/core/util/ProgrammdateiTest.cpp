#include "util/Programmdatei.h"
#include "util/Dateiersatz.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;

namespace {

TEST(Programmdatei, versionComesFromTheIniBesideTheProgram) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("quenda20.ini"));
    EXPECT_EQ(programmdateiLesen(dir.path()).version, QStringLiteral("4.0"));
    datei_ersetzen(ini, "[quenda20]\r\nversion=2.0.0.4\r\n");
    EXPECT_EQ(programmdateiLesen(dir.path()).version, QStringLiteral("2.0.0.4"));
    datei_ersetzen(ini, "[anders]\r\nversion=1\r\n");
    EXPECT_EQ(programmdateiLesen(dir.path()).version, QStringLiteral("4.000"));
}

TEST(Programmdatei, serviceAddressesComeFromTheIniFileWithDefaults) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("quenda20.ini"));
    const Versionsdienst standard = programmdateiLesen(dir.path()).dienst;
    EXPECT_FALSE(standard.server.isEmpty());
    EXPECT_TRUE(standard.download.startsWith(QStringLiteral("https://")));

    datei_ersetzen(ini, "[quenda20]\nversion=2.0.0.0\nversionsserver=versionen.example:8443\n");
    Versionsdienst d = programmdateiLesen(dir.path()).dienst;
    EXPECT_EQ(d.server, QStringLiteral("versionen.example:8443"));
    EXPECT_EQ(d.download, standard.download);

    datei_ersetzen(ini, "[quenda20]\nversion=2.0.0.0\ndownloadadresse=https://dl.example/quenda?x=1\n");
    d = programmdateiLesen(dir.path()).dienst;
    EXPECT_EQ(d.server, standard.server);
    EXPECT_EQ(d.download, QStringLiteral("https://dl.example/quenda?x=1"));
}

} // namespace
