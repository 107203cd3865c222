#include "StoerHilfen.h"
#include "Stoerproxy.h"

using namespace quenda;
using namespace quenda::test;

namespace {

// Both targets through the control script, each on its own PHP server behind a proxy that misbehaves.
class Upload : public ::testing::Test {
protected:
    void SetUp() override {
        v.server(web.basis());
        v.ablage.hostpocko = pocko.basis();
    }
    QStringList abgleichen() const {
        return abgleich(v.kontext.tsdir, webServer.wurzel() + QStringLiteral("/zkdstoer/upload"),
                        pockoServer.wurzel() + QStringLiteral("/zkdstoer/upload"));
    }
    // One cycle with the fault on both targets while the tournament goes on, then two without it.
    void stoerungUeberstehen(const std::function<void(Stoerproxy&)>& an, const std::function<void(Stoerproxy&)>& aus) {
        const int fehlerVorher = v.gezaehlt(2) + v.gezaehlt(4);
        an(web);
        an(pocko);
        v.spielen(8);
        v.zyklen(1);
        EXPECT_GT(v.gezaehlt(2) + v.gezaehlt(4), fehlerVorher) << "the fault was noticed";
        EXPECT_FALSE(v.meldungen.texte.isEmpty());
        aus(web);
        aus(pocko);
        v.spielen(4);
        v.zyklen(2);
        EXPECT_EQ(abgleichen(), QStringList());
    }

    Veroeffentlichung v;
    PhpServer webServer;
    PhpServer pockoServer;
    Stoerproxy web{webServer.port};
    Stoerproxy pocko{pockoServer.port};
};

TEST_F(Upload, everyServerFaultIsSurvivedAndMissedFilesFollow) {
    v.zyklen(2); // new draws are due from their second cycle on
    ASSERT_EQ(abgleichen(), QStringList()) << v.memo.join(u'\n');
    ASSERT_GT(v.gezaehlt(3), 20);

    const struct {
        const char* titel;
        Stoerproxy::Modus modus;
    } faelle[] = {{"status 500", Stoerproxy::Modus::Status500},
                  {"wrong text", Stoerproxy::Modus::FalscherText},
                  {"connection dropped in the body", Stoerproxy::Modus::Abbruch}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.titel);
        v.meldungen.texte.clear();
        stoerungUeberstehen([&f](Stoerproxy& p) { p.setModus(f.modus); },
                            [](Stoerproxy& p) { p.setModus(Stoerproxy::Modus::Durchlass); });
    }
    {
        SCOPED_TRACE("server down");
        v.meldungen.texte.clear();
        stoerungUeberstehen([](Stoerproxy& p) { p.schliessen(); }, [](Stoerproxy& p) { p.oeffnen(); });
    }
}

TEST_F(Upload, aHangingServerCostsOnlyTheTimeOut) {
    v.zyklen(2);
    // Short limits only while the server hangs; the ordinary ones give a loaded machine room.
    stoerungUeberstehen(
        [this](Stoerproxy& p) {
            v.http.setZeitlimits(1000, 1000);
            p.setModus(Stoerproxy::Modus::Haengen);
        },
        [this](Stoerproxy& p) {
            v.http.setZeitlimits(5000, 30000);
            p.setModus(Stoerproxy::Modus::Durchlass);
        });
    for (const QString& text : v.meldungen.texte) {
        EXPECT_TRUE(text.startsWith(TINDY::verbindungsFehler(QString()))) << text;
    }
}

// stunnel with the given certificate in front of a plain port.
class Tls {
public:
    Tls(const QString& zertifikat, const QString& schluessel, int ziel) {
        const QString konfig = dir.filePath(QStringLiteral("stunnel.conf"));
        schreiben(konfig, QStringLiteral("foreground = yes\npid =\n[https]\naccept = 127.0.0.1:%1\nconnect = "
                                         "127.0.0.1:%2\ncert = %3\nkey = %4\nsslVersionMin = TLSv1.2\n")
                              .arg(port)
                              .arg(ziel)
                              .arg(zertifikat, schluessel)
                              .toUtf8());
        m_dienst.starten(QStandardPaths::findExecutable(QStringLiteral("stunnel4")).isEmpty()
                             ? QStringLiteral("stunnel")
                             : QStringLiteral("stunnel4"),
                         {konfig}, port);
    }
    QTemporaryDir dir;
    const int port = freierPort();

private:
    Dienst m_dienst;
};

TEST_F(Upload, aCertificateThatTurnsUntrustedStopsUploadsUntilTheTrustedOneIsBack) {
    const Zertifikate z;
    const Umgebung ca("CURL_CA_BUNDLE", z.pfad("ca.pem").toLocal8Bit());
    const Tls webGut(z.pfad("server.pem"), z.pfad("server.key"), webServer.port);
    const Tls webFremd(z.pfad("fremd.pem"), z.pfad("fremd.key"), webServer.port);
    const Tls pockoGut(z.pfad("server.pem"), z.pfad("server.key"), pockoServer.port);
    const Tls pockoFremd(z.pfad("fremd.pem"), z.pfad("fremd.key"), pockoServer.port);
    web.setZiel(webGut.port);
    pocko.setZiel(pockoGut.port);
    v.server(web.basis("https"));
    v.ablage.hostpocko = pocko.basis("https");
    v.zyklen(2);
    ASSERT_EQ(abgleichen(), QStringList()) << v.meldungen.texte.join(u'\n');

    stoerungUeberstehen([&](Stoerproxy& p) { p.setZiel(&p == &web ? webFremd.port : pockoFremd.port); },
                        [&](Stoerproxy& p) { p.setZiel(&p == &web ? webGut.port : pockoGut.port); });
}

} // namespace
