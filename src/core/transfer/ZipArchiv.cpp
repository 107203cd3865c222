#include "transfer/ZipArchiv.h"

#include "util/QuendaError.h"

#include <QFile>
#include <QRegularExpression>
#include <cstdlib>
#include <cstring>
#include <zip.h>

namespace quenda {

namespace {

QByteArray dateiname(const QString& pfad) {
#ifdef Q_OS_WIN
    return pfad.toUtf8(); // libzip takes UTF-8 names there
#else
    return QFile::encodeName(pfad);
#endif
}

} // namespace

QString ZipArchiv::zyklusName(const QString& stempel) {
    return stempel + QStringLiteral("_pockoupload.zip");
}

bool ZipArchiv::istZyklusArchiv(const QString& name) {
    static const QRegularExpression muster(QStringLiteral("^[0-9]{14}_pockoupload\\.zip$"));
    return muster.match(name).hasMatch();
}

int ZipArchiv::eintraege(const QString& pfad) {
    int fehler = 0;
    zip* archiv = zip_open(dateiname(pfad).constData(), ZIP_RDONLY, &fehler);
    if (!archiv) {
        return 0;
    }
    const zip_int64_t anzahl = zip_get_num_entries(archiv, 0);
    zip_discard(archiv);
    return anzahl > 0 ? static_cast<int>(anzahl) : 0;
}

ZipArchiv::ZipArchiv(const QString& pfad) : m_pfad(pfad) {
    int fehler = 0;
    m_zip = zip_open(dateiname(pfad).constData(), ZIP_CREATE | ZIP_TRUNCATE, &fehler);
    if (!m_zip) {
        zip_error_t z;
        zip_error_init_with_code(&z, fehler);
        const QString text = QString::fromLocal8Bit(zip_error_strerror(&z));
        zip_error_fini(&z);
        throw IoError(QStringLiteral("Die ZIP-Datei %1 kann nicht angelegt werden: %2").arg(pfad, text));
    }
}

ZipArchiv::~ZipArchiv() {
    if (m_zip) {
        zip_discard(m_zip); // not closed: nothing is written
    }
}

QString ZipArchiv::fehlertext() const {
    return QString::fromLocal8Bit(zip_strerror(m_zip));
}

void ZipArchiv::hinzufuegen(const QString& datei, const QString& eintrag) {
    if (!m_zip) {
        throw IoError(QStringLiteral("Die ZIP-Datei %1 ist geschlossen.").arg(m_pfad));
    }
    QFile quelle(datei);
    if (!quelle.open(QIODevice::ReadOnly)) {
        throw IoError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(datei, quelle.errorString()));
    }
    const QByteArray inhalt = quelle.readAll();
    // libzip reads its sources only when the archive is written; it gets its own copy of the bytes.
    void* puffer = std::malloc(static_cast<size_t>(qMax<qsizetype>(inhalt.size(), 1)));
    if (!puffer) {
        throw IoError(QStringLiteral("Kein Speicher für %1.").arg(datei));
    }
    std::memcpy(puffer, inhalt.constData(), static_cast<size_t>(inhalt.size()));
    zip_source_t* quelleZip = zip_source_buffer(m_zip, puffer, static_cast<zip_uint64_t>(inhalt.size()), 1);
    if (!quelleZip) {
        std::free(puffer);
        throw IoError(QStringLiteral("ZIP-Fehler bei %1: %2").arg(datei, fehlertext()));
    }
    const zip_int64_t index =
        zip_file_add(m_zip, eintrag.toUtf8().constData(), quelleZip, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(quelleZip);
        throw IoError(QStringLiteral("ZIP-Fehler bei %1: %2").arg(datei, fehlertext()));
    }
    if (zip_set_file_compression(m_zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0) < 0) {
        throw IoError(QStringLiteral("ZIP-Fehler bei %1: %2").arg(datei, fehlertext()));
    }
}

int ZipArchiv::anzahl() const {
    return m_zip ? static_cast<int>(zip_get_num_entries(m_zip, 0)) : 0;
}

void ZipArchiv::schliessen() {
    if (!m_zip) {
        return;
    }
    if (zip_close(m_zip) < 0) {
        const QString text = fehlertext();
        zip_discard(m_zip);
        m_zip = nullptr;
        throw IoError(QStringLiteral("Die ZIP-Datei %1 kann nicht geschrieben werden: %2").arg(m_pfad, text));
    }
    m_zip = nullptr;
}

} // namespace quenda
