#include "MdbQuelle.h"

#include "Importfehler.h"
#include "db/JetDatum.h"

#include <QFile>
#include <QtEndian>
#include <cstdio>
#include <cstring>
#include <memory>

// glib first: mdbtools.h uses its types without including it for C++.
#include <glib.h>
#include <mdbtools.h>

namespace quenda::mdbimport {

namespace {

constexpr int offsetMaske = 0x1fff; // row offset without the two flags below
// A slot a scan skips: a deleted row (which also carries the flag below), or the copy of a row that moved.
constexpr int geloescht = 0x8000;
// A slot whose data is a pointer to the row's current place (row number, 3-byte page): a row that grew on
// update and was moved to another page.
constexpr int ausgelagert = 0x4000;
constexpr size_t zeigerLaenge = 4;
constexpr size_t memoKopf = 12;             // length/flags and page pointer in front of a memo or OLE value
constexpr guint32 groessterMemo = 1u << 28; // larger lengths only come from a damaged file
constexpr size_t oleSeitenpuffer = 65536;   // libmdb copies one page or one inline value into it

Importfehler beschaedigt(const QString& was) {
    return Importfehler(quelleUnlesbar, QStringLiteral("Die Datei ist beschädigt: %1.").arg(was));
}

Art artVon(int typ) {
    switch (typ) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return Art::Ganzzahl;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return Art::Zahl;
    case MDB_DATETIME:
        return Art::DatumZeit;
    case MDB_OLE:
    case MDB_BINARY:
        return Art::Binaer;
    default: // text, memo, replication id
        return Art::Text;
    }
}

// Takes ownership of a string libmdb allocated with g_malloc.
QByteArray gText(char* text) {
    QByteArray ergebnis(text ? text : "");
    g_free(text);
    return ergebnis;
}

// Text and memo through libmdb's own decoding (Jet 4 compressed UTF-16, Jet 3 code page) into UTF-8.
// libmdb cuts its output at the bind size, so the size is set to the worst case of this value first.
QByteArray textLesen(MdbHandle* mdb, int typ, int start, int laenge) {
    size_t bytes = static_cast<size_t>(laenge);
    if (typ == MDB_MEMO && laenge >= static_cast<int>(memoKopf)) {
        const guint32 memoLaenge = static_cast<guint32>(mdb_get_int32(mdb->pg_buf, start)) & 0x3fffffffu;
        if (memoLaenge > groessterMemo) {
            throw beschaedigt(QStringLiteral("ungültige Memo-Länge"));
        }
        bytes = std::max<size_t>(bytes, memoLaenge);
    }
    mdb_set_bind_size(mdb, 3 * bytes + 16);
    return gText(mdb_col_to_string(mdb, mdb->pg_buf, start, typ, laenge));
}

QByteArray oleLesen(MdbHandle* mdb, MdbColumn* spalte, int start, int laenge) {
    if (laenge < static_cast<int>(memoKopf)) {
        return {};
    }
    // mdb_ole_read_full reads the value the bound buffer describes and uses that buffer for each page.
    std::vector<char> puffer(oleSeitenpuffer);
    std::memcpy(puffer.data(), mdb->pg_buf + start, memoKopf);
    spalte->bind_ptr = puffer.data();
    spalte->cur_value_start = start;
    spalte->cur_value_len = laenge;
    size_t groesse = 0;
    void* daten = mdb_ole_read_full(mdb, spalte, &groesse);
    spalte->bind_ptr = nullptr;
    QByteArray ergebnis(static_cast<const char*>(daten), static_cast<qsizetype>(groesse));
    free(daten);
    return ergebnis;
}

Zelle zelleLesen(MdbHandle* mdb, MdbColumn* spalte, const MdbField& feld) {
    Zelle z;
    const int typ = spalte->col_type;
    if (typ == MDB_BOOL) { // the null bit holds the value; Jet's true is -1
        z.wert = Zelle::Wert::Ganzzahl;
        z.ganzzahl = feld.is_null ? 0 : -1;
        return z;
    }
    if (feld.is_null) {
        return z;
    }
    const int start = feld.start;
    const int laenge = feld.siz;
    const int fest = mdb_col_fixed_size(spalte);
    if (fest > 0 && laenge < fest) {
        throw beschaedigt(QStringLiteral("Feld %1 zu kurz").arg(QString::fromUtf8(spalte->name)));
    }
    switch (typ) {
    case MDB_BYTE:
        z.wert = Zelle::Wert::Ganzzahl;
        z.ganzzahl = mdb_get_byte(mdb->pg_buf, start);
        break;
    case MDB_INT:
        z.wert = Zelle::Wert::Ganzzahl;
        z.ganzzahl = static_cast<qint16>(mdb_get_int16(mdb->pg_buf, start));
        break;
    case MDB_LONGINT:
    case MDB_COMPLEX:
        z.wert = Zelle::Wert::Ganzzahl;
        z.ganzzahl = static_cast<qint32>(mdb_get_int32(mdb->pg_buf, start));
        break;
    case MDB_FLOAT:
        z.wert = Zelle::Wert::Zahl;
        z.zahl = mdb_get_single(mdb->pg_buf, start);
        break;
    case MDB_DOUBLE:
        z.wert = Zelle::Wert::Zahl;
        z.zahl = mdb_get_double(mdb->pg_buf, start);
        break;
    case MDB_MONEY: { // a 64-bit integer of ten-thousandths
        qint64 roh = 0;
        std::memcpy(&roh, mdb->pg_buf + start, sizeof roh);
        z.wert = Zelle::Wert::Zahl;
        z.zahl = static_cast<double>(qFromLittleEndian(roh)) / 10000.0;
        break;
    }
    case MDB_NUMERIC:
        z.wert = Zelle::Wert::Zahl;
        z.zahl = gText(mdb_numeric_to_string(mdb, start, spalte->col_scale, spalte->col_prec)).toDouble();
        break;
    case MDB_DATETIME:
        // libmdb's own date text fails outside 1900-9998; the raw value converts everywhere.
        if (const auto text = jet::datumText(mdb_get_double(mdb->pg_buf, start))) {
            z.wert = Zelle::Wert::Text;
            z.bytes = text->toUtf8();
        }
        break;
    case MDB_REPID:
        z.wert = Zelle::Wert::Text;
        z.bytes = gText(mdb_uuid_to_string(mdb->pg_buf, start));
        break;
    case MDB_BINARY:
        z.wert = Zelle::Wert::Binaer;
        z.bytes = QByteArray(reinterpret_cast<const char*>(mdb->pg_buf) + start, laenge);
        break;
    case MDB_OLE:
        z.wert = Zelle::Wert::Binaer;
        z.bytes = oleLesen(mdb, spalte, start, laenge);
        break;
    default:
        z.wert = Zelle::Wert::Text;
        z.bytes = textLesen(mdb, typ, start, laenge);
        break;
    }
    return z;
}

struct TabelleFrei {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

// Reads every live row of a table, each once and in its place, page by page through the table's usage map;
// proZeile finds the row's page in mdb->pg_buf. libmdb's own scan swaps the two flags: it skips the
// pointer of a moved row and returns the row where it moved to, out of its place. The count is compared
// with the table's own row count: libmdb skips a missing or overwritten data page without an error.
template <typename ProZeile>
void alleZeilen(MdbTableDef* tab, const QString& name, ProZeile proZeile) {
    MdbHandle* mdb = tab->entry->mdb;
    const auto unlesbar = [&] { return beschaedigt(QStringLiteral("Zeile in Tabelle %1 nicht lesbar").arg(name)); };
    unsigned int gelesen = 0;
    mdb_rewind_table(tab);
    while (tab->num_cols > 0 && mdb_read_next_dpg(tab)) {
        const guint32 seite = tab->cur_phys_pg;
        const int zeilen = mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset);
        for (int z = 0; z < zeilen; ++z) {
            int start = 0;
            size_t laenge = 0;
            if (mdb_find_row(mdb, z, &start, &laenge) != 0) {
                throw unlesbar();
            }
            if (start & geloescht) {
                continue;
            }
            if (start & ausgelagert) {
                start &= offsetMaske;
                if (laenge < zeigerLaenge) {
                    throw unlesbar();
                }
                const int zeile = mdb_get_byte(mdb->pg_buf, start);
                const auto ziel = static_cast<unsigned long>(mdb_get_int32(mdb->pg_buf, start) >> 8 & 0xffffff);
                if (mdb_read_pg(mdb, ziel) != mdb->fmt->pg_size || mdb->pg_buf[0] != MDB_PAGE_DATA ||
                    static_cast<guint32>(mdb_get_int32(mdb->pg_buf, 4)) != tab->entry->table_pg ||
                    zeile >= mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset) ||
                    mdb_find_row(mdb, zeile, &start, &laenge) != 0 || (start & ausgelagert)) {
                    throw beschaedigt(QStringLiteral("verschobene Zeile in Tabelle %1 nicht gefunden").arg(name));
                }
            }
            if (laenge == 0) {
                throw unlesbar();
            }
            proZeile(start & offsetMaske, laenge);
            ++gelesen;
            if (mdb->cur_pg != seite && mdb_read_pg(mdb, seite) != mdb->fmt->pg_size) {
                throw unlesbar();
            }
        }
    }
    if (gelesen != tab->num_rows) {
        throw beschaedigt(
            QStringLiteral("Tabelle %1 hat %2 statt %3 Zeilen").arg(name).arg(gelesen).arg(tab->num_rows));
    }
}

