#include "demo/JetSeiten.h"

#include <array>
#include <bit>
#include <cstring>

namespace quenda::demo::jetformat {

namespace {

constexpr char seiteDaten = 0x01;
constexpr char seiteKarte = 0x05;
constexpr int zeilenzahlPos = 12;
constexpr int karteKopf = 5;                                  // type and first page of an inline map
constexpr quint32 inlineSeiten = (umapZeile - karteKopf) * 8; // 512
constexpr int kartenseiteKopf = 4;                            // type, 1, two unused bytes
constexpr quint32 seitenJeKartenseite = (seitengroesse - kartenseiteKopf) * 8;
constexpr int kartenseitenJeZeile = (umapZeile - 1) / 4;

// The header area from 0x18 is masked with this RC4 key stream; readers unmask it the same way.
void rc4(const std::array<unsigned char, 4>& schluessel, char* daten, int laenge) {
    std::array<unsigned char, 256> s{};
    for (int i = 0; i < 256; ++i) {
        s[i] = static_cast<unsigned char>(i);
    }
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + schluessel[i % 4]) & 0xff;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < laenge; ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[i]) & 0xff;
        std::swap(s[i], s[j]);
        daten[n] = static_cast<char>(static_cast<unsigned char>(daten[n]) ^ s[(s[i] + s[j]) & 0xff]);
    }
}

} // namespace

void put16(QByteArray& seite, int pos, quint32 wert) {
    seite[pos] = static_cast<char>(wert & 0xff);
    seite[pos + 1] = static_cast<char>(wert >> 8 & 0xff);
}

void put24(QByteArray& seite, int pos, quint32 wert) {
    put16(seite, pos, wert);
    seite[pos + 2] = static_cast<char>(wert >> 16 & 0xff);
}

void put32(QByteArray& seite, int pos, quint32 wert) {
    put16(seite, pos, wert);
    put16(seite, pos + 2, wert >> 16);
}

quint16 get16(const QByteArray& seite, int pos) {
    return static_cast<quint16>(static_cast<unsigned char>(seite[pos]) | static_cast<unsigned char>(seite[pos + 1])
                                                                             << 8);
}

quint32 Seiten::neu() {
    m_seiten.emplace_back(seitengroesse, '\0');
    return anzahl() - 1;
}

QByteArray Seiten::alle() const {
    QByteArray datei;
    datei.reserve(static_cast<qsizetype>(m_seiten.size()) * seitengroesse);
    for (const QByteArray& seite : m_seiten) {
        datei += seite;
    }
    return datei;
}

void Datenseite::anlegen(Seiten& seiten, quint32 nr, quint32 besitzer, bool langwerte) {
    QByteArray& seite = seiten[nr];
    seite[0] = seiteDaten;
    seite[1] = 0x01;
    if (langwerte) {
        std::memcpy(seite.data() + 4, "LVAL", 4);
    } else {
        put32(seite, 4, besitzer);
    }
    put16(seite, zeilenzahlPos, 0);
    put16(seite, 2, seitengroesse - datenseiteKopf);
}

int Datenseite::frei(const QByteArray& seite) {
    return get16(seite, 2);
}

int Datenseite::zeilen(const QByteArray& seite) {
    return get16(seite, zeilenzahlPos);
}

bool Datenseite::passt(const QByteArray& seite, int laenge) {
    return zeilen(seite) < zeilenProSeite && laenge + 2 <= frei(seite);
}

int Datenseite::anfuegen(QByteArray& seite, const QByteArray& zeile, quint16 flags) {
    const int nr = zeilen(seite);
    const int ende = nr == 0 ? seitengroesse : anfang(seite, nr - 1);
    const int start = ende - static_cast<int>(zeile.size());
    std::memcpy(seite.data() + start, zeile.constData(), static_cast<size_t>(zeile.size()));
    put16(seite, datenseiteKopf + 2 * nr, static_cast<quint32>(start) | flags);
    put16(seite, zeilenzahlPos, static_cast<quint32>(nr + 1));
    put16(seite, 2, static_cast<quint32>(frei(seite) - 2 - zeile.size()));
    return nr;
}

int Datenseite::anfang(const QByteArray& seite, int zeile) {
    return get16(seite, datenseiteKopf + 2 * zeile) & offsetMaske;
}

int Datenseite::laenge(const QByteArray& seite, int zeile) {
    const int ende = zeile == 0 ? seitengroesse : anfang(seite, zeile - 1);
    return ende - anfang(seite, zeile);
}

void Datenseite::flaggen(QByteArray& seite, int zeile, quint16 flags) {
    const int pos = datenseiteKopf + 2 * zeile;
    put16(seite, pos, get16(seite, pos) | flags);
}

QByteArray nutzungskarte(Seiten& seiten, const std::set<quint32>& belegt) {
    QByteArray zeile(umapZeile, '\0');
    const quint32 erste = belegt.empty() ? 0 : *belegt.begin();
    if (belegt.empty() || *belegt.rbegin() - erste < inlineSeiten) {
        put32(zeile, 1, erste);
        for (const quint32 seite : belegt) {
            const quint32 bit = seite - erste;
            zeile[karteKopf + static_cast<int>(bit / 8)] |= static_cast<char>(1 << (bit % 8));
        }
        return zeile;
    }
    // Each map page covers a fixed stretch of page numbers from 0; only stretches in use get one.
    zeile[0] = 0x01;
    std::array<quint32, kartenseitenJeZeile> kartenseiten{};
    for (const quint32 seite : belegt) {
        const quint32 index = seite / seitenJeKartenseite;
        if (index >= kartenseiten.size()) {
            break; // beyond what a Jet 4 file can hold (JetSchreiber refuses such a file)
        }
        if (!kartenseiten[index]) {
            kartenseiten[index] = seiten.neu();
            QByteArray& karte = seiten[kartenseiten[index]];
            karte[0] = seiteKarte;
            karte[1] = 0x01;
        }
        const quint32 bit = seite % seitenJeKartenseite;
        seiten[kartenseiten[index]][kartenseiteKopf + static_cast<int>(bit / 8)] |= static_cast<char>(1 << (bit % 8));
    }
    for (size_t i = 0; i < kartenseiten.size(); ++i) {
        put32(zeile, 1 + 4 * static_cast<int>(i), kartenseiten[i]);
    }
    return zeile;
}

QByteArray kopfseite(double erstellt) {
    QByteArray seite(seitengroesse, '\0');
    seite[1] = 0x01;
    std::memcpy(seite.data() + 4, "Standard Jet DB", 15);
    seite[0x14] = 0x01; // Jet 4
    put16(seite, 0x3c, 1252);
    put32(seite, 0x3e, 0); // no page encryption
    // An empty password, masked with the creation date as Jet 4 masks it.
    const auto maske = static_cast<quint32>(static_cast<qint32>(erstellt));
    for (int pos = 0x42; pos < 0x42 + 40; ++pos) {
        seite[pos] = static_cast<char>(maske >> (8 * (pos % 4)) & 0xff);
    }
    put32(seite, 0x6e, 0x0409); // sort order "General"
    const auto datum = std::bit_cast<quint64>(erstellt);
    put32(seite, 0x72, static_cast<quint32>(datum));
    put32(seite, 0x76, static_cast<quint32>(datum >> 32));
    rc4({0xc7, 0xda, 0x39, 0x6b}, seite.data() + 0x18, 128);
    return seite;
}

} // namespace quenda::demo::jetformat
