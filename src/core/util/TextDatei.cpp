#include "util/TextDatei.h"

#include "util/QuendaError.h"

#include <QFile>

namespace quenda::textdatei {

namespace {

// Our own table rather than QStringEncoder: the ICU converter writes unmappable characters as 0x1A,
// while the files must carry "?". Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned ones
// (read back as the C1 control of the same value).
constexpr char16_t hoheSteuerzeichen[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ansiZeichen(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    if (c < 0xA0 && hoheSteuerzeichen[c - 0x80] == 0) {
        return static_cast<char>(c); // an unassigned byte read back
    }
    for (int i = 0; i < 32; ++i) {
        if (hoheSteuerzeichen[i] != 0 && hoheSteuerzeichen[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

QByteArray zuAnsi(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t c : text.toUcs4()) {
        bytes.append(ansiZeichen(c));
    }
    return bytes;
}

QString vonAnsi(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && hoheSteuerzeichen[u - 0x80] != 0) {
            text.append(QChar(hoheSteuerzeichen[u - 0x80]));
        } else {
            text.append(QChar(static_cast<char16_t>(u)));
        }
    }
    return text;
}

QByteArray kodieren(const QStringList& zeilen) {
    QByteArray bytes;
    for (const QString& zeile : zeilen) {
        bytes.append(zuAnsi(zeile));
        bytes.append("\r\n", 2);
    }
    return bytes;
}

void schreiben(const QString& pfad, const QStringList& zeilen, Ablauf ablauf) {
    datei_ersetzen(pfad, kodieren(zeilen), ablauf);
}

QStringList lesen(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw IoError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(pfad, datei.errorString()));
    }
    const QByteArray inhalt = datei.readAll();
    QStringList zeilen;
    qsizetype start = 0;
    while (start < inhalt.size()) {
        qsizetype ende = inhalt.indexOf('\n', start);
        const qsizetype naechste = ende < 0 ? inhalt.size() : ende + 1;
        if (ende < 0) {
            ende = inhalt.size();
        }
        if (ende > start && inhalt.at(ende - 1) == '\r') {
            --ende;
        }
        zeilen.append(vonAnsi(QByteArrayView(inhalt).sliced(start, ende - start)));
        start = naechste;
    }
    return zeilen;
}

} // namespace quenda::textdatei
