#include "transfer/Versionspruefung.h"
#include "support/HttpHilfen.h"
#include "transfer/TINDY.h"

using namespace quenda;
using namespace quenda::test;

namespace {

// The real client, with the echo answered as told (ICMP needs privileges the tests may lack).
class TindyOhnePing : public TINDY {
public:
    using TINDY::TINDY;
    bool PING(const QString& host) override {
        gepingt.append(host);
        return antwortet;
    }
    bool antwortet = true;
    QStringList gepingt;
};

TEST(Versionspruefung, tellsWhetherTheServiceKnowsANewerVersion) {
    PhpServer server;
    const Zertifikate z;
    const TlsFront front(z, server.port);
    const Umgebung ca("CURL_CA_BUNDLE", z.pfad("ca.pem").toLocal8Bit());
    MeldungenMerken meldungen;
    TindyOhnePing tindy(meldungen);
    const Versionsdienst dienst{QStringLiteral(" 127.0.0.1:%1 ").arg(front.port),
                                QStringLiteral("https://dl.example/q")};
    const QString neu = QStringLiteral("Es steht eine neue Version 2.0.1.0 zum Herunterladen im Internet unter "
                                       "https://dl.example/q bereit!");
    const QString keine = QStringLiteral("Es liegt keine neue Version vor!");
    const QString leer =
        QStringLiteral("Es wurde keine Versionsprüfung durchgeführt.Bitte überprüfen Sie, ob Sie ONLINE sind!");
    const struct {
        const char* prgversion;
        const char* antwort;
        QString meldung;
    } faelle[] = {
        {"2.0.0.4", "2.0.0.4", keine},   {"2.0.0.9", "2.0.1.0", neu}, {"2.0.0.9", "2.0.1.0\r\n", neu},
        {"2.0.1.0", "2.0.0.9\n", keine}, {"2.0.0.9", "", leer},       {"2.0.0.9", " \r\n", leer},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.antwort);
        meldungen.texte.clear();
        QFile::remove(server.steuer.filePath(QStringLiteral("var1")));
        server.steuern(QStringLiteral("version"), QString::fromLatin1(f.antwort));
        Versionspruefung(tindy, meldungen).Update1Click(QString::fromLatin1(f.prgversion), dienst);
        EXPECT_EQ(meldungen.texte, QStringList{f.meldung});
        EXPECT_EQ(lesen(server.steuer.filePath(QStringLiteral("var1"))), QByteArray("05"));
    }
    EXPECT_EQ(tindy.gepingt.value(0), QStringLiteral("127.0.0.1"));

    // No echo: one message, no request.
    meldungen.texte.clear();
    QFile::remove(server.steuer.filePath(QStringLiteral("var1")));
    tindy.antwortet = false;
    Versionspruefung(tindy, meldungen).Update1Click(QStringLiteral("2.0.0.9"), dienst);
    EXPECT_EQ(meldungen.texte, QStringList{QStringLiteral("Eine Versionprüfung ist nur ONLINE möglich bzw. der Server "
                                                          "zur Versionsprüfung steht nicht zur Verfügung!")});
    EXPECT_FALSE(QFile::exists(server.steuer.filePath(QStringLiteral("var1"))));

    // A failed request: only the client's own message.
    meldungen.texte.clear();
    tindy.antwortet = true;
    Versionspruefung(tindy, meldungen)
        .Update1Click(QStringLiteral("2.0.0.9"), {QStringLiteral("127.0.0.1:%1").arg(freierPort()), {}});
    ASSERT_EQ(meldungen.texte.size(), 1);
    EXPECT_TRUE(meldungen.texte[0].startsWith(TINDY::verbindungsFehler(QString()))) << meldungen.texte[0];
}

} // namespace
