#pragma once

#include "Turnierkontext.h"
#include "demo/FesteIds.h"
#include "demo/Generator.h"
#include "draws/AusloList.h"
#include "settings/TAblage.h"
#include "support/DemoVorlage.h"
#include "support/TransferHilfen.h"
#include "transfer/Datenzyklus.h"
#include "transfer/Exporteure.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Statistik.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace quenda::test {

// The exporter calls of all cycles, as text: name, arguments, and the game-and-table list the call found.
class Aufzeichnung {
public:
    void merken(const QString& aufruf) {
        {
            QMutexLocker lock(&m_mutex);
            m_aufrufe.append(aufruf);
        }
        if (beiAufruf) {
            beiAufruf(aufruf); // may throw, block or ask the cycle to stop
        }
    }
    QStringList aufrufe() const {
        QMutexLocker lock(&m_mutex);
        return m_aufrufe;
    }
    void leeren() {
        QMutexLocker lock(&m_mutex);
        m_aufrufe.clear();
    }

    std::function<void(const QString&)> beiAufruf;

private:
    mutable QMutex m_mutex;
    QStringList m_aufrufe;
};

// Stands in for the exporters: records each call; the game list and the table add a line to the
// combined list, as the real ones do.
class ExporteureMerken : public Exporteure {
public:
    explicit ExporteureMerken(Aufzeichnung& aufzeichnung) : m_a(aufzeichnung) {}

    void Objdaten_Spiele(int al, int syf, int typ, int betrieb, const QString& stempel) override {
        m_a.merken(text(QStringLiteral("Spiele"), {al, syf, typ, betrieb}, stempel));
        tabspieleliste.append(QStringLiteral("S%1").arg(syf));
    }
    void Objdaten_KOFeld(int al, int syf, int typ, int betrieb, const QString& stempel) override {
        m_a.merken(text(QStringLiteral("KOFeld"), {al, syf, typ, betrieb}, stempel));
    }
    void Objdaten_Tabelle(int al, int syf, int typ, int betrieb, const QString& stempel) override {
        m_a.merken(text(QStringLiteral("Tabelle"), {al, syf, typ, betrieb}, stempel));
        tabspieleliste.append(QStringLiteral("T%1").arg(syf));
    }
    void Objdaten_Starterliste(int al, int syf, int typ, int betrieb, const QString& stempel) override {
        m_a.merken(text(QStringLiteral("Starterliste"), {al, syf, typ, betrieb}, stempel));
    }
    void Objdaten_TabelleSpiele(int al, int syf, int betrieb, const QString& stempel) override {
        m_a.merken(text(QStringLiteral("TabelleSpiele"), {al, syf, betrieb}, stempel));
    }
    void Objdaten_Teilnehmerliste(int syf, int typ, const QString& stempel) override {
        m_a.merken(text(QStringLiteral("Teilnehmerliste"), {syf, typ}, stempel));
    }
    void Objdaten_Tischbelegung(const QString& stempel) override {
        m_a.merken(text(QStringLiteral("Tischbelegung"), {}, stempel));
    }
    void Objdaten_Meldung(const QString& stempel) override { m_a.merken(text(QStringLiteral("Meldung"), {}, stempel)); }

private:
    QString text(const QString& name, std::initializer_list<int> werte, const QString& stempel) const {
        QStringList teile{name};
        for (const int wert : werte) {
            teile.append(QString::number(wert));
        }
        teile.append(stempel);
        teile.append(u'[' + tabspieleliste.join(u',') + u']');
        return teile.join(u' ');
    }

    Aufzeichnung& m_a;
};

// The tracked item each exporter call was about ("G<syf_id>" for a draw group, "T<kn_id>" for a
// participant list), without repeats; calls that concern no item by their name.
inline QStringList reihenfolge(const QStringList& aufrufe) {
    QStringList schluessel;
    for (const QString& aufruf : aufrufe) {
        const QStringList teile = aufruf.split(u' ');
        const QString s = teile[0] == QStringLiteral("Teilnehmerliste") ? u'T' + teile[1]
                          : teile.size() > 5                            ? u'G' + teile[2]
                                                                        : teile[0];
        if (schluessel.isEmpty() || schluessel.last() != s) {
            schluessel.append(s);
        }
    }
    return schluessel;
}

// The calls about one tracked item.
inline QStringList block(const QStringList& aufrufe, const QString& schluessel) {
    QStringList zeilen;
    for (const QString& aufruf : aufrufe) {
        if (reihenfolge({aufruf}) == QStringList{schluessel}) {
            zeilen.append(aufruf);
        }
    }
    return zeilen;
}

inline QString schluessel(const TAuslosung& a) {
    return (a.typdaten == typdatenGruppe ? u'G' : u'T') + QString::number(a.syf_id);
}

// What a cycle works on: a copy of the generated tournament beside its working folder, no target
// enabled (the exports are faked), the clock at 09:00:00, the generator's reference time.
struct Zyklusumfeld : Arbeitsordner {
    Zyklusumfeld() {
        QFile::copy(demoVorlage(), dbpfad);
        uhr.festsetzen(demo::standardJetzt());
        kontext = {dbpfad, static_cast<int>(demo::fest::turnier), QStringLiteral("Südpark-Pokal 2026"), tsdir, {}};
    }

    ExporteurFabrik fabrik() {
        return
            [this](TDM&, const Turnierkontext&, Staging&) { return std::make_unique<ExporteureMerken>(aufzeichnung); };
    }
    ZyklusUmgebung umgebung() {
        return {kontext, ablage, liste, protokoll, uhr, statistik, fehler, http, meldungen, abbruch, resend, fabrik()};
    }

    // The position of a tracked item; fails the test when it is not tracked.
    const TAuslosung& eintrag(qint64 syf_id, int typdaten) const {
        const int position = liste.FindAuslosung(static_cast<int>(syf_id), typdaten);
        EXPECT_NE(position, nichtGefunden) << "syf_id " << syf_id;
        return liste.at(position == nichtGefunden ? 1 : position);
    }

    const QString dbpfad = dir.filePath(QStringLiteral("demo.db"));
    Turnierkontext kontext;
    TAblage ablage;
    AusloList liste;
    Statistik statistik;
    Fehlerzustand fehler;
    KeinHttpSender http;
    MeldungenMerken meldungen;
    std::atomic<bool> abbruch{false};
    std::atomic<bool> resend{false};
    Aufzeichnung aufzeichnung;
};

} // namespace quenda::test
