#pragma once

#include "transfer/Staging.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace quenda {

// Staging for the exporters of one cycle that holds their hand-overs back while a unit of reads holds its
// read transaction (Lesetransaktion), and passes them on in their order once it has ended: staging writes
// files and delivers them, which must never happen while the tournament program is kept from writing.
// Outside a unit every hand-over is passed on at once. Owned by the cycle thread.
class Abgabepuffer : public Staging {
public:
    explicit Abgabepuffer(Staging& ziel) : m_ziel(ziel) {}

    void DateiAnlage(const QString& name, const QString& stempel, int ziel) override;
    void DateiAnlageInhalt(const QString& tsdir, const QString& name, const QByteArray& inhalt, const QString& stempel,
                           int ziel) override;

    // Holds every hand-over from now on.
    void sammeln() { m_sammeln = true; }
    // Passes on what was held, in order, and holds nothing from now on. Throws what the staging throws; the
    // hand-overs after the one that failed are dropped, as if their exporter had stopped there.
    void weitergeben();

private:
    struct Abgabe {
        QString tsdir; // empty for a file the producer wrote itself (DateiAnlage)
        QString name;
        QByteArray inhalt;
        QString stempel;
        int ziel;
        bool imSpeicher;
    };

    Staging& m_ziel;
    bool m_sammeln = false;
    std::vector<Abgabe> m_abgaben;
};

} // namespace quenda
