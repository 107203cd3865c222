#include "support/StagingMerken.h"

#include "support/Dateien.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace quenda::test {

void StagingMerken::DateiAnlage(const QString& name, const QString& stempel, int ziel) {
    const QDir dir(ordner);
    const QString pfad = dir.filePath(name);
    abgaben.append({name, stempel, ziel, dateiInhalt(pfad)});
    const QString kept = dir.filePath(name.chopped(8) + QStringLiteral(".txt"));
    QFile::remove(kept);
    QFile::rename(pfad, kept);
}

QStringList StagingMerken::namen() const {
    QStringList liste;
    for (const Abgabe& a : abgaben) {
        liste.append(a.name);
    }
    return liste;
}

QStringList StagingMerken::zeilen(const QString& name) const {
    for (const Abgabe& a : abgaben) {
        if (a.name == name) {
            return a.inhalt.isEmpty() ? QStringList()
                                      : textdatei::vonAnsi(a.inhalt.chopped(2)).split(QStringLiteral("\r\n"));
        }
    }
    ADD_FAILURE() << "not handed over: " << name.toStdString();
    return {};
}

} // namespace quenda::test
