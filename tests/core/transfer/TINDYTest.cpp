#include "transfer/TINDY.h"
#include "settings/TAblage.h"
#include "support/HttpHilfen.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Statistik.h"
#include "transfer/Webserverupload.h"

#include <memory>

using namespace quenda;
using namespace quenda::test;

namespace {

const QString stempel = QStringLiteral("20261209090000");
const QString keineVerbindung = QStringLiteral("Es besteht keine Verbindung zum Web-Server!\n\r");

// One PHP server for the whole suite; every test gets its own storage root and no token.
class Http : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new PhpServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        server->steuern(QStringLiteral("wurzel"), wurzel.path());
        server->steuern(QStringLiteral("token"), QString());
        tindy.setZeitlimits(5000, 5000);
    }
    QString url(const char* ordner) const {
        return server->basis() + u'/' + QString::fromLatin1(ordner) + QStringLiteral("/httppost.php");
    }
    // A local file to send, in the working folder.
    QString datei(const QString& name, const QByteArray& inhalt) {
        schreiben(ordner.pfad(name), inhalt);
        return ordner.pfad(name);
    }

    // The storage root inside a folder of its own: what the script must not write beside the root is looked
    // for there, not in the system's temporary folder, which other programs change at any time.
    struct Speicherwurzel {
        Speicherwurzel() { QDir().mkpath(path()); }
        QString path() const { return aussen.filePath(QStringLiteral("wurzel")); }
        QString filePath(const QString& name) const { return QDir(path()).filePath(name); }
        QTemporaryDir aussen;
    };

    static inline PhpServer* server = nullptr;
    Speicherwurzel wurzel;
    Arbeitsordner ordner;
    MeldungenMerken meldungen;
    TINDY tindy{meldungen};
};

struct Verhalten {
    const char* titel;
    const char* ordner; // path of the script on the server; "-" for the special servers below
    int sonder;         // 0 PHP server, 1 nobody listening, 2 accepts and never answers
    bool angekommen;
    QString meldung; // the message shown, exactly; or its start when beginnt is set
    bool beginnt = false;
};

