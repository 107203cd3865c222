// Routinen (zahl_nullen, datei_kopieren, eingabe_prf, …) — small routines shared by every layer
#pragma once

#include "util/Dateiersatz.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

namespace quenda {

class MeldungsAusgabe;

// Decimal text of wert, padded with zeros in front to breite (at most nine zeros added).
QString zahl_nullen(qint64 wert, int breite);

// Whole-file copy; the target is replaced atomically. Throws IoError.
void datei_kopieren(const QString& quelle, const QString& ziel, Ablauf ablauf = Ablauf::Dauerhaft);

// True when both files hold exactly the same bytes. Throws IoError when one cannot be read.
bool datei_gleich(const QString& pfadA, const QString& pfadB);

// Deletes a folder tree permanently. False when it failed, did not exist, or the path is empty or a root.
bool ordner_loeschen(const QString& ordner);

// True when name has only characters a folder name can hold on every system (no separators, none of
// :*?"<>|, no control characters), so that it cannot reach outside the folder it is put in.
bool ordnername_zeichen_gueltig(QStringView name);

// Required-field check of the dialogs: false (and the message shown) when the trimmed text is empty.
bool eingabe_prf(const QString& text, const QString& feldname, MeldungsAusgabe& ausgabe);

// Replaces the first apostrophe by a backquote.
QString hochkomma_ersetzen(const QString& text);

// One line: every control character (CR, LF, tab, ...) becomes one blank, so that a record never spans
// lines of a file, the memo or the event log.
QString einzeilig(QString text);

// A database text as one field of a "|"-separated line: one line, and "|" written as "¦" so that the
// following fields keep their places.
QString feldtext(QString text);

// Splits text at trenner into at most 100 parts (an empty field other than the last becomes " ").
// Read part i (1-based) as teile.value(i - 1): parts after the last one are empty.
QStringList zeile_zerlegen(const QString& text, QChar trenner);

// The value of a whole number written plainly in decimal (an optional "-", digits, nothing else), or nothing:
// ids and numbers taken from files are checked with it before they are used.
std::optional<qint64> ganzeZahl(const QString& text);

// Parses "yyyy-mm-dd hh:nn:ss" (wall-clock time, see Programmuhr). Throws ConversionError.
QDateTime datumzeit_lesen(const QString& text);

// Per-user folder by the Windows special-folder number (26 = roaming application data); "" when unknown.
QString sonderordner_pfad(int nummer);
QString appdata_pfad();

// Whether version andere ("2.0.1.0") is newer than aktuell, compared part by part.
bool version_neuer(const QString& aktuell, const QString& andere);

// German weekday names, Sunday first.
extern const std::array<QStringView, 7> wochentage;

// The date of the status bar: the first two letters of the weekday, ". " and "dd.mm.yyyy" (Mi. 09.12.2026).
QString wochentagDatum(const QDate& datum);

} // namespace quenda
