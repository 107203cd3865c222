#include "draws/Dateiname_aslid.h"
#include "util/QuendaError.h"

#include <gtest/gtest.h>

using namespace quenda;

namespace {

struct Fall {
    const char* name;
    int id;
    int kind; // -1: left unchanged
};

TEST(Dateiname_aslid, mapsDataFileNamesToTheirDrawOrCompetition) {
    const Fall faelle[] = {
        {"auslodat.txt", keinDatenfile, -1},
        {"config_auslo.xml", keinDatenfile, -1},
        {"protokoll_20261209.pzk", keinDatenfile, -1},
        {"kofeld_0012.txt", keinDatenfile, -1},
        {"spielraster_0012_01.txt", keinDatenfile, -1},
        {"tischbelegung_0003.txt", keinDatenfile, -1},
        {"Spiele_0012_01_01.txt", keinDatenfile, -1}, // the test is case-sensitive
        {"spiele_0012_01_01.txt", 12, 1},
        {"tabspiele_0042_01.txt", 42, 1},
        {"tabelle_0007_02_org.txt", 7, 1},
        {"starter_0100_01.txt", 100, 1},
        {"teilnehmer_0007.txt", 7, 2},
        {"teilnehmer_0003_org.txt", 3, 2},
        {"spiele_12345_01_01.txt", 12345, 1}, // ids beyond four digits are written whole
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        int kind = -1;
        EXPECT_EQ(Dateiname_aslid(QString::fromLatin1(f.name), kind), f.id);
        EXPECT_EQ(kind, f.kind);
    }
}

TEST(Dateiname_aslid, aDataPrefixWithoutANumberIsAConversionError) {
    for (const char* name : {"spiele.txt", "tabelle_neu.txt", "teilnehmer_12.txt", "starter_"}) {
        SCOPED_TRACE(name);
        int kind = 0;
        EXPECT_THROW(Dateiname_aslid(QString::fromLatin1(name), kind), ConversionError);
    }
}

} // namespace
