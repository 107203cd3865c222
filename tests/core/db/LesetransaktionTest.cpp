#include "db/Lesetransaktion.h"
#include "db/TDM.h"
#include "support/FremderSchreiber.h"
#include "support/MiniTurnier.h"
#include "util/QuendaError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdexcept>

using namespace quenda;

namespace {

// The tournament program renames a club.
class Schreiber : public test::FremderSchreiber {
public:
    using FremderSchreiber::FremderSchreiber;
    int umbenennen(const char* name) {
        return ausfuehren(QStringLiteral("UPDATE Verein SET verein = '") + QString::fromUtf8(name) +
                          QStringLiteral("' WHERE v_id = 3"));
    }
};

class Lesetransaktionen : public ::testing::Test {
protected:
    void SetUp() override {
        miniTurnierAnlegen(pfad);
        tdm.oeffnen(pfad);
    }

    QString verein() {
        tdm.SQLAbfrage1(QStringLiteral("SELECT verein FROM Verein WHERE v_id=3"));
        return tdm.QuerySQL1.feld(QStringLiteral("verein")).alsText();
    }
    bool autocommit() { return sqlite3_get_autocommit(tdm.ADOConnectionTURDB.handle()) != 0; }

    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("t.db"));
    TDM tdm;
};

} // namespace

// The unit holds the file from its first statement to its end: the statements between see one state, and a
// writer's commit is refused at once (it keeps its busy timeout) until the unit is over.
TEST_F(Lesetransaktionen, aWriterCommitsOnlyBeforeTheFirstStatementOfAUnitOrAfterItsEnd) {
    Schreiber schreiber(pfad);
    {
        Lesetransaktion lesung(tdm.ADOConnectionTURDB);
        ASSERT_TRUE(lesung.aktiv());
        EXPECT_EQ(schreiber.umbenennen("Vor dem Lesen"), SQLITE_OK) << "begun deferred: nothing held yet";
        EXPECT_EQ(verein(), QStringLiteral("Vor dem Lesen"));
        EXPECT_EQ(schreiber.umbenennen("Mitten im Lesen"), SQLITE_BUSY);
        EXPECT_EQ(verein(), QStringLiteral("Vor dem Lesen"));
    }
    EXPECT_TRUE(autocommit());
    EXPECT_EQ(schreiber.umbenennen("Nach dem Lesen"), SQLITE_OK);
    EXPECT_EQ(verein(), QStringLiteral("Nach dem Lesen"));
}

// However a unit ends — a statement that fails, any other exception, an early end — nothing is held after it.
TEST_F(Lesetransaktionen, aUnitThatEndsWithAnErrorReleasesTheFile) {
    Schreiber schreiber(pfad);
    const struct {
        const char* name;
        std::function<void()> ende;
    } faelle[] = {
        {"statement error", [this] { tdm.SQLAbfrage1(QStringLiteral("SELECT * FROM gibtsnicht")); }},
        {"conversion error", [this] { tdm.QuerySQL1.feld(QStringLiteral("verein")).alsDatumZeit(); }},
        {"other exception", [] { throw std::runtime_error("abgebrochen"); }},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_ANY_THROW({
            Lesetransaktion lesung(tdm.ADOConnectionTURDB);
            verein();
            ASSERT_EQ(schreiber.umbenennen("Gesperrt"), SQLITE_BUSY);
            fall.ende();
        });
        EXPECT_TRUE(autocommit());
        EXPECT_EQ(schreiber.umbenennen(fall.name), SQLITE_OK);
    }
    Lesetransaktion lesung(tdm.ADOConnectionTURDB);
    verein();
    lesung.beenden();
    EXPECT_FALSE(lesung.aktiv());
    EXPECT_EQ(schreiber.umbenennen("Früh beendet"), SQLITE_OK);
    lesung.beenden(); // a second end changes nothing
    EXPECT_EQ(verein(), QStringLiteral("Früh beendet"));
}

// In WAL mode the writer is never kept waiting, and the unit still reads the state it began with.
TEST_F(Lesetransaktionen, inWalModeAUnitKeepsReadingTheStateItBeganWith) {
    tdm.schliessen();
    Schreiber schreiber(pfad);
    ASSERT_EQ(schreiber.ausfuehren(QStringLiteral("PRAGMA journal_mode=WAL")), SQLITE_OK);
    tdm.oeffnen(pfad);
    {
        Lesetransaktion lesung(tdm.ADOConnectionTURDB);
        EXPECT_EQ(verein(), QStringLiteral("Post SV"));
        EXPECT_EQ(schreiber.umbenennen("Während des Lesens"), SQLITE_OK);
        EXPECT_EQ(verein(), QStringLiteral("Post SV"));
    }
    EXPECT_EQ(verein(), QStringLiteral("Während des Lesens"));
}

// A guard inside another unit leaves the end to the outer one; on a file no one else writes it does nothing;
// a connection reopened within a unit is left alone.
TEST_F(Lesetransaktionen, onlyTheGuardThatBeganATransactionEndsIt) {
    Schreiber schreiber(pfad);
    {
        Lesetransaktion aussen(tdm.ADOConnectionTURDB);
        {
            Lesetransaktion innen(tdm.ADOConnectionTURDB);
            EXPECT_FALSE(innen.aktiv());
            verein();
        }
        EXPECT_FALSE(autocommit());
        EXPECT_EQ(schreiber.umbenennen("Gesperrt"), SQLITE_BUSY);
    }
    EXPECT_EQ(schreiber.umbenennen("Frei"), SQLITE_OK);

    Verbindung unveraenderlich;
    unveraenderlich.oeffnen(pfad, Verbindung::Modus::Unveraenderlich);
    EXPECT_FALSE(Lesetransaktion(unveraenderlich).aktiv());
    EXPECT_TRUE(sqlite3_get_autocommit(unveraenderlich.handle()));

    {
        Lesetransaktion lesung(tdm.ADOConnectionTURDB);
        verein();
        tdm.oeffnen(pfad); // the old connection, and its transaction, went with it
        EXPECT_TRUE(autocommit());
        EXPECT_EQ(schreiber.umbenennen("Neu geöffnet"), SQLITE_OK);
    }
    EXPECT_TRUE(autocommit());
    EXPECT_EQ(verein(), QStringLiteral("Neu geöffnet"));
}
