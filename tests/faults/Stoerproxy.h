#pragma once

#include "support/HttpHilfen.h"

#include <QByteArray>
#include <QString>
#include <arpa/inet.h>
#include <atomic>
#include <list>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace quenda::test {

// A TCP front on loopback between the program and its upload server that misbehaves on demand: it forwards,
// is down (connection refused), answers 500 or a wrong text, never answers, or drops the connection in the
// middle of the request body. Forwarding is byte-for-byte, so it also stands before a TLS front.
class Stoerproxy {
public:
    enum class Modus { Durchlass, Status500, FalscherText, Haengen, Abbruch };

    explicit Stoerproxy(int ziel) : m_ziel(ziel) { oeffnen(); }
    ~Stoerproxy() {
        m_ende = true;
        schliessen();
        for (std::thread& t : m_verbindungen) {
            t.join();
        }
    }
    Stoerproxy(const Stoerproxy&) = delete;
    Stoerproxy& operator=(const Stoerproxy&) = delete;

    void setModus(Modus modus) { m_modus = modus; }
    void setZiel(int ziel) { m_ziel = ziel; }
    QString basis(const char* schema = "http") const {
        return QStringLiteral("%1://127.0.0.1:%2").arg(QString::fromLatin1(schema)).arg(port);
    }

    // The server is down: nothing listens on the port any more, connections are refused.
    void schliessen() {
        if (m_hoerer < 0) {
            return;
        }
        ::shutdown(m_hoerer, SHUT_RDWR);
        m_annehmer.join();
        ::close(m_hoerer);
        m_hoerer = -1;
    }
    // Back on the same port.
    void oeffnen() {
        if (m_hoerer >= 0) {
            return;
        }
        m_hoerer = ::socket(AF_INET, SOCK_STREAM, 0);
        const int ja = 1;
        ::setsockopt(m_hoerer, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof ja);
        sockaddr_in a = adresse(port);
        ::bind(m_hoerer, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_hoerer, 16);
        socklen_t laenge = sizeof a;
        ::getsockname(m_hoerer, reinterpret_cast<sockaddr*>(&a), &laenge);
        port = ntohs(a.sin_port);
        m_annehmer = std::thread([this, fd = m_hoerer] { annehmen(fd); });
    }

    int port = 0;

private:
    static sockaddr_in adresse(int port) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return a;
    }

    void annehmen(int hoerer) {
        for (;;) {
            const int c = ::accept(hoerer, nullptr, nullptr);
            if (c < 0) {
                return;
            }
            std::lock_guard lock(m_mutex);
            m_verbindungen.emplace_back([this, c, modus = m_modus.load()] {
                bedienen(c, modus);
                ::close(c);
            });
        }
    }

    // Waits for data on fd; false when the proxy ends or nothing came within the poll step.
    bool lesbar(int fd) const {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 50) > 0;
    }

    // Reads the request head and as much of the body as bis allows (-1: all of it).
    QByteArray anfrageLesen(int c, qsizetype bis) const {
        QByteArray anfrage;
        qsizetype erwartet = -1;
        char puffer[4096];
        while (!m_ende && (erwartet < 0 || anfrage.size() < erwartet)) {
            if (bis >= 0 && erwartet >= 0 && anfrage.size() >= bis) {
                break;
            }
            if (!lesbar(c)) {
                continue;
            }
            const ssize_t n = ::recv(c, puffer, sizeof puffer, 0);
            if (n <= 0) {
                break;
            }
            anfrage.append(puffer, n);
            if (erwartet < 0 && (erwartet = anfrageLaenge(anfrage)) >= 0 && bis >= 0) {
                const qsizetype kopf = anfrage.indexOf("\r\n\r\n") + 4;
                bis = kopf + (erwartet - kopf) / 2; // half of the body
            }
        }
        return anfrage;
    }

    static void antworten(int c, const QByteArray& status, const QByteArray& body) {
        const QByteArray antwort = "HTTP/1.1 " + status +
                                   "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
                                   "\r\nConnection: close\r\n\r\n" + body;
        ::send(c, antwort.constData(), static_cast<size_t>(antwort.size()), MSG_NOSIGNAL);
    }

    void bedienen(int c, Modus modus) {
        switch (modus) {
        case Modus::Status500:
            anfrageLesen(c, -1);
            antworten(c, "500 Internal Server Error", "FILE vorhanden!");
            return;
        case Modus::FalscherText:
            anfrageLesen(c, -1);
            antworten(c, "200 OK", "Fehler: Speicher voll");
            return;
        case Modus::Haengen: {
            anfrageLesen(c, -1);
            char b;
            while (!m_ende && !(lesbar(c) && ::recv(c, &b, 1, 0) <= 0)) {
            }
            return;
        }
        case Modus::Abbruch: {
            anfrageLesen(c, 0);
            const linger hart{1, 0}; // reset, as a dropped line or a crashed server would
            ::setsockopt(c, SOL_SOCKET, SO_LINGER, &hart, sizeof hart);
            return;
        }
        case Modus::Durchlass:
            weiterleiten(c);
            return;
        }
    }

    void weiterleiten(int c) {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = adresse(m_ziel);
        if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            ::close(s);
            return;
        }
        char puffer[16384];
        pollfd p[2] = {{c, POLLIN, 0}, {s, POLLIN, 0}};
        while (!m_ende) {
            if (::poll(p, 2, 50) <= 0) {
                continue;
            }
            bool zu = false;
            for (int i = 0; i < 2 && !zu; ++i) {
                if (p[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                    const ssize_t n = ::recv(p[i].fd, puffer, sizeof puffer, 0);
                    zu = n <= 0 || ::send(p[1 - i].fd, puffer, static_cast<size_t>(n), MSG_NOSIGNAL) != n;
                }
            }
            if (zu) {
                break;
            }
        }
        ::close(s);
    }

    std::atomic<int> m_ziel;
    std::atomic<Modus> m_modus{Modus::Durchlass};
    std::atomic<bool> m_ende{false};
    int m_hoerer = -1;
    std::thread m_annehmer;
    std::mutex m_mutex;
    std::list<std::thread> m_verbindungen;
};

} // namespace quenda::test
