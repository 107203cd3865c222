#include "demo/Generator.h"

#include "demo/Drehbuch.h"
#include "demo/FesteIds.h"
#include "demo/Systeme.h"

#include "db/Verbindung.h"
#include "util/QuendaError.h"

#include <QFile>
#include <filesystem>

namespace quenda::demo {

std::optional<Groesse> groesseLesen(const QString& text) {
    if (text == u"small") {
        return Groesse::Klein;
    }
    if (text == u"medium") {
        return Groesse::Mittel;
    }
    if (text == u"large") {
        return Groesse::Gross;
    }
    return std::nullopt;
}

QString groesseText(Groesse groesse) {
    switch (groesse) {
    case Groesse::Klein:
        return QStringLiteral("small");
    case Groesse::Mittel:
        return QStringLiteral("medium");
    case Groesse::Gross:
        return QStringLiteral("large");
    }
    return {};
}

QString Uebersicht::text() const {
    auto zeile = [](const QString& titel, const Teilsumme& s) {
        return QStringLiteral("%1: %2 Spieler, %3 Konkurrenzen, %4 Auslosungen, %5 Gruppen, %6 Spiele, "
                              "%7 Hallenaufbauten, %8 Tische, %9 Belegungen")
            .arg(titel)
            .arg(s.spieler)
            .arg(s.konkurrenzen)
            .arg(s.auslosungen)
            .arg(s.gruppen)
            .arg(s.spiele)
            .arg(s.hallenaufbauten)
            .arg(s.tische)
            .arg(s.belegungen);
    };
    return zeile(QStringLiteral("Turnier %1").arg(fest::turnier), turnier) + u'\n' +
           zeile(QStringLiteral("Turnier %1").arg(fest::fremdTurnier), fremd);
}

Generator::Generator(Optionen optionen) : m_optionen(std::move(optionen)) {}

Uebersicht Generator::erzeugen(const QString& pfad) const {
    // Built beside the target and renamed over it at the end: a reader of the old file never sees a
    // half-written one, and a failed run leaves the old file as it was.
    const QString neu = pfad + QStringLiteral(".entsteht");
    // A journal left by an interrupted earlier run would be taken for one of the new file.
    QFile::remove(neu + QStringLiteral("-journal"));
    QFile::remove(neu);
    Uebersicht uebersicht;
    try {
        Verbindung verbindung;
        verbindung.anlegen(neu);
        verbindung.ausfuehren(QStringLiteral("PRAGMA synchronous=OFF"));
        verbindung.ausfuehren(QStringLiteral("BEGIN"));
        {
            Sql sql(verbindung.handle());
            Aufbau aufbau(sql, m_optionen.seed, m_optionen.jetzt);
            aufbau.turnier(fest::turnier, QStringLiteral("Südpark-Pokal 2026"));
            aufbau.turnier(fest::fremdTurnier, QStringLiteral("Kreisrangliste 2026"));
            systemeAnlegen(sql);
            Turnierteil haupt;
            haupt.t_id = fest::turnier;
            hauptturnier(aufbau, haupt, profil(m_optionen.groesse));
            Turnierteil fremd;
            fremd.t_id = fest::fremdTurnier;
            fremdturnier(aufbau, fremd);
            uebersicht.turnier = haupt.summe;
            uebersicht.fremd = fremd.summe;
        }
        verbindung.ausfuehren(QStringLiteral("COMMIT"));
        // Planner statistics, as the importer writes them for Access files.
        verbindung.ausfuehren(QStringLiteral("ANALYZE"));
        verbindung.schliessen();
    } catch (...) {
        QFile::remove(neu);
        throw;
    }
    std::error_code fehler;
    std::filesystem::rename(QFile::encodeName(neu).toStdString(), QFile::encodeName(pfad).toStdString(), fehler);
    if (fehler) {
        QFile::remove(neu);
        throw IoError(QStringLiteral("Die Datei %1 kann nicht angelegt werden: %2")
                          .arg(pfad, QString::fromLocal8Bit(fehler.message())));
    }
    return uebersicht;
}

} // namespace quenda::demo
