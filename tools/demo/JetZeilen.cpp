#include "demo/JetZeilen.h"

#include "demo/JetSeiten.h"
#include "util/QuendaError.h"

#include <QDate>
#include <QRegularExpression>
#include <bit>
#include <cmath>
#include <limits>

namespace quenda::demo::jetformat {

namespace {

constexpr int komprimiertBis = 1024; // Jet compresses no longer text
constexpr int zeileHoechstens = seitengroesse - datenseiteKopf - 2;
constexpr int zeigerGroesse = 4;
constexpr double ersterTag = -657434.0;          // 1.1.100
constexpr double letzterTag = 2958465.999988426; // 31.12.9999 23:59:59
constexpr double sekundenProTag = 86400.0;

[[noreturn]] void falsch(const Zeilenformat& format, int spalte, const QString& was) {
    throw QuendaError(QStringLiteral("Tabelle %1, Spalte %2: %3")
                          .arg(format.tabelle, format.spalten[static_cast<size_t>(spalte)].name, was));
}

QString wertText(const JetWert& wert) {
    if (const auto* text = std::get_if<QString>(&wert)) {
        return *text;
    }
    if (const auto* zahl = std::get_if<qint64>(&wert)) {
        return QString::number(*zahl);
    }
    if (const auto* zahl = std::get_if<double>(&wert)) {
        return QString::number(*zahl, 'g', 15);
    }
    return {};
}

std::optional<qint64> ganzzahl(const JetWert& wert) {
    if (const auto* zahl = std::get_if<qint64>(&wert)) {
        return *zahl;
    }
    if (const auto* zahl = std::get_if<double>(&wert)) {
        if (std::isfinite(*zahl) && std::trunc(*zahl) == *zahl && std::fabs(*zahl) < 9.0e15) {
            return static_cast<qint64>(*zahl);
        }
        return std::nullopt;
    }
    bool ok = false;
    const qint64 zahl = std::get<QString>(wert).trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(zahl) : std::nullopt;
}

std::optional<double> kommazahl(const JetWert& wert) {
    if (const auto* zahl = std::get_if<qint64>(&wert)) {
        return static_cast<double>(*zahl);
    }
    if (const auto* zahl = std::get_if<double>(&wert)) {
        return *zahl;
    }
    bool ok = false;
    const double zahl = std::get<QString>(wert).trimmed().toDouble(&ok);
    return ok ? std::optional<double>(zahl) : std::nullopt;
}

void festKodieren(const Zeilenformat& format, int spalte, const JetWert& wert, char* ziel) {
    QByteArray bytes(8, '\0');
    const JetTyp typ = format.spalten[static_cast<size_t>(spalte)].typ;
    const auto bereich = [&](qint64 von, qint64 bis) {
        const auto zahl = ganzzahl(wert);
        if (!zahl || *zahl < von || *zahl > bis) {
            falsch(format, spalte,
                   QStringLiteral("%1 ist keine Zahl von %2 bis %3").arg(wertText(wert)).arg(von).arg(bis));
        }
        return static_cast<quint32>(*zahl);
    };
    double kommawert = 0.0;
    switch (typ) {
    case JetTyp::Byte:
        bytes[0] = static_cast<char>(bereich(0, 255));
        break;
    case JetTyp::Integer:
        put16(bytes, 0, bereich(std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
        break;
    case JetTyp::LongInteger:
        put32(bytes, 0, bereich(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
        break;
    case JetTyp::Double: {
        const auto zahl = kommazahl(wert);
        if (!zahl) {
            falsch(format, spalte, QStringLiteral("%1 ist keine Zahl").arg(wertText(wert)));
        }
        kommawert = *zahl;
        break;
    }
    case JetTyp::DatumZeit:
        if (const auto* text = std::get_if<QString>(&wert)) {
            try {
                kommawert = jetTage(*text);
            } catch (const QuendaError& fehler) {
                falsch(format, spalte, fehler.message());
            }
        } else {
            kommawert = *kommazahl(wert);
            if (!(kommawert >= ersterTag && kommawert <= letzterTag)) {
                falsch(format, spalte, QStringLiteral("%1 liegt nicht zwischen 100 und 9999").arg(kommawert));
            }
        }
        break;
    default:
        break;
    }
    if (typ == JetTyp::Double || typ == JetTyp::DatumZeit) {
        const auto roh = std::bit_cast<quint64>(kommawert);
        put32(bytes, 0, static_cast<quint32>(roh));
        put32(bytes, 4, static_cast<quint32>(roh >> 32));
    }
    std::copy_n(bytes.constData(), festeGroesse(typ), ziel);
}

bool wahr(const Zeilenformat& format, int spalte, const JetWert& wert) {
    if (std::holds_alternative<std::monostate>(wert)) {
        return false; // Yes/No has no NULL
    }
    const auto zahl = kommazahl(wert);
    if (!zahl) {
        falsch(format, spalte, QStringLiteral("%1 ist kein Ja/Nein-Wert").arg(wertText(wert)));
    }
    return *zahl != 0.0;
}

QByteArray variabelKodieren(const Zeilenformat& format, int spalte, const JetWert& wert, const Auslagern& auslagern) {
    const JetTyp typ = format.spalten[static_cast<size_t>(spalte)].typ;
    if (typ == JetTyp::Binaer || typ == JetTyp::Ole) {
        falsch(format, spalte, QStringLiteral("nur NULL wird geschrieben"));
    }
    const QString text = wertText(wert);
    if (typ == JetTyp::Text) {
        if (text.size() > textZeichenBis) {
            falsch(format, spalte, QStringLiteral("Text länger als %1 Zeichen").arg(textZeichenBis));
        }
        return textKodieren(text);
    }
    const QByteArray daten = textKodieren(text);
    if (daten.size() > memoImZeileBis) {
        return auslagern(spalte, daten);
    }
    QByteArray feld(memoKopf, '\0');
    put32(feld, 0, static_cast<quint32>(daten.size()) | memoImZeile);
    return feld + daten;
}

} // namespace

Zeilenformat zeilenformat(const QString& tabelle, const std::vector<JetSpalte>& spalten) {
    Zeilenformat format;
    format.tabelle = tabelle;
    format.spalten = spalten;
    for (const JetSpalte& spalte : spalten) {
        const bool fest = istFest(spalte.typ);
        format.festOffset.push_back(fest ? format.festGroesse : -1);
        format.varNummer.push_back(fest ? -1 : format.varAnzahl);
        if (fest) {
            format.festGroesse += festeGroesse(spalte.typ);
        } else {
            ++format.varAnzahl;
        }
    }
    return format;
}

quint8 typCode(JetTyp typ) {
    switch (typ) {
    case JetTyp::JaNein:
        return 0x01;
    case JetTyp::Byte:
        return 0x02;
    case JetTyp::Integer:
        return 0x03;
    case JetTyp::LongInteger:
        return 0x04;
    case JetTyp::Double:
        return 0x07;
    case JetTyp::DatumZeit:
        return 0x08;
    case JetTyp::Binaer:
        return 0x09;
    case JetTyp::Text:
        return 0x0a;
    case JetTyp::Ole:
        return 0x0b;
    case JetTyp::Memo:
        return 0x0c;
    }
    return 0;
}

bool istFest(JetTyp typ) {
    return typ != JetTyp::Text && typ != JetTyp::Memo && typ != JetTyp::Binaer && typ != JetTyp::Ole;
}

int festeGroesse(JetTyp typ) {
    switch (typ) {
    case JetTyp::Byte:
        return 1;
    case JetTyp::Integer:
        return 2;
    case JetTyp::LongInteger:
        return 4;
    case JetTyp::Double:
    case JetTyp::DatumZeit:
        return 8;
    default:
        return 0;
    }
}

int spaltenlaenge(JetTyp typ) {
    return typ == JetTyp::Text || typ == JetTyp::Binaer ? 2 * textZeichenBis : festeGroesse(typ);
}

QByteArray textKodieren(const QString& text) {
    bool einByte = text.size() > 2 && text.size() <= komprimiertBis;
    for (qsizetype i = 0; einByte && i < text.size(); ++i) {
        einByte = text.at(i).unicode() > 0 && text.at(i).unicode() < 0x100;
    }
    QByteArray bytes;
    if (einByte) {
        bytes.reserve(text.size() + 2);
        bytes.append('\xff').append('\xfe');
        for (const QChar c : text) {
            bytes.append(static_cast<char>(c.unicode()));
        }
        return bytes;
    }
    bytes.reserve(2 * text.size());
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xff)).append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray zeilePacken(const Zeilenformat& format, const JetZeile& zeile, const Auslagern& auslagern) {
    const int spalten = static_cast<int>(format.spalten.size());
    if (static_cast<int>(zeile.size()) != spalten) {
        throw QuendaError(QStringLiteral("Tabelle %1: eine Zeile hat %2 statt %3 Werte")
                              .arg(format.tabelle)
                              .arg(zeile.size())
                              .arg(spalten));
    }
    QByteArray bytes(2 + format.festGroesse, '\0');
    put16(bytes, 0, static_cast<quint32>(spalten));
    QByteArray nullmaske((spalten + 7) / 8, '\0');
    const auto nichtNull = [&](int spalte) { nullmaske[spalte / 8] |= static_cast<char>(1 << (spalte % 8)); };
    std::vector<int> varOffsets;
    for (int i = 0; i < spalten; ++i) {
        const JetWert& wert = zeile[static_cast<size_t>(i)];
        const JetTyp typ = format.spalten[static_cast<size_t>(i)].typ;
        const bool null = std::holds_alternative<std::monostate>(wert);
        if (typ == JetTyp::JaNein) {
            if (wahr(format, i, wert)) {
                nichtNull(i);
            }
        } else if (istFest(typ)) {
            if (!null) {
                festKodieren(format, i, wert, bytes.data() + 2 + format.festOffset[static_cast<size_t>(i)]);
                nichtNull(i);
            }
        } else {
            varOffsets.push_back(static_cast<int>(bytes.size()));
            if (!null) {
                bytes += variabelKodieren(format, i, wert, auslagern);
                nichtNull(i);
            }
        }
    }
    const int datenEnde = static_cast<int>(bytes.size());
    if (format.varAnzahl > 0) {
        QByteArray ende(4 + 2 * format.varAnzahl, '\0');
        put16(ende, 0, static_cast<quint32>(datenEnde));
        for (int v = format.varAnzahl - 1, pos = 2; v >= 0; --v, pos += 2) {
            put16(ende, pos, static_cast<quint32>(varOffsets[static_cast<size_t>(v)]));
        }
        put16(ende, static_cast<int>(ende.size()) - 2, static_cast<quint32>(format.varAnzahl));
        bytes += ende;
    }
    bytes += nullmaske;
    // The slot of a row that moves must hold the pointer to its new place.
    bytes = auffuellen(format, bytes, zeigerGroesse);
    if (bytes.size() > zeileHoechstens) {
        throw QuendaError(QStringLiteral("Tabelle %1: eine Zeile ist mit %2 Bytes größer als eine Seite")
                              .arg(format.tabelle)
                              .arg(bytes.size()));
    }
    return bytes;
}

QByteArray auffuellen(const Zeilenformat& format, const QByteArray& zeile, int laenge) {
    if (zeile.size() >= laenge) {
        return zeile;
    }
    const int spalten = static_cast<int>(format.spalten.size());
    const qsizetype schluss = (format.varAnzahl > 0 ? 4 + 2 * format.varAnzahl : 0) + (spalten + 7) / 8;
    QByteArray lang = zeile;
    lang.insert(zeile.size() - schluss, QByteArray(laenge - zeile.size(), '\0'));
    return lang;
}

double jetTage(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?: (\\d{2}):(\\d{2}):(\\d{2}))?$"));
    const QRegularExpressionMatch m = form.match(text);
    const QDate datum =
        m.hasMatch() ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()) : QDate();
    const int stunde = m.captured(4).toInt(), minute = m.captured(5).toInt(), sekunde = m.captured(6).toInt();
    if (!datum.isValid() || datum.year() < 100 || stunde > 23 || minute > 59 || sekunde > 59) {
        throw QuendaError(QStringLiteral("\"%1\" ist kein Datum von 100 bis 9999 (yyyy-mm-dd hh:nn:ss)").arg(text));
    }
    const auto tage = static_cast<double>(QDate(1899, 12, 30).daysTo(datum));
    const double bruchteil = (stunde * 3600 + minute * 60 + sekunde) / sekundenProTag;
    // Before 30.12.1899 the whole part counts back and the time of day still forward.
    return tage >= 0 ? tage + bruchteil : tage - bruchteil;
}

} // namespace quenda::demo::jetformat
