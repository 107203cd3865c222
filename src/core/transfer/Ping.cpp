#include "transfer/TINDY.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <QDeadlineTimer>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace quenda {

#ifdef Q_OS_UNIX

namespace {

class Socket {
public:
    explicit Socket(int fd) : m_fd(fd) {}
    ~Socket() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

quint16 pruefsumme(const unsigned char* daten, size_t laenge) {
    quint32 summe = 0;
    for (size_t i = 0; i + 1 < laenge; i += 2) {
        summe += static_cast<quint32>(daten[i] << 8 | daten[i + 1]);
    }
    if (laenge % 2) {
        summe += static_cast<quint32>(daten[laenge - 1] << 8);
    }
    while (summe >> 16) {
        summe = (summe & 0xFFFF) + (summe >> 16);
    }
    return static_cast<quint16>(~summe);
}

bool adresse(const QString& host, sockaddr_in& ziel) {
    addrinfo hinweis{};
    hinweis.ai_family = AF_INET;
    addrinfo* liste = nullptr;
    const QByteArray name = host.toUtf8();
    if (name.isEmpty() || ::getaddrinfo(name.constData(), nullptr, &hinweis, &liste) != 0 || !liste) {
        return false;
    }
    std::memcpy(&ziel, liste->ai_addr, sizeof ziel);
    ::freeaddrinfo(liste);
    return true;
}

} // namespace

bool icmpEcho(const QString& host, int wartezeitMs) {
    sockaddr_in ziel{};
    if (!adresse(host, ziel)) {
        return false;
    }
    // Unprivileged ICMP datagram sockets where the system allows them (the kernel then owns the identifier
    // and delivers only our replies, without IP header); a raw socket otherwise, which needs privileges.
    Socket datagramm(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP));
    const bool roh = datagramm.fd() < 0;
    Socket rohSocket(roh ? ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP) : -1);
    const int fd = roh ? rohSocket.fd() : datagramm.fd();
    if (fd < 0) {
        return false;
    }

    static std::atomic<quint16> zaehler{0};
    const quint16 kennung = static_cast<quint16>((::getpid() & 0xFFFF) ^ zaehler.fetch_add(1));
    unsigned char anfrage[8 + 32] = {};
    anfrage[0] = ICMP_ECHO;
    anfrage[4] = static_cast<unsigned char>(kennung >> 8);
    anfrage[5] = static_cast<unsigned char>(kennung & 0xFF);
    for (size_t i = 8; i < sizeof anfrage; ++i) {
        anfrage[i] = static_cast<unsigned char>('a' + (i - 8) % 23); // sequence number 0, fixed payload
    }
    const quint16 summe = pruefsumme(anfrage, sizeof anfrage);
    anfrage[2] = static_cast<unsigned char>(summe >> 8);
    anfrage[3] = static_cast<unsigned char>(summe & 0xFF);
    if (::sendto(fd, anfrage, sizeof anfrage, 0, reinterpret_cast<const sockaddr*>(&ziel), sizeof ziel) < 0) {
        return false;
    }

    const QDeadlineTimer frist(wartezeitMs);
    unsigned char puffer[1500];
    while (!frist.hasExpired()) {
        pollfd p{fd, POLLIN, 0};
        const int bereit = ::poll(&p, 1, static_cast<int>(frist.remainingTime()));
        if (bereit < 0 && errno == EINTR) {
            continue;
        }
        if (bereit <= 0) {
            return false;
        }
        sockaddr_in von{};
        socklen_t vonLaenge = sizeof von;
        const ssize_t n = ::recvfrom(fd, puffer, sizeof puffer, 0, reinterpret_cast<sockaddr*>(&von), &vonLaenge);
        if (n < 0) {
            return false; // an error reported for our request (unreachable)
        }
        size_t kopf = 0;
        if (roh) {
            // Raw sockets see every ICMP message of the host with its IP header.
            if (n < 20) {
                continue;
            }
            kopf = static_cast<size_t>(puffer[0] & 0x0F) * 4;
        }
        if (static_cast<size_t>(n) < kopf + 8) {
            continue;
        }
        const unsigned char* icmp = puffer + kopf;
        if (roh && (icmp[0] == ICMP_DEST_UNREACH || icmp[0] == ICMP_TIME_EXCEEDED) &&
            static_cast<size_t>(n) >= kopf + 8 + 20 + 8) {
            // An error reply (from any router) quotes the request: its IP header, then our echo header.
            const unsigned char* zitat = icmp + 8;
            const unsigned char* echo = zitat + static_cast<size_t>(zitat[0] & 0x0F) * 4;
            if (echo + 8 <= puffer + n && echo[0] == ICMP_ECHO &&
                static_cast<quint16>(echo[4] << 8 | echo[5]) == kennung) {
                return false;
            }
            continue;
        }
        const quint16 id = static_cast<quint16>(icmp[4] << 8 | icmp[5]);
        const quint16 folge = static_cast<quint16>(icmp[6] << 8 | icmp[7]);
        if (von.sin_addr.s_addr == ziel.sin_addr.s_addr && icmp[0] == ICMP_ECHOREPLY && folge == 0 &&
            (!roh || id == kennung)) {
            return true;
        }
    }
    return false;
}

#else

bool icmpEcho(const QString&, int) {
    return false; // no ICMP socket on this platform
}

#endif

} // namespace quenda
