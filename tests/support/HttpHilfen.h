#pragma once

#include "support/TransferHilfen.h"

#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace quenda::test {

// A loopback port that nothing listens on right now.
// The length of a whole HTTP request (head and body by its Content-Length) once its head has arrived, else -1.
inline qsizetype anfrageLaenge(const QByteArray& anfrage) {
    const qsizetype kopfEnde = anfrage.indexOf("\r\n\r\n");
    if (kopfEnde < 0) {
        return -1;
    }
    const QByteArray kopf = anfrage.left(kopfEnde).toLower();
    const qsizetype pos = kopf.indexOf("content-length:");
    const qsizetype zeilenEnde = kopf.indexOf("\r\n", pos);
    return kopfEnde + 4 +
           (pos < 0 ? 0 : kopf.mid(pos + 15, zeilenEnde < 0 ? -1 : zeilenEnde - pos - 15).trimmed().toLongLong());
}

inline int freierPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t laenge = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &laenge);
    ::close(fd);
    return ntohs(a.sin_port);
}

// True once something accepts connections on the port; false when the process died first.
inline bool bereit(int port, const QProcess& prozess) {
    for (int versuch = 0; versuch < 400; ++versuch) {
        if (prozess.state() == QProcess::NotRunning) {
            return false;
        }
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool offen = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        if (offen) {
            return true;
        }
        QThread::msleep(25);
    }
    return false;
}

// A peer process the tests start and stop themselves.
class Dienst {
public:
    ~Dienst() { beenden(); }
    void beenden() {
        if (prozess.state() != QProcess::NotRunning) {
            prozess.kill();
            prozess.waitForFinished(10000);
        }
    }
    bool starten(const QString& programm, const QStringList& argumente, int port) {
        prozess.setProcessChannelMode(QProcess::MergedChannels);
        prozess.start(programm, argumente);
        if (!prozess.waitForStarted(10000) || !bereit(port, prozess)) {
            ADD_FAILURE() << programm.toStdString() << " did not start: " << prozess.readAll().toStdString();
            return false;
        }
        return true;
    }
    QProcess prozess;
};

