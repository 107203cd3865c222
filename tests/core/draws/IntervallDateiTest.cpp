#include "draws/IntervallDatei.h"
#include "TestTurnier.h"
#include "draws/AusloList.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;

namespace {

class IntervallDatei : public ::testing::Test {
protected:
    void SetUp() override {
        uhr.festsetzen(QDateTime(QDate(2026, 12, 9), QTime(9, 30, 5)));
        protokoll.setOrdner(dir.path());
        QObject::connect(&protokoll, &Ereignisprotokoll::memoZeile, [this](const QString& z) { memo.append(z); });
    }
    void schreiben(const char* xml) {
        QFile f(pfad());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml);
    }
    QString pfad() const { return QDir(dir.path()).filePath(QStringLiteral("config_auslo.xml")); }
    QByteArray lesenRoh() const {
        QFile f(pfad());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QHash<int, int> laden() { return IntervalleLaden(dir.path(), protokoll, uhr); }
    QStringList log() const {
        const QString datei = QDir(dir.path()).filePath(QStringLiteral("protokoll_20261209.pzk"));
        return QFile::exists(datei) ? textdatei::lesen(datei) : QStringList();
    }

    QTemporaryDir dir;
    Programmuhr uhr;
    Ereignisprotokoll protokoll{uhr};
    QStringList memo;
};

TEST_F(IntervallDatei, theLastMatchingElementWinsAndMissingEntriesGiveNothing) {
    EXPECT_TRUE(laden().isEmpty()); // no file yet

    schreiben(R"(<?xml version="1.0" encoding="UTF-8"?>
<Turnier>
  <auslosung syf_id="17" interval="5"/>
  <auslosung syf_id="18" interval="1"/>
  <anderes syf_id="17" interval="99"/>
  <auslosung syf_id="17" interval="7"/>
</Turnier>)");
    const QHash<int, int> werte = laden();
    EXPECT_EQ(werte, (QHash<int, int>{{17, 7}, {18, 1}}));
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(IntervallDatei, anEntryThatIsNoWholeNumberIsLeftOutWithALogLineAndTheOthersStay) {
    schreiben(R"(<Turnier>
  <auslosung syf_id="17" interval="fünf"/>
  <auslosung syf_id="x" interval="3"/>
  <auslosung interval="3"/>
  <auslosung syf_id="18" interval="4"/>
</Turnier>)");
    EXPECT_EQ(laden(), (QHash<int, int>{{18, 4}}));
    const QStringList zeilen = log();
    ASSERT_EQ(zeilen.size(), 3);
    EXPECT_EQ(zeilen[0], QStringLiteral("2026-12-09 09:30:05 Eintrag in config_auslo.xml ignoriert (keine ganze "
                                        "Zahl): syf_id='17' interval='fünf'"));
    EXPECT_TRUE(memo.isEmpty());
    EXPECT_TRUE(QFile::exists(pfad())); // the file itself is fine
}

TEST_F(IntervallDatei, aFileThatIsNotWellFormedIsMovedAsideOnceAndTheDefaultsApply) {
    schreiben(R"(<Turnier><auslosung syf_id="17" interval="5"></Turnier>)");
    Intervallspeicher speicher(dir.path(), protokoll, uhr);
    EXPECT_EQ(speicher.IntervallLoad(17), 0);
    EXPECT_EQ(speicher.IntervallLoad(18), 0);
    EXPECT_TRUE(laden().isEmpty()); // a later pass finds no file and stays quiet

    EXPECT_FALSE(QFile::exists(pfad()));
    const QString beiseite = pfad() + QStringLiteral(".bak-20261209093005");
    ASSERT_TRUE(QFile::exists(beiseite));
    QFile f(beiseite);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(R"(<Turnier><auslosung syf_id="17" interval="5"></Turnier>)"));
    ASSERT_EQ(memo.size(), 1);
    EXPECT_TRUE(memo[0].contains(QStringLiteral("XML-Datei konnte nicht geladen werden"))) << memo[0].toStdString();
    EXPECT_TRUE(memo[0].contains(QStringLiteral("config_auslo.xml.bak-20261209093005")));
    EXPECT_EQ(log(), memo);
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

    EXPECT_EQ(laden(), (QHash<int, int>{{17, 5}, {18, 1}, {3, 240}})); // only the records present now
    QFile f(pfad());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<Turnier>\n    <auslosung syf_id=\"17\" interval=\"5\"/>\n    "
                                            "<auslosung syf_id=\"18\" interval=\"1\"/>\n    <auslosung syf_id=\"3\" "
                                            "interval=\"240\"/>\n</Turnier>")))
        << xml.toStdString();
}

} // namespace

namespace {

TEST_F(IntervallDatei, theSwitchForExtraCyclesIsAnAttributeOfTheRootThatOnlyAppearsWhenOn) {
    EXPECT_FALSE(SofortLoad(dir.path()));
    AusloList liste;
    TAuslosung a;
    a.syf_id = 4;
    a.intervall = 2;
    liste.anhaengen(a);
    Intervallsave(dir.path(), liste);
    const QByteArray aus = lesenRoh();
    EXPECT_TRUE(aus.contains("<Turnier>")) << aus.toStdString();
    EXPECT_FALSE(SofortLoad(dir.path()));

    Intervallsave(dir.path(), liste, true);
    EXPECT_TRUE(lesenRoh().contains("<Turnier sofort=\"1\">"));
    EXPECT_TRUE(SofortLoad(dir.path()));
    Intervallsave(dir.path(), liste); // a change of the intervals keeps the switch
    EXPECT_TRUE(SofortLoad(dir.path()));
    EXPECT_EQ(laden(), (QHash<int, int>{{4, 2}}));

    Intervallsave(dir.path(), liste, false);
    EXPECT_EQ(lesenRoh(), aus);
    schreiben("<Turnier sofort=\"1\"><kaputt");
    EXPECT_FALSE(SofortLoad(dir.path()));
}

} // namespace
