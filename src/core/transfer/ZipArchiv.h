#pragma once

#include "transfer/ZyklusArchiv.h"

#include <QString>

struct zip;

namespace quenda {

// A ZIP archive written with libzip: Deflate entries, written out on schliessen (libzip writes a
// temporary file and renames it, so the archive never lies half-written under its name). Owned and used
// by the cycle thread.
class ZipArchiv : public ZyklusArchiv {
public:
    // Creates the archive pfad for writing; an existing file of that name is replaced on schliessen.
    // Throws IoError.
    explicit ZipArchiv(const QString& pfad);
    ~ZipArchiv() override;
    ZipArchiv(const ZipArchiv&) = delete;
    ZipArchiv& operator=(const ZipArchiv&) = delete;

    // Reads the file at once, so the caller may delete it right after. Throws IoError.
    void hinzufuegen(const QString& datei, const QString& eintrag) override;
    int anzahl() const;
    // Writes the archive. Without entries no file is left (an older file of the name is removed too).
    // Throws IoError.
    void schliessen();
    QString pfad() const { return m_pfad; }

    // The name of a cycle's archive for the phones, and whether a file name is one: only these are sent.
    static QString zyklusName(const QString& stempel);
    static bool istZyklusArchiv(const QString& name);
    // The number of entries of an archive on disk; 0 when it cannot be read.
    static int eintraege(const QString& pfad);

private:
    QString fehlertext() const;

    QString m_pfad;
    zip* m_zip = nullptr;
};

} // namespace quenda
