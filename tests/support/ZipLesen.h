#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <optional>
#include <zip.h>

namespace quenda::test {

struct Zipeintrag {
    QString name;
    QByteArray inhalt;
    int methode = 0;
    bool ganz = false; // the whole entry could be read
};

// The entries of an archive as libzip reads them back (with its consistency check); nothing when the archive
// cannot be opened.
inline std::optional<QList<Zipeintrag>> zipLesen(const QString& pfad) {
    zip_t* z = zip_open(QFile::encodeName(pfad).constData(), ZIP_RDONLY | ZIP_CHECKCONS, nullptr);
    if (!z) {
        return std::nullopt;
    }
    QList<Zipeintrag> eintraege;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
        Zipeintrag e{QString::fromUtf8(st.name), QByteArray(static_cast<qsizetype>(st.size), '\0'), st.comp_method};
        zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
        e.ganz = f && zip_fread(f, e.inhalt.data(), st.size) == static_cast<zip_int64_t>(st.size);
        if (f) {
            zip_fclose(f);
        }
        eintraege.append(e);
    }
    zip_close(z);
    return eintraege;
}

} // namespace quenda::test