// The catalog (MSysObjects, its definition always on page 2) is read by libmdb without that check; a
// truncated file would otherwise look like one with fewer tables.
void katalogPruefen(MdbHandle* mdb) {
    MdbCatalogEntry eintrag{};
    eintrag.mdb = mdb;
    eintrag.object_type = MDB_TABLE;
    eintrag.table_pg = 2;
    std::snprintf(eintrag.object_name, sizeof eintrag.object_name, "MSysObjects");
    const std::unique_ptr<MdbTableDef, TabelleFrei> tab(mdb_read_table(&eintrag));
    if (!tab || !mdb_read_columns(tab.get())) {
        throw beschaedigt(QStringLiteral("der Katalog ist nicht lesbar"));
    }
    alleZeilen(tab.get(), QStringLiteral("MSysObjects"), [](int, size_t) {});
}

} // namespace

struct MdbQuelle::Datei {
    MdbHandle* mdb = nullptr;
    ~Datei() {
        if (mdb) {
            mdb_close(mdb);
        }
    }
};

MdbQuelle::MdbQuelle(const QString& pfad) : m_datei(std::make_unique<Datei>()), m_pfad(pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw Importfehler(quelleUnlesbar,
                           QStringLiteral("Die Datei kann nicht gelesen werden: %1.").arg(datei.errorString()));
    }
    const QByteArray kopf = datei.read(20);
    const qint64 groesse = datei.size();
    datei.close();
    if (kopf.mid(4, 15) != "Standard Jet DB" && kopf.mid(4, 15) != "Standard ACE DB") {
        throw Importfehler(quelleUnlesbar, QStringLiteral("Die Datei ist keine Access-Datenbank."));
    }
    // Never writable: the tournament-management program owns the file.
    m_datei->mdb = mdb_open(QFile::encodeName(pfad).constData(), MDB_NOFLAGS);
    MdbHandle* mdb = m_datei->mdb;
    if (!mdb) {
        throw Importfehler(quelleUnlesbar, QStringLiteral("Die Access-Datenbank lässt sich nicht öffnen."));
    }
    if (groesse % mdb->fmt->pg_size != 0) {
        throw beschaedigt(QStringLiteral("die Länge ist kein Vielfaches der Seitengröße (unvollständige Kopie?)"));
    }
    katalogPruefen(mdb);
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        throw beschaedigt(QStringLiteral("der Katalog ist nicht lesbar"));
    }
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* eintrag = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (eintrag->object_type == MDB_TABLE && mdb_is_user_table(eintrag)) {
            m_tabellen.append(QString::fromUtf8(eintrag->object_name));
        }
    }
}

