#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <set>
#include <vector>

// Building blocks of a Jet 4 file below the level of tables: pages, data pages with their row offset table,
// usage maps and the database header page. Used by JetSchreiber only; owned by the thread that writes.
namespace quenda::demo::jetformat {

constexpr int seitengroesse = 4096;
constexpr int datenseiteKopf = 14;      // type, 1, free space, owner, 4 unused, row count
constexpr int zeilenProSeite = 255;     // a row pointer holds the row number in one byte
constexpr quint16 geloescht = 0x8000;   // the slot is skipped by a scan (a deleted row, or a moved copy)
constexpr quint16 ausgelagert = 0x4000; // the slot holds a pointer to the row's data on another page
constexpr quint16 offsetMaske = 0x1fff;
constexpr int umapZeile = 69;                // a usage map row: one type byte and 68 bytes of map
constexpr quint32 tabellenKennung = 1625;    // repeated in every column entry of a table definition
constexpr quint32 hoechstensSeiten = 524288; // a Jet 4 file holds at most 2 GiB

void put16(QByteArray& seite, int pos, quint32 wert);
void put24(QByteArray& seite, int pos, quint32 wert);
void put32(QByteArray& seite, int pos, quint32 wert);
quint16 get16(const QByteArray& seite, int pos);

// A row's place: page number and row number, stored as one 32-bit value (page << 8 | row).
struct Platz {
    quint32 seite = 0;
    int zeile = 0;
    quint32 zeiger() const { return seite << 8 | static_cast<quint32>(zeile); }
};

// The pages of the file being built, numbered from 0.
class Seiten {
public:
    quint32 neu(); // a zeroed page at the end
    QByteArray& operator[](quint32 nr) { return m_seiten[nr]; }
    quint32 anzahl() const { return static_cast<quint32>(m_seiten.size()); }
    QByteArray alle() const;

private:
    std::vector<QByteArray> m_seiten;
};

// A data page (or LVAL page) in the making. Rows are stored from the end of the page downwards, their
// offsets from the header upwards.
class Datenseite {
public:
    // Makes page nr of seiten a data page of the table whose definition is on page besitzer; a long
    // value page (besitzer 0) carries "LVAL" instead.
    static void anlegen(Seiten& seiten, quint32 nr, quint32 besitzer, bool langwerte = false);
    static int frei(const QByteArray& seite);
    static int zeilen(const QByteArray& seite);
    static bool passt(const QByteArray& seite, int laenge);
    // Appends a row with the given slot flags; its row number.
    static int anfuegen(QByteArray& seite, const QByteArray& zeile, quint16 flags = 0);
    // Start and length of a row (flags masked off).
    static int anfang(const QByteArray& seite, int zeile);
    static int laenge(const QByteArray& seite, int zeile);
    static void flaggen(QByteArray& seite, int zeile, quint16 flags);
};

// The usage map row for a set of pages: inline (type 0) when they lie within the 512 pages one row can
// map, otherwise a list of map pages (type 1), which are added to seiten here.
QByteArray nutzungskarte(Seiten& seiten, const std::set<quint32>& belegt);

// Page 0: the format signature and the masked header area (no password, no page encryption).
QByteArray kopfseite(double erstellt);

} // namespace quenda::demo::jetformat
