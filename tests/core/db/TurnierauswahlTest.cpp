#include "db/Turnierauswahl.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;

TEST(Turnierauswahl, workingFolderIsBesideTheDatabaseWithoutExtension) {
    struct Fall {
        const char* db;
        int id;
        const char* tsdir;
    };
    for (const Fall& f : {Fall{"/turniere/Turnier.mdb", 1, "/turniere/qnda001Turnier"},
                          Fall{"/turniere/Stadtturnier.mdb", 2, "/turniere/qnda002Stadtturnier"},
                          Fall{"/t/Kreis.Meister.mdb", 1234, "/t/qnda1234Kreis.Meister"},
                          Fall{"/t/demo.sqlite", 1, "/t/qnda001demo"}}) {
        EXPECT_EQ(turnierauswahl::tsdirFuer(QString::fromLatin1(f.db), f.id), QString::fromLatin1(f.tsdir)) << f.db;
    }
}

TEST(Turnierauswahl, workingFolderIsCreatedWithItsImagesFolder) {
    QTemporaryDir dir;
    const QString tsdir = dir.filePath(QStringLiteral("qnda001Turnier"));
    turnierauswahl::tsdirAnlegen(tsdir);
    EXPECT_TRUE(QDir(tsdir + QStringLiteral("/images")).exists());
    turnierauswahl::tsdirAnlegen(tsdir); // an existing folder is fine
    EXPECT_THROW(turnierauswahl::tsdirAnlegen(QStringLiteral("/proc/quenda/qnda001x")), IoError);
}