MdbQuelle::~MdbQuelle() = default;

void MdbQuelle::lesen(const QString& tabelle, const std::function<void(const std::vector<Spalte>&)>& kopf,
                      const std::function<void(const std::vector<Zelle>&)>& zeile) {
    MdbHandle* mdb = m_datei->mdb;
    MdbCatalogEntry* eintrag = nullptr;
    for (unsigned int i = 0; i < mdb->num_catalog && !eintrag; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE && QString::fromUtf8(e->object_name) == tabelle) {
            eintrag = e;
        }
    }
    if (!eintrag) {
        throw beschaedigt(QStringLiteral("Tabelle %1 fehlt im Katalog").arg(tabelle));
    }
    const std::unique_ptr<MdbTableDef, TabelleFrei> tab(mdb_read_table(eintrag));
    if (!tab || !mdb_read_columns(tab.get())) {
        throw beschaedigt(QStringLiteral("die Beschreibung der Tabelle %1 ist nicht lesbar").arg(tabelle));
    }
    std::vector<Spalte> spalten;
    std::vector<MdbColumn*> mdbSpalten;
    for (unsigned int i = 0; i < tab->num_cols; ++i) {
        auto* spalte = static_cast<MdbColumn*>(g_ptr_array_index(tab->columns, i));
        mdbSpalten.push_back(spalte);
        spalten.push_back({QString::fromUtf8(spalte->name), artVon(spalte->col_type)});
    }
    kopf(spalten);

    std::vector<MdbField> felder(tab->num_cols);
    std::vector<Zelle> zellen(tab->num_cols);
    // libmdb's bind interface would lose NULL: the row is cracked here to read the null mask and the raw values.
    alleZeilen(tab.get(), tabelle, [&](int start, size_t laenge) {
        if (mdb_crack_row(tab.get(), start, laenge, felder.data()) < 0) {
            throw beschaedigt(QStringLiteral("Zeile in Tabelle %1 nicht lesbar").arg(tabelle));
        }
        for (unsigned int i = 0; i < tab->num_cols; ++i) {
            const int nr = felder[i].colnum;
            if (nr < 0 || nr >= static_cast<int>(tab->num_cols)) {
                throw beschaedigt(QStringLiteral("Zeile in Tabelle %1 nicht lesbar").arg(tabelle));
            }
            zellen[nr] = zelleLesen(mdb, mdbSpalten[nr], felder[i]);
        }
        zeile(zellen);
    });
}

} // namespace quenda::mdbimport