TEST_F(Http, uploadOutcomeFollowsTheServersReply) {
    const StummerServer stumm;
    const Verhalten faelle[] = {
        {"confirmed", "web", 0, true, {}},
        {"redirected by 302", "umleitung302", 0, true, {}},
        {"redirected by 307", "umleitung307", 0, true, {}},
        {"confirmation with a line break", "zeilenumbruch", 0, false, QStringLiteral("FILE vorhanden!\n")},
        {"other text", "anders", 0, false, QStringLiteral("Fehler: Speicher voll")},
        {"other text in Latin-1", "latin1", 0, false, QStringLiteral("Fehler: Größe")},
        {"status 500", "fehler500", 0, false, keineVerbindung + QStringLiteral("HTTP-Status 500")},
        {"no script there", "fehlt", 0, false, keineVerbindung + QStringLiteral("HTTP-Status 404")},
        {"connection refused", "web", 1, false, keineVerbindung, true},
        {"server never answers", "web", 2, false, keineVerbindung, true},
    };
    tindy.setZeitlimits(5000, 1000);
    const QByteArray inhalt = "M\xfcller|3:1|\r\n";
    const QString name = QStringLiteral("spiele0001_01_01.txt");
    datei(name, inhalt);
    int nummer = 0;
    for (const Verhalten& f : faelle) {
        SCOPED_TRACE(f.titel);
        meldungen.texte.clear();
        TAblage ablage;
        ablage.aktiv = 2;
        ablage.anzweb = 1;
        ablage.host = f.sonder == 0   ? server->basis()
                      : f.sonder == 1 ? QStringLiteral("http://127.0.0.1:%1").arg(freierPort())
                                      : QStringLiteral("http://127.0.0.1:%1").arg(stumm.port);
        ablage.steuerdatei = QString::fromLatin1(f.ordner);
        ablage.dbzkd = QString::number(++nummer);
        Statistik statistik;
        statistik.neuerZyklus(QStringLiteral("09.12.2026 09:00:00"));
        Fehlerzustand fehler;
        const qsizetype memoVorher = ordner.memo.size();
        Webserverupload(ablage, ordner.tsdir, ordner.protokoll, statistik, fehler, ordner.uhr, tindy)
            .DateiWebserverUpload(name, stempel, QStringLiteral("Datei neu"));

        const QString ziel = wurzel.filePath(QStringLiteral("zkd%1/upload/%2_%3").arg(ablage.dbzkd, stempel, name));
        const QString pfadText = QDir::toNativeSeparators(ordner.pfad(stempel + u'_' + name));
        const auto zaehler = statistik.zyklen().back().zaehler;
        if (f.angekommen) {
            EXPECT_EQ(lesen(ziel), inhalt);
            EXPECT_EQ(zaehler[2], 1);
            EXPECT_EQ(zaehler[3], 0);
            EXPECT_EQ(fehler.wfehler(), QString());
            EXPECT_EQ(ordner.log().last(), ordner.L() + QStringLiteral(" Upload vom Webserver: ") + pfadText);
            EXPECT_EQ(meldungen.texte, QStringList());
            EXPECT_EQ(ordner.memo.size(), memoVorher);
        } else {
            EXPECT_FALSE(QFile::exists(ziel));
            EXPECT_EQ(zaehler[2], 0);
            EXPECT_EQ(zaehler[3], 1);
            EXPECT_EQ(fehler.wfehler(), QStringLiteral("Upload Fehler!"));
            EXPECT_EQ(fehler.wmeldung(), pfadText);
            const QString zeile = ordner.L() + QStringLiteral(" Upload Fehler: ") + pfadText;
            EXPECT_EQ(ordner.log().last(), zeile);
            EXPECT_EQ(ordner.memo.value(memoVorher), zeile);
            ASSERT_EQ(meldungen.texte.size(), 1);
            if (f.beginnt) {
                EXPECT_TRUE(meldungen.texte[0].startsWith(f.meldung)) << meldungen.texte[0];
                EXPECT_GT(meldungen.texte[0].size(), f.meldung.size()) << "the error's own text follows";
            } else {
                EXPECT_EQ(meldungen.texte[0], f.meldung);
            }
        }
    }
}

