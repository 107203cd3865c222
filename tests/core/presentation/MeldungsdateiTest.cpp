#include "presentation/Meldungsdatei.h"
#include "PraesentationHilfen.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

TEST(Meldungsdatei, namesPadEachIdToTwoDigits) {
    EXPECT_EQ(meldungDateiname(1, 2, 1, 3, true), QStringLiteral("meldung_01_02_01_03_org.txt"));
    EXPECT_EQ(meldungDateiname(1, 2, 1, 3, false), QStringLiteral("meldung_01_02_01_03.txt"));
    EXPECT_EQ(meldungDateiname(12, 123, 1, 1, true), QStringLiteral("meldung_12_123_01_01_org.txt"));
}

TEST(Meldungsdatei, textIsWrittenInWindows1252WithCrLfBetweenLinesOnly) {
    QTemporaryDir dir;
    const QString name = meldungDateiname(1, 1, 1, 1, true);
    MeldungSave(dir.path(), name, {QStringLiteral("Halle schließt um 22 Uhr"), Meldungskodierung::Ansi});
    EXPECT_EQ(lesen(dir.filePath(name)), QByteArray("Halle schlie\xDF"
                                                    "t um 22 Uhr"));

    MeldungSave(dir.path(), name, {QStringLiteral("Erste Zeile\nZweite €\n\nLetzte"), Meldungskodierung::Ansi});
    EXPECT_EQ(lesen(dir.filePath(name)), QByteArray("Erste Zeile\r\nZweite \x80\r\n\r\nLetzte"));
    EXPECT_EQ(MeldungLoad(dir.path(), name).text, QStringLiteral("Erste Zeile\nZweite €\n\nLetzte"));

    MeldungSave(dir.path(), name, {QString(), Meldungskodierung::Ansi});
    EXPECT_TRUE(lesen(dir.filePath(name)).isEmpty());
}

TEST(Meldungsdatei, loadFallsBackToThePublishedFileAndFailsWhenBothAreGone) {
    QTemporaryDir dir;
    const QString org = meldungDateiname(1, 1, 1, 1, true);
    const QString veroeffentlicht = meldungDateiname(1, 1, 1, 1, false);
    schreiben(dir.filePath(veroeffentlicht), "Ver\xF6"
                                             "ffentlicht");
    EXPECT_EQ(MeldungLoad(dir.path(), org).text, QStringLiteral("Veröffentlicht"));
    MeldungDelete(dir.path(), veroeffentlicht);
    MeldungDelete(dir.path(), veroeffentlicht); // a missing file is no error
    EXPECT_THROW(MeldungLoad(dir.path(), org), IoError);
}

TEST(Meldungsdatei, aFileWithAByteOrderMarkIsWrittenBackTheSameWay) {
    QTemporaryDir dir;
    const QString org = meldungDateiname(2, 1, 1, 1, true);
    schreiben(dir.filePath(org), "\xEF\xBB\xBF"
                                 "Gr\xC3\xBC\xC3\x9F"
                                 "e\r\n\xE2\x9C\x93");
    Meldungstext m = MeldungLoad(dir.path(), org);
    EXPECT_EQ(m.kodierung, Meldungskodierung::Utf8Bom);
    EXPECT_EQ(m.text, QStringLiteral("Grüße\n✓"));
    m.text += QStringLiteral("!");
    MeldungSave(dir.path(), org, m);
    EXPECT_EQ(lesen(dir.filePath(org)), QByteArray("\xEF\xBB\xBF"
                                                   "Gr\xC3\xBC\xC3\x9F"
                                                   "e\r\n\xE2\x9C\x93!"));

    schreiben(dir.filePath(org), QByteArray("\xFF\xFE"
                                            "A\0\r\0\n\0B\0",
                                            10));
    m = MeldungLoad(dir.path(), org);
    EXPECT_EQ(m.kodierung, Meldungskodierung::Utf16LeBom);
    EXPECT_EQ(m.text, QStringLiteral("A\nB"));
    MeldungSave(dir.path(), org, m);
    EXPECT_EQ(lesen(dir.filePath(org)), QByteArray("\xFF\xFE"
                                                   "A\0\r\0\n\0B\0",
                                                   10));
}