// The PHP built-in server with the test router: "/web/httppost.php" is server/httppost.php with the storage
// root, token and open-upload switch from the files "wurzel", "token" and "offen" of the control folder;
// other paths misbehave on purpose. Uploads without a token are allowed unless a test says otherwise.
class PhpServer {
public:
    PhpServer() {
        QDir().mkpath(wurzel());
        steuern(QStringLiteral("wurzel"), wurzel());
        steuern(QStringLiteral("offen"), QStringLiteral("1"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUENDA_TEST_STEUER"), steuer.path());
        env.insert(QStringLiteral("QUENDA_HTTPPOST"), QStringLiteral(QUENDA_SOURCE_DIR "/server/httppost.php"));
        m_dienst.prozess.setProcessEnvironment(env);
        m_dienst.starten(QStringLiteral("php"),
                         {QStringLiteral("-S"), QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("-t"),
                          steuer.path(), QStringLiteral(QUENDA_TEST_DATA "/http/router.php")},
                         port);
    }
    // One of the settings the router reads at every request.
    void steuern(const QString& name, const QString& wert) { schreiben(steuer.filePath(name), wert.toUtf8()); }
    QString wurzel() const { return steuer.filePath(QStringLiteral("wurzel.d")); }
    QString basis() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }

    QTemporaryDir steuer;
    const int port = freierPort();

private:
    Dienst m_dienst;
};

// Certificates made with the openssl tool: a test authority, a server certificate it signed for 127.0.0.1,
// and a second authority that signed nothing of ours.
struct Zertifikate {
    Zertifikate() {
        const auto ossl = [this](const QStringList& argumente) {
            QProcess p;
            p.setWorkingDirectory(dir.path());
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(QStringLiteral("openssl"), argumente);
            if (!p.waitForFinished(60000) || p.exitCode() != 0) {
                ADD_FAILURE() << "openssl " << argumente.join(u' ').toStdString() << ": " << p.readAll().toStdString();
            }
        };
        const QStringList ec{QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                             QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
        for (const char* name : {"ca", "fremd"}) {
            ossl(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec +
                 QStringList{QStringLiteral("-keyout"), QString::fromLatin1(name) + QStringLiteral(".key"),
                             QStringLiteral("-out"), QString::fromLatin1(name) + QStringLiteral(".pem"),
                             QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                             QStringLiteral("/CN=Quenda Test ") + QString::fromLatin1(name)});
        }
        ossl(QStringList{QStringLiteral("req")} + ec +
             QStringList{QStringLiteral("-keyout"), QStringLiteral("server.key"), QStringLiteral("-out"),
                         QStringLiteral("server.csr"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
        schreiben(dir.filePath(QStringLiteral("ext.cnf")), "subjectAltName=IP:127.0.0.1,DNS:localhost\n");
        ossl({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), QStringLiteral("server.csr"),
              QStringLiteral("-CA"), QStringLiteral("ca.pem"), QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
              QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), QStringLiteral("server.pem"),
              QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-extfile"), QStringLiteral("ext.cnf")});
    }
    QString pfad(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

// A TLS 1.2 front (stunnel) that forwards to a plain HTTP port.
class TlsFront {
public:
    TlsFront(const Zertifikate& z, int ziel) {
        const QString konfig = dir.filePath(QStringLiteral("stunnel.conf"));
        schreiben(konfig, QStringLiteral("foreground = yes\npid =\n[https]\naccept = 127.0.0.1:%1\n"
                                         "connect = 127.0.0.1:%2\ncert = %3\nkey = %4\n"
                                         "sslVersionMin = TLSv1.2\nsslVersionMax = TLSv1.2\n")
                              .arg(port)
                              .arg(ziel)
                              .arg(z.pfad("server.pem"), z.pfad("server.key"))
                              .toUtf8());
        m_dienst.starten(QStandardPaths::findExecutable(QStringLiteral("stunnel4")).isEmpty()
                             ? QStringLiteral("stunnel")
                             : QStringLiteral("stunnel4"),
                         {konfig}, port);
    }
    QString basis() const { return QStringLiteral("https://127.0.0.1:%1").arg(port); }

    QTemporaryDir dir;
    const int port = freierPort();

private:
    Dienst m_dienst;
};

// Sets an environment variable for the lifetime of the object.
class Umgebung {
public:
    Umgebung(const char* name, const QByteArray& wert)
        : m_name(name), m_alt(qgetenv(name)), m_da(qEnvironmentVariableIsSet(name)) {
        qputenv(name, wert);
    }
    ~Umgebung() {
        if (m_da) {
            qputenv(m_name, m_alt);
        } else {
            qunsetenv(m_name);
        }
    }

private:
    const char* m_name;
    QByteArray m_alt;
    bool m_da;
};

// A listening socket on loopback that never accepts: connections complete, requests are never answered.
class StummerServer {
public:
    StummerServer() {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t laenge = sizeof a;
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_fd, 8);
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &laenge);
        port = ntohs(a.sin_port);
    }
    ~StummerServer() { ::close(m_fd); }
    int port = 0;

private:
    int m_fd;
};

// Answers one request with a fixed reply and keeps the request bytes, to look at the request on the wire.
class Mitschnitt {
public:
    explicit Mitschnitt(QByteArray antwort) : m_antwort(std::move(antwort)) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t laenge = sizeof a;
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_fd, 1);
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &laenge);
        port = ntohs(a.sin_port);
        m_faden = std::thread([this] { bedienen(); });
    }
    ~Mitschnitt() {
        ::shutdown(m_fd, SHUT_RDWR);
        m_faden.join();
        ::close(m_fd);
    }
    QString basis() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }
    // The whole request; valid once the client call returned.
    QByteArray anfrage;
    int port = 0;

private:
    void bedienen() {
        const int c = ::accept(m_fd, nullptr, nullptr);
        if (c < 0) {
            return;
        }
        char puffer[4096];
        qsizetype erwartet = -1;
        while (erwartet < 0 || anfrage.size() < erwartet) {
            const ssize_t n = ::recv(c, puffer, sizeof puffer, 0);
            if (n <= 0) {
                break;
            }
            anfrage.append(puffer, n);
            if (erwartet < 0) {
                erwartet = anfrageLaenge(anfrage);
            }
        }
        ::send(c, m_antwort.constData(), static_cast<size_t>(m_antwort.size()), MSG_NOSIGNAL);
        ::close(c);
    }

    QByteArray m_antwort;
    int m_fd;
    std::thread m_faden;
};

} // namespace quenda::test
