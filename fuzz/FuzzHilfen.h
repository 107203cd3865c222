#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Shared by the fuzz targets: input bytes as text, a scratch folder of this process and the invariant check.
namespace quenda::fuzz {

inline QByteArray bytes(const uint8_t* daten, size_t groesse) {
    return QByteArray(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse));
}

// Any byte sequence: invalid UTF-8 becomes replacement characters, as it would when read from a file.
inline QString text(const uint8_t* daten, size_t groesse) {
    return QString::fromUtf8(bytes(daten, groesse));
}

// A folder of this process below TMPDIR (or /tmp), made once; the fuzz targets write their inputs there.
inline const QString& arbeitsordner() {
    static const QString ordner = [] {
        const QString pfad =
            QDir(qEnvironmentVariableIsSet("TMPDIR") ? qEnvironmentVariable("TMPDIR") : QStringLiteral("/tmp"))
                .filePath(QStringLiteral("quenda-fuzz-%1").arg(::getpid()));
        QDir().mkpath(pfad);
        return pfad;
    }();
    return ordner;
}

inline void dateiSchreiben(const QString& pfad, const QByteArray& inhalt) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) || datei.write(inhalt) != inhalt.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(pfad));
        std::abort();
    }
}

// A broken invariant is a finding: abort, so that libFuzzer keeps the input.
inline void pruefen(bool bedingung, const char* was) {
    if (!bedingung) {
        std::fprintf(stderr, "invariant broken: %s\n", was);
        std::abort();
    }
}

} // namespace quenda::fuzz
