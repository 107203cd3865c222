#include "StoerHilfen.h"

using namespace quenda;
using namespace quenda::test;

namespace {

struct Stoerung {
    const char* titel;
    // Brings the fault about (from inside a cycle) and takes it away again; false when this machine
    // cannot make it.
    std::function<bool(Speicherwurzel&, bool)> setzen;
};

// The beamer/screen storage root fails in the middle of a cycle and stays broken for another cycle while
// the tournament goes on; once it is back, the next cycles deliver everything that was missed.
class Speicher : public ::testing::TestWithParam<Stoerung> {};

TEST_P(Speicher, storageRootFaultInACycleLosesNothingOnceTheRootIsBack) {
    Veroeffentlichung v;
    Speicherwurzel web(v.dir.filePath(QStringLiteral("web")));
    const QString pocko = v.dir.filePath(QStringLiteral("pocko"));
    QDir().mkpath(pocko);
    v.verzeichnisse(web.pfad, pocko);
    v.zyklen(2); // new draws are due from their second cycle on
    ASSERT_GT(v.gezaehlt(3), 20) << v.memo.join(u'\n');

    std::atomic<bool> gesetzt{false};
    std::atomic<bool> moeglich{true};
    v.imZyklus = [&](int datei) {
        if (datei == 3 && !gesetzt.exchange(true)) {
            moeglich = GetParam().setzen(web, true);
        }
    };
    v.zwischen = [&](int) { v.spielen(8); };
    v.spielen(8);
    v.zyklen(2);
    if (!moeglich) {
        GTEST_SKIP() << "this machine cannot make the fault: " << GetParam().titel;
    }
    // A missing root is counted as an error; a copy that fails ends the cycle's exports with the message.
    EXPECT_FALSE(v.memo.filter(web.pfad).isEmpty()) << "the fault was reported: " << v.memo.join(u'\n');

    v.imZyklus = {};
    ASSERT_TRUE(GetParam().setzen(web, false));
    v.zyklen(2);
    EXPECT_EQ(abgleich(v.kontext.tsdir, web.pfad + QStringLiteral("/zkdstoer/upload"),
                       pocko + QStringLiteral("/zkdstoer/upload")),
              QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Speicher,
    ::testing::Values(Stoerung{"removed",
                               [](Speicherwurzel& w, bool an) {
                                   if (w.eigenesDateisystem) {
                                       // The mount goes with the folder, as an unplugged drive would.
                                       return an ? ::umount2(QFile::encodeName(w.pfad).constData(), MNT_DETACH) == 0 &&
                                                       QDir(w.pfad).removeRecursively()
                                                 : QDir().mkpath(w.pfad);
                                   }
                                   return an ? QDir(w.pfad).removeRecursively() : QDir().mkpath(w.pfad);
                               }},
                      Stoerung{"read-only", [](Speicherwurzel& w, bool an) { return w.schreibschutz(an); }},
                      Stoerung{"full", [](Speicherwurzel& w, bool an) { return w.voll(an); }}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.titel);
        return name.remove(u'-').toStdString();
    });

} // namespace
