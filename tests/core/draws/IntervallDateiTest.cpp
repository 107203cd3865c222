#include "draws/IntervallDatei.h"
#include "TestTurnier.h"
#include "draws/AusloList.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;

namespace {

class IntervallDatei : public ::testing::Test {
protected:
    void schreiben(const char* xml) {
        QFile f(QDir(dir.path()).filePath(QStringLiteral("config_auslo.xml")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml);
    }

    QTemporaryDir dir;
    MeldungenMerken meldungen;
};

TEST_F(IntervallDatei, theLastMatchingElementWinsAndMissingEntriesGiveZero) {
    EXPECT_EQ(IntervallLoad(dir.path(), 17, meldungen), 0); // no file yet

    schreiben(R"(<?xml version="1.0" encoding="UTF-8"?>
<Turnier>
  <auslosung syf_id="17" interval="5"/>
  <auslosung syf_id="18" interval="1"/>
  <anderes syf_id="17" interval="99"/>
  <auslosung syf_id="17" interval="7"/>
  <auslosung syf_id="017" interval="9"/>
</Turnier>)");
    EXPECT_EQ(IntervallLoad(dir.path(), 17, meldungen), 7);
    EXPECT_EQ(IntervallLoad(dir.path(), 18, meldungen), 1);
    EXPECT_EQ(IntervallLoad(dir.path(), 19, meldungen), 0);
    EXPECT_TRUE(meldungen.texte.isEmpty());
}

TEST_F(IntervallDatei, aMalformedFileIsReportedAndTheLookUpFails) {
    schreiben(R"(<Turnier><auslosung syf_id="17" interval="5"></Turnier>)");
    EXPECT_THROW(IntervallLoad(dir.path(), 17, meldungen), IoError);
    EXPECT_EQ(meldungen.texte, QStringList{QStringLiteral("XML-Datei konnte nicht geladen werden")});
}

TEST_F(IntervallDatei, anIntervalThatIsNoNumberIsAConversionError) {
    schreiben(R"(<Turnier><auslosung syf_id="17" interval="fünf"/></Turnier>)");
    EXPECT_THROW(IntervallLoad(dir.path(), 17, meldungen), ConversionError);
}

TEST_F(IntervallDatei, saveWritesEveryRecordOfTheListInOrder) {
    schreiben(R"(<Turnier><auslosung syf_id="99" interval="3"/></Turnier>)");
    AusloList liste;
    for (const auto& [syf_id, intervall] : {std::pair{17, 5}, {18, 1}, {3, 240}}) {
        TAuslosung a;
        a.syf_id = syf_id;
        a.intervall = intervall;
        liste.anhaengen(a);
    }
    Intervallsave(dir.path(), liste);

    EXPECT_EQ(IntervallLoad(dir.path(), 17, meldungen), 5);
    EXPECT_EQ(IntervallLoad(dir.path(), 3, meldungen), 240);
    EXPECT_EQ(IntervallLoad(dir.path(), 99, meldungen), 0); // only the records present now
    QFile f(QDir(dir.path()).filePath(QStringLiteral("config_auslo.xml")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<Turnier>\n    <auslosung syf_id=\"17\" interval=\"5\"/>\n    "
                                            "<auslosung syf_id=\"18\" interval=\"1\"/>\n    <auslosung syf_id=\"3\" "
                                            "interval=\"240\"/>\n</Turnier>")))
        << xml.toStdString();
}

} // namespace
