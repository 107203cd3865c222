// Staging (DateiAnlage) — the interface through which the producers hand their data files over
#pragma once

#include <QByteArray>
#include <QString>

namespace quenda {

// Hand-over of a data file the producer wrote into the working folder: name is the bare file name ending
// in "_org.txt"; the staging step compares it with its kept version (same name ending in ".txt"), sends it
// to the targets chosen by ziel (1 beamer/screen, 2 mobile phone, 3 both) and removes the "_org.txt" file.
// Implemented by the transfer engine.
class Staging {
public:
    virtual ~Staging() = default;
    virtual void DateiAnlage(const QString& name, const QString& stempel, int ziel) = 0;
    // The same for a file the producer still holds in memory: written as name, then handed over. A staging
    // step may compare the bytes with the kept version first and skip writing a file it would only delete.
    virtual void DateiAnlageInhalt(const QString& tsdir, const QString& name, const QByteArray& inhalt,
                                   const QString& stempel, int ziel);
};

} // namespace quenda