TEST_F(Http, requestHasTheFixedHeadersAndItsPartsInOrder) {
    const QByteArray ok = "HTTP/1.1 200 OK\r\nContent-Length: 15\r\nConnection: close\r\n\r\nFILE vorhanden!";
    const QString lokal = datei(QStringLiteral("bild.png"), QByteArray("\x89PNG\r\n\x1a\n\0\xff", 10));
    const QString servername = QStringLiteral("/zkd42/images/Übersicht.png");
    for (const QString& token : {QString(), QStringLiteral("geh eim&")}) {
        SCOPED_TRACE(token.toStdString());
        QByteArray anfrage;
        {
            Mitschnitt mitschnitt(ok);
            EXPECT_TRUE(tindy.HTTP_POST_Token(mitschnitt.basis() + QStringLiteral("/pfad/httppost.php"), lokal,
                                              servername, token));
            anfrage = mitschnitt.anfrage;
        }
        const qsizetype kopfEnde = anfrage.indexOf("\r\n\r\n");
        const QByteArray kopf = anfrage.left(kopfEnde);
        const QByteArray body = anfrage.mid(kopfEnde + 4);
        EXPECT_TRUE(kopf.startsWith("POST /pfad/httppost.php HTTP/1.1\r\n")) << kopf.toStdString();
        EXPECT_TRUE(kopf.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
        EXPECT_TRUE(kopf.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
        EXPECT_TRUE(kopf.contains("\r\nContent-Type: multipart/form-data; boundary="));
        EXPECT_FALSE(kopf.contains("Expect:"));

        const qsizetype datname = body.indexOf("Content-Disposition: form-data; name=\"datname\"\r\n"
                                               "Content-Type: text/plain; charset=UTF-8\r\n"
                                               "Content-Transfer-Encoding: binary\r\n\r\n" +
                                               servername.toUtf8() + "\r\n");
        const qsizetype teil = body.indexOf("Content-Disposition: form-data; name=\"datei\"; filename=\"bild.png\"\r\n"
                                            "Content-Type: image/png\r\n\r\n" +
                                            lesen(lokal) + "\r\n");
        const qsizetype geheim =
            body.indexOf("Content-Disposition: form-data; name=\"token\"\r\n\r\n" + token.toUtf8() + "\r\n");
        EXPECT_GE(datname, 0) << body.toStdString();
        EXPECT_GT(teil, datname);
        EXPECT_EQ(body.count("Content-Disposition"), token.isEmpty() ? 2 : 3);
        if (!token.isEmpty()) {
            EXPECT_GT(geheim, teil);
        }
    }
}

TEST_F(Http, scriptStoresOnlyHarmlessFileKindsBelowItsRoot) {
    const QString lokal = datei(QStringLiteral("x.txt"), "inhalt\r\n");
    const QString verboten = QStringLiteral("Fehler: Dateiname oder Dateityp nicht erlaubt");
    struct Name {
        const char* datname;
        const char* gespeichert; // below the root; nullptr when refused
    } namen[] = {
        {"/zkd1/upload/20261209090000_auslodat.txt", "zkd1/upload/20261209090000_auslodat.txt"},
        {"/zkd1/upload/archiv.zip", "zkd1/upload/archiv.zip"},
        {"/zkd1/config_quenda.xml", "zkd1/config_quenda.xml"},
        {"/zkdStadt 2026/refresh.cfg", "zkdStadt 2026/refresh.cfg"},
        {"/zkd1/logmodus.cfg", "zkd1/logmodus.cfg"},
        {"/zkd1/images/Logo Verein Süd.jpg", "zkd1/images/Logo Verein Süd.jpg"},
        {"/zkd1/images/b.JPEG", "zkd1/images/b.JPEG"},
        {"/zkd1/../x.txt", nullptr},
        {"/../x.txt", nullptr},
        {"//tmp/x.txt", nullptr},
        {"/C:/x.txt", nullptr},
        {"/zkd1\\..\\x.txt", nullptr},
        {"/zkd1/x.php", nullptr},
        {"/zkd1/bild.php.png", nullptr},
        {"/zkd1/.htaccess", nullptr},
        {"/zkd1/.user.ini", nullptr},
        {"/.git/x.txt", nullptr},
        {"/zkd1/seite.html", nullptr},
        {"/zkd1/bild.svg", nullptr},
        {"/zkd1/ohneendung", nullptr},
        {"/zkd1/andere.xml", nullptr},
        {"/zkd1/images/config_quenda.xml", nullptr},
        {"/zkd1/upload/tief/x.txt", nullptr},
        {"/zkd1/fremd/x.txt", nullptr},
        {"/x.txt", nullptr},
        {"/daten/x.txt", nullptr},
        {"/zkd/x.txt", nullptr},
        {"/zkda..b/x.txt", nullptr},
        {"/zkdname /x.txt", nullptr},
        {"/zkd1/ x.txt", nullptr},
        {"", nullptr},
    };
    for (const Name& n : namen) {
        SCOPED_TRACE(n.datname);
        meldungen.texte.clear();
        const QStringList vorher = inhaltVon(QFileInfo(wurzel.path()).absolutePath());
        const bool ok = tindy.HTTP_POST(url("web"), lokal, QString::fromUtf8(n.datname));
        if (n.gespeichert) {
            EXPECT_TRUE(ok) << meldungen.texte.join(u'|');
            const QString pfad = wurzel.filePath(QString::fromUtf8(n.gespeichert));
            EXPECT_EQ(lesen(pfad), QByteArray("inhalt\r\n"));
            EXPECT_EQ(inhaltVon(QFileInfo(pfad).absolutePath()).filter(QStringLiteral(".quenda-")), QStringList())
                << "no temporary file is left";
        } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(meldungen.texte, QStringList{verboten});
            EXPECT_EQ(inhaltVon(QFileInfo(wurzel.path()).absolutePath()), vorher);
        }
    }
    EXPECT_EQ(inhaltVon(wurzel.path()), (QStringList{QStringLiteral("zkd1"), QStringLiteral("zkdStadt 2026")}));
}

TEST_F(Http, aSecondUploadReplacesTheFile) {
    const QString ziel = wurzel.filePath(QStringLiteral("zkd1/refresh.cfg"));
    for (const QByteArray& inhalt : {QByteArray("Refresh\r\n"), QByteArray("neu")}) {
        EXPECT_TRUE(tindy.HTTP_POST(url("web"), datei(QStringLiteral("refresh.cfg"), inhalt),
                                    QStringLiteral("/zkd1/refresh.cfg")));
        EXPECT_EQ(lesen(ziel), inhalt);
    }
    EXPECT_EQ(inhaltVon(wurzel.filePath(QStringLiteral("zkd1"))), QStringList{QStringLiteral("refresh.cfg")});
}

TEST_F(Http, scriptWithoutATokenRefusesEveryUploadUnlessOpenUploadsAreSwitchedOn) {
    server->steuern(QStringLiteral("offen"), QString());
    const QString lokal = datei(QStringLiteral("refresh.cfg"), "Refresh\r\n");
    const QString ziel = wurzel.filePath(QStringLiteral("zkd7/refresh.cfg"));
    for (const QString& token : {QString(), QStringLiteral("irgendwas")}) {
        SCOPED_TRACE(token.toStdString());
        meldungen.texte.clear();
        EXPECT_FALSE(tindy.HTTP_POST_Token(url("web"), lokal, QStringLiteral("/zkd7/refresh.cfg"), token));
        EXPECT_EQ(meldungen.texte, QStringList{QStringLiteral("Fehler: in httppost.php ist kein Token gesetzt")});
    }
    EXPECT_FALSE(QFile::exists(wurzel.filePath(QStringLiteral("zkd7"))));

    server->steuern(QStringLiteral("offen"), QStringLiteral("1"));
    EXPECT_TRUE(tindy.HTTP_POST(url("web"), lokal, QStringLiteral("/zkd7/refresh.cfg"))) << meldungen.texte.join(u'|');
    EXPECT_EQ(lesen(ziel), QByteArray("Refresh\r\n"));
}

TEST_F(Http, scriptWithATokenRefusesUploadsWithoutIt) {
    server->steuern(QStringLiteral("token"), QStringLiteral("geheim"));
    const QString lokal = datei(QStringLiteral("refresh.cfg"), "Refresh\r\n");
    const QString ziel = wurzel.filePath(QStringLiteral("zkd7/refresh.cfg"));
    for (const QString& token : {QString(), QStringLiteral("falsch"), QStringLiteral("geheimX")}) {
        meldungen.texte.clear();
        EXPECT_FALSE(tindy.HTTP_POST_Token(url("web"), lokal, QStringLiteral("/zkd7/refresh.cfg"), token));
        EXPECT_EQ(meldungen.texte, QStringList{QStringLiteral("Fehler: Token fehlt oder ist falsch")});
        EXPECT_FALSE(QFile::exists(ziel));
    }

    // The upload layer sends the secret of the target's settings.
    TAblage ablage;
    ablage.aktiv = 2;
    ablage.host = server->basis();
    ablage.steuerdatei = QStringLiteral("web");
    ablage.dbzkd = QStringLiteral("7");
    ablage.token = QStringLiteral("geheim");
    Statistik statistik;
    Fehlerzustand fehler;
    EXPECT_TRUE(Webserverupload(ablage, ordner.tsdir, ordner.protokoll, statistik, fehler, ordner.uhr, tindy)
                    .DateiWebserver(QStringLiteral("refresh.cfg")));
    EXPECT_EQ(lesen(ziel), QByteArray("Refresh\r\n"));
}

TEST_F(Http, httpsNeedsATrustedCertificate) {
    const Zertifikate z;
    const TlsFront front(z, server->port);
    const QString lokal = datei(QStringLiteral("a.txt"), "sicher\r\n");
    const QString https = front.basis() + QStringLiteral("/web/httppost.php");
    const QString ziel = wurzel.filePath(QStringLiteral("zkd1/a.txt"));
    {
        const Umgebung ca("CURL_CA_BUNDLE", z.pfad("ca.pem").toLocal8Bit());
        EXPECT_TRUE(tindy.HTTP_POST(https, lokal, QStringLiteral("/zkd1/a.txt"))) << meldungen.texte.join(u'|');
        EXPECT_EQ(lesen(ziel), QByteArray("sicher\r\n"));
    }
    {
        const Umgebung leer("CURL_CA_BUNDLE", QByteArray());
        const Umgebung ca("SSL_CERT_FILE", z.pfad("ca.pem").toLocal8Bit());
        EXPECT_TRUE(tindy.HTTP_POST(https, lokal, QStringLiteral("/zkd1/b.txt"))) << meldungen.texte.join(u'|');
    }
    EXPECT_EQ(meldungen.texte, QStringList());
    {
        const Umgebung fremd("CURL_CA_BUNDLE", z.pfad("fremd.pem").toLocal8Bit());
        EXPECT_FALSE(tindy.HTTP_POST(https, lokal, QStringLiteral("/zkd1/c.txt")));
        ASSERT_EQ(meldungen.texte.size(), 1);
        EXPECT_TRUE(meldungen.texte[0].startsWith(keineVerbindung)) << meldungen.texte[0];
        EXPECT_FALSE(QFile::exists(wurzel.filePath(QStringLiteral("zkd1/c.txt"))));
    }
}

TEST_F(Http, httpLoadPostsOneEncodedValueAndReturnsTheBody) {
    server->steuern(QStringLiteral("version"), QStringLiteral("2.0.1.0\r\n"));
    for (const QString& wert : {QStringLiteral("05"), QStringLiteral("a b&c=ü")}) {
        QString antwort;
        EXPECT_TRUE(tindy.HTTP_LOAD(server->basis() + QStringLiteral("/rvk/rvk_vs.php"), wert, antwort));
        EXPECT_EQ(antwort, QStringLiteral("2.0.1.0\r\n"));
        EXPECT_EQ(QString::fromUtf8(lesen(server->steuer.filePath(QStringLiteral("var1")))), wert);
    }
    EXPECT_EQ(meldungen.texte, QStringList());

    QString antwort = QStringLiteral("vorher");
    EXPECT_FALSE(tindy.HTTP_LOAD(QStringLiteral("http://127.0.0.1:%1/rvk/rvk_vs.php").arg(freierPort()),
                                 QStringLiteral("05"), antwort));
    EXPECT_EQ(antwort, QStringLiteral("vorher"));
    ASSERT_EQ(meldungen.texte.size(), 1);
    EXPECT_TRUE(meldungen.texte[0].startsWith(keineVerbindung));
}

TEST(Ping, answersOnlyForAHostThatEchoes) {
    MeldungenMerken meldungen;
    TINDY tindy(meldungen);
    EXPECT_FALSE(tindy.PING(QString()));
    EXPECT_FALSE(tindy.PING(QStringLiteral("kein-host.invalid")));
    EXPECT_TRUE(meldungen.texte.isEmpty());
    const int dgram = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
    const int raw = dgram < 0 ? ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP) : -1;
    if (dgram < 0 && raw < 0) {
        EXPECT_FALSE(tindy.PING(QStringLiteral("127.0.0.1")));
        GTEST_SKIP() << "this system allows no ICMP socket";
    }
    ::close(dgram >= 0 ? dgram : raw);
    EXPECT_TRUE(tindy.PING(QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(tindy.PING(QStringLiteral(" localhost ")));
}

} // namespace
