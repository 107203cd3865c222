#pragma once

#include "transfer/Staging.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quenda::test {

// Stands in for the transfer engine's staging: records each hand-over with the bytes the file held and
// turns the "_org.txt" file into its kept ".txt" version, as staging does, without sending anything.
// Used on one thread.
class StagingMerken : public Staging {
public:
    struct Abgabe {
        QString name;
        QString stempel;
        int ziel;
        QByteArray inhalt;
    };

    explicit StagingMerken(QString tsdir) : ordner(std::move(tsdir)) {}

    void DateiAnlage(const QString& name, const QString& stempel, int ziel) override;

    // The names in the order they were handed over.
    QStringList namen() const;
    // The lines of the one file handed over under this name; a name never handed over fails the test.
    QStringList zeilen(const QString& name) const;

    QString ordner;
    QList<Abgabe> abgaben;
};

} // namespace quenda::test
