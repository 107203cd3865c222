#pragma once

#include "demo/JetSchreiber.h"

#include <QByteArray>
#include <functional>
#include <vector>

// How Jet 4 stores a row: fixed-size values first at their offsets, then the variable-size ones, their
// offsets in reverse at the end and the null mask last (where Yes/No values live too). Used by
// JetSchreiber only; owned by the thread that writes.
namespace quenda::demo::jetformat {

constexpr int memoKopf = 12;        // length and flags, pointer to the long value, 4 unused bytes
constexpr int memoImZeileBis = 64;  // longer memo values go to long-value pages
constexpr int textZeichenBis = 255; // a Text column's size
constexpr quint32 memoImZeile = 0x80000000;
constexpr quint32 memoEineZeile = 0x40000000;

struct Zeilenformat {
    QString tabelle;
    std::vector<JetSpalte> spalten;
    std::vector<int> festOffset; // per column, -1 for variable-size columns
    std::vector<int> varNummer;  // per column, -1 for fixed-size columns
    int festGroesse = 0;
    int varAnzahl = 0;
};

Zeilenformat zeilenformat(const QString& tabelle, const std::vector<JetSpalte>& spalten);

quint8 typCode(JetTyp typ);
bool istFest(JetTyp typ);
int festeGroesse(JetTyp typ);  // bytes in the fixed area (Yes/No: none, its value is the null bit)
int spaltenlaenge(JetTyp typ); // the column size in the table definition

// UTF-16LE, or Jet's compressed form ("\xff\xfe" and one byte per character) when every character
// allows it and the text is short enough.
QByteArray textKodieren(const QString& text);

// Receives a memo value too long for its row; gives the 12-byte field that points to where it went.
using Auslagern = std::function<QByteArray(int spalte, const QByteArray& daten)>;

// The row's bytes. Throws QuendaError for a value that does not fit its column.
QByteArray zeilePacken(const Zeilenformat& format, const JetZeile& zeile, const Auslagern& auslagern);

// The row grown to laenge bytes by zeros between its values and its trailing offsets and null mask, where
// no reader looks: a changed row that is written into the larger slot of its old version.
QByteArray auffuellen(const Zeilenformat& format, const QByteArray& zeile, int laenge);

// Jet's day number of a date text "yyyy-mm-dd[ hh:nn:ss]"; throws QuendaError for anything else.
double jetTage(const QString& text);

} // namespace quenda::demo::jetformat
