#include "util/TextDatei.h"
#include "support/Dateien.h"
#include "util/QuendaError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {} // namespace

TEST(TextDatei, writesWindows1252WithCrLfAfterEveryLine) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("spiele_0007_01_01_org.txt"));
    textdatei::schreiben(pfad, {QStringLiteral("Müller, Jörg|Süd"), QString(), QStringLiteral("€ „x“ – Œ")});
    EXPECT_EQ(dateiInhalt(pfad), QByteArray("M\xfcller, J\xf6rg|S\xfc"
                                            "d\r\n\r\n\x80 \x84x\x93 \x96 \x8c\r\n"));
}

TEST(TextDatei, writesCharactersOutsideTheCodePageAsQuestionMarks) {
    // One "?" per character, also for characters outside the basic plane.
    EXPECT_EQ(textdatei::zuAnsi(u"Zhāng 张 😀 Ω"), QByteArray("Zh?ng ? ? ?"));
}

TEST(TextDatei, emptyListGivesAnEmptyFile) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("leer.txt"));
    textdatei::schreiben(pfad, {});
    EXPECT_TRUE(QFile::exists(pfad));
    EXPECT_EQ(dateiInhalt(pfad).size(), 0);
}

TEST(TextDatei, readsBackWhatItWrote) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("x.txt"));
    const QStringList zeilen = {QStringLiteral("Äß|€|‰"), QStringLiteral(" "), QString(), QStringLiteral("Ende")};
    textdatei::schreiben(pfad, zeilen);
    EXPECT_EQ(textdatei::lesen(pfad), zeilen);
    // Every byte decodes; the five unassigned ones to the control character of the same value.
    QByteArray alle;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') {
            alle.append(static_cast<char>(b));
        }
    }
    EXPECT_EQ(textdatei::zuAnsi(textdatei::vonAnsi(alle)), alle);
}

TEST(TextDatei, readsLfOnlyFilesAndALastLineWithoutEnd) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("x.txt"));
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("eins\ntwo\r\ndrei");
    datei.close();
    EXPECT_EQ(textdatei::lesen(pfad),
              QStringList({QStringLiteral("eins"), QStringLiteral("two"), QStringLiteral("drei")}));
}

TEST(TextDatei, missingFolderOrFileRaises) {
    QTemporaryDir dir;
    EXPECT_THROW(textdatei::schreiben(dir.filePath(QStringLiteral("fehlt/x.txt")), {QStringLiteral("a")}), IoError);
    EXPECT_THROW(textdatei::lesen(dir.filePath(QStringLiteral("fehlt.txt"))), IoError);
}
