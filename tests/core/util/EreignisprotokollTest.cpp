#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

using namespace quenda;

namespace {

QDateTime um(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

TEST(Ereignisprotokoll, appendsLinesToTheFileOfTheDay) {
    QTemporaryDir dir;
    Programmuhr uhr;
    uhr.festsetzen(um("2026-12-09 23:59:59"));
    Ereignisprotokoll log(uhr);
    log.setOrdner(dir.path());
    log.protokoll(log.mitZeit(QStringLiteral("Start Übertragung")));
    log.protokoll(QStringLiteral("Ermittlung Auslosungen"));
    uhr.vorstellen(1);
    log.protokoll(log.mitZeit(QStringLiteral("Ende Übertragung")));

    const QString gestern = dir.filePath(QStringLiteral("protokoll_20261209.pzk"));
    const QString heute = dir.filePath(QStringLiteral("protokoll_20261210.pzk"));
    QFile datei(gestern);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(datei.readAll(), QByteArray("2026-12-09 23:59:59 Start \xdc"
                                          "bertragung\r\nErmittlung Auslosungen\r\n"));
    EXPECT_EQ(textdatei::lesen(heute), QStringList{QStringLiteral("2026-12-10 00:00:00 Ende Übertragung")});
}

TEST(Ereignisprotokoll, writesToTheFolderOfTheConnectedTournament) {
    QTemporaryDir alt, neu;
    Programmuhr uhr;
    uhr.festsetzen(um("2026-12-09 10:00:00"));
    Ereignisprotokoll log(uhr);
    log.setOrdner(alt.path());
    log.protokoll(QStringLiteral("a"));
    log.setOrdner(neu.path());
    log.protokoll(QStringLiteral("b"));
    EXPECT_EQ(textdatei::lesen(alt.filePath(QStringLiteral("protokoll_20261209.pzk"))),
              QStringList{QStringLiteral("a")});
    EXPECT_EQ(textdatei::lesen(neu.filePath(QStringLiteral("protokoll_20261209.pzk"))),
              QStringList{QStringLiteral("b")});
}

TEST(Ereignisprotokoll, unwritableLogRaisesToTheCaller) {
    QTemporaryDir dir;
    Programmuhr uhr;
    Ereignisprotokoll log(uhr);
    EXPECT_THROW(log.protokoll(QStringLiteral("ohne Ordner")), IoError);
    log.setOrdner(dir.filePath(QStringLiteral("gibt_es_nicht")));
    EXPECT_THROW(log.protokoll(QStringLiteral("x")), IoError);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("gibt_es_nicht"))).exists());
}

TEST(Ereignisprotokoll, memoLinesGoOutAsSignalAlongsideTheLog) {
    QTemporaryDir dir;
    Programmuhr uhr;
    uhr.festsetzen(um("2026-12-09 10:00:00"));
    Ereignisprotokoll log(uhr);
    log.setOrdner(dir.path());
    QSignalSpy spy(&log, &Ereignisprotokoll::memoZeile);
    log.memoUndProtokoll(QStringLiteral("2026-12-09 10:00:00 Fehler"));
    log.memo(QStringLiteral("nur Memo"));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("2026-12-09 10:00:00 Fehler"));
    EXPECT_EQ(textdatei::lesen(dir.filePath(QStringLiteral("protokoll_20261209.pzk"))),
              QStringList{QStringLiteral("2026-12-09 10:00:00 Fehler")});
}

TEST(Ereignisprotokoll, twoThreadsAtOnceLoseNoLineAndSplitNone) {
    QTemporaryDir dir;
    Programmuhr uhr;
    uhr.festsetzen(um("2026-12-09 10:00:00"));
    Ereignisprotokoll log(uhr);
    log.setOrdner(dir.path());
    constexpr int zeilenJeThread = 2000;
    const QString fuellung(200, u'x');
    auto schreiber = [&](QChar kennung) {
        for (int i = 0; i < zeilenJeThread; ++i) {
            log.protokoll(QString(kennung) + QString::number(i) + u' ' + fuellung);
        }
    };
    std::thread a(schreiber, u'A');
    std::thread b(schreiber, u'B');
    a.join();
    b.join();

    const QStringList zeilen = textdatei::lesen(dir.filePath(QStringLiteral("protokoll_20261209.pzk")));
    ASSERT_EQ(zeilen.size(), 2 * zeilenJeThread);
    QSet<QString> gesehen;
    for (const QString& zeile : zeilen) {
        ASSERT_TRUE(zeile.endsWith(u' ' + fuellung)) << zeile.left(20).toStdString();
        gesehen.insert(zeile.section(u' ', 0, 0));
    }
    EXPECT_EQ(gesehen.size(), 2 * zeilenJeThread);
}
