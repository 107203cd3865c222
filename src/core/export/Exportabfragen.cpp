#include "export/Exportabfragen.h"

namespace quenda::abfragen {

QString auslosungsbezeichnung() {
    return QStringLiteral(
        "IIf(al.al_bez<>'',([kn].[kn_bez]+' '+IIf([al].[sy_typ]=1,'[RG]','[KO]')+' - '+[al].[al_bez]),"
        "([kn].[kn_bez])+' '+IIf([al].[sy_typ]=1,'[RG]','[KO]')) AS kn_bez");
}

QString auslosungszeile(int al_id) {
    return QStringLiteral("SELECT ") + auslosungsbezeichnung() +
           QStringLiteral(", al.* from al_conf al, konkurrenz kn where al.kn_id=kn.kn_id  and al.al_id=") +
           QString::number(al_id);
}

QString auslosungsoptionen(int al_id) {
    return QStringLiteral("select al.* from al_conf al where al.al_id=") + QString::number(al_id);
}

QString gruppennummer(int syf_id) {
    return QStringLiteral("SELECT syf.grnr from al_systemfeld syf where syf.syf_id=") + QString::number(syf_id);
}

QString starterfeld(int syf_id, int typ) {
    static const QString einzel = QStringLiteral(
        "SELECT al_systemfeld.grnr, al_starterfeld.stf_id, al_starterfeld.posnr,"
        "IIf(al_starterfeld.amkd_id<>111111,Spieler.name+', '+Spieler.vorname,'-------Freilos------- ') AS starter"
        ", anmeldung.stnr, Verein.verein, zd_gebiete.zd_gebiet, al_starterfeld.sperre, "
        "al_starterfeld.syf_id, al_starterfeld.stf_id, al_starterfeld.amkd_id "
        "FROM ((al_starterfeld LEFT JOIN (((amklasse LEFT JOIN anmeldung ON amklasse.am_id = anmeldung.am_id) LEFT "
        "JOIN Spieler ON anmeldung.sl_id = Spieler.sl_id) "
        "LEFT JOIN Verein ON anmeldung.v_id = Verein.v_id) ON al_starterfeld.amkd_id = amklasse.amk_id) INNER JOIN "
        "al_systemfeld ON al_starterfeld.syf_id = al_systemfeld.syf_id) LEFT JOIN zd_gebiete ON anmeldung.zdg_id = "
        "zd_gebiete.zdg_id "
        "WHERE al_systemfeld.syf_id=");
    static const QString doppel = QStringLiteral(
        "SELECT al_systemfeld.grnr, al_starterfeld.stf_id, al_starterfeld.posnr,"
        "IIf(al_starterfeld.amkd_id<>111111,[spieler].[name]+', '+[spieler].[vorname]+' - '+spieler_1.name+', "
        "'+spieler_1.vorname,'-------Freilos------- ') AS starter"
        ", "
        "(anmeldung.stnr+'/'+anmeldung_1.stnr) as stnr, "
        "IIf([verein].[verein]=verein_1.verein,[verein].[verein],[verein].[verein]+' - '+verein_1.verein) AS verein, "
        "IIf(zd_gebiete.zd_gebiet=zd_gebiete_1.zd_gebiet,zd_gebiete.zd_gebiet,zd_gebiete.zd_gebiet+':'+zd_gebiete_1.zd_"
        "gebiet) AS zd_gebiet, "
        "al_starterfeld.sperre, al_starterfeld.syf_id, al_starterfeld.stf_id, al_starterfeld.amkd_id "
        "FROM (al_starterfeld INNER JOIN al_systemfeld ON al_starterfeld.syf_id = al_systemfeld.syf_id) LEFT JOIN "
        "((amdoppel LEFT JOIN (((anmeldung LEFT JOIN "
        "Spieler ON anmeldung.sl_id = Spieler.sl_id) LEFT JOIN Verein ON anmeldung.v_id = Verein.v_id) LEFT JOIN "
        "zd_gebiete ON anmeldung.zdg_id = zd_gebiete.zdg_id) ON "
        "amdoppel.am_id1 = anmeldung.am_id) LEFT JOIN (((anmeldung AS anmeldung_1 LEFT JOIN Spieler AS Spieler_1 ON "
        "anmeldung_1.sl_id = Spieler_1.sl_id) LEFT JOIN "
        "Verein AS Verein_1 ON anmeldung_1.v_id = Verein_1.v_id) LEFT JOIN zd_gebiete AS zd_gebiete_1 ON "
        "anmeldung_1.zdg_id = zd_gebiete_1.zdg_id) ON amdoppel.am_id2 = anmeldung_1.am_id) ON al_starterfeld.amkd_id = "
        "amdoppel.amd_id "
        "WHERE al_systemfeld.syf_id=");
    return (typ == 1 ? einzel : doppel) + QString::number(syf_id) + QStringLiteral(" order by al_starterfeld.posnr");
}

QString spiele(int syf_id, int typ) {
    static const QString einzel = QStringLiteral(
        ", syf.al_id, syf.syf_id, sy.sy_bez, sy.sy_gr, syr.rd_nr, syr.rd_bez, syf.grnr, al.sy_typ, erg.erg_id"
        ", erg.spielzeit, erg.status, erg.sr_id, erg.sr_typ, erg.gse, erg.vg_wert, al.gse as optgse, ti.ti_nr"
        ", syp.sp_idgv1, cStr(syp.sp_idgv1)+'.' as p1, am1.stnr as stnr1, sp1.name+', '+sp1.vorname AS spn1, "
        "'---' as md, vn1.verein as verein1, gb1.zd_gebiet as zgb1, syp.sp_idgv2, cstr(syp.sp_idgv2)+'.' as p"
        "2, am2.stnr as stnr2, sp2.name+', '+sp2.vorname AS spn2, vn2.verein as verein2, gb2.zd_gebiet as zgb"
        "2, cstr(erg.sg)+' : '+cstr(erg.sv) as sa, erg.s1, erg.s2, erg.s3, erg.s4, erg.s5, erg.s6, erg.s7, er"
        "g.sp_id FROM  Konkurrenz kn INNER JOIN (((((((((((((al_starterfeld AS sf2 INNER JOIN ((((al_starterf"
        "eld AS sf1 INNER JOIN al_systemfeld AS syf ON sf1.syf_id = syf.syf_id) INNER JOIN sy_systeme AS sy O"
        "N syf.sy_id = sy.sy_id) INNER JOIN sy_runden AS syr ON sy.sy_id = syr.sy_id) INNER JOIN sy_spiel AS "
        "syp ON syr.rd_id = syp.rd_id) ON sf2.syf_id = syf.syf_id) INNER JOIN (amklasse AS amk1 INNER JOIN an"
        "meldung AS am1 ON amk1.am_id = am1.am_id) ON sf1.amkd_id = amk1.amk_id) INNER JOIN Verein AS vn1 ON "
        "am1.v_id = vn1.v_id) INNER JOIN Spieler AS sp1 ON am1.sl_id = sp1.sl_id) INNER JOIN amklasse AS amk2"
        " ON sf2.amkd_id = amk2.amk_id) INNER JOIN anmeldung AS am2 ON amk2.am_id = am2.am_id) INNER JOIN Ver"
        "ein AS vn2 ON am2.v_id = vn2.v_id) INNER JOIN Spieler AS sp2 ON am2.sl_id = sp2.sl_id) INNER JOIN zd"
        "_gebiete AS gb1 ON am1.zdg_id = gb1.zdg_id) INNER JOIN zd_gebiete AS gb2 ON am2.zdg_id = gb2.zdg_id)"
        " INNER JOIN sb_ergebnisse AS erg ON (erg.sp2 = sf2.posnr) AND (erg.sp1 = sf1.posnr) AND (syp.sp_id ="
        " erg.sp_id) AND (syf.syf_id = erg.syf_id)) LEFT JOIN zd_tische AS ti ON erg.ts_id = ti.ts_id) INNER "
        "JOIN al_conf as al ON syf.al_id = al.al_id) ON kn.kn_id = al.kn_id WHERE syf.syf_id=");
    static const QString doppel = QStringLiteral(
        ", syf.al_id, syf.syf_id, sy.sy_bez, sy.sy_gr, syr.rd_nr, syr.rd_bez, syf.grnr, al.sy_typ, erg.erg_id"
        ", erg.spielzeit, erg.status, erg.sr_id, erg.sr_typ, erg.gse, erg.vg_wert, al.gse as optgse, ti.ti_nr"
        ", syp.sp_idgv1, cstr(syp.sp_idgv1)+'.' as p1, am11.stnr+'-'+am12.stnr as stnr1, sp11.name+', '+mid(s"
        "p11.vorname,1,1)+'.'+' - '+sp12.name+', '+mid(sp12.vorname,1,1)+'.' AS spn1, '---' as md, IIf(vn11.v"
        "erein=vn12.verein,vn11.verein,vn11.verein+'-'+vn12.verein) AS verein1, IIf(gb11.zd_gebiet=gb12.zd_ge"
        "biet,gb11.zd_gebiet,gb11.zd_gebiet+':'+gb12.zd_gebiet) AS zgb1, syp.sp_idgv2, cstr(syp.sp_idgv2)+'.'"
        " as p2, am21.stnr+'-'+am22.stnr as stnr2, sp21.name+', '+mid(sp21.vorname,1,1)+'.'+' - '+sp22.name+'"
        ", '+mid(sp22.vorname,1,1)+'.' AS spn2, IIf(vn21.verein=vn22.verein,vn21.verein,vn21.verein+'-'+vn22."
        "verein) AS verein2, IIf(gb21.zd_gebiet=gb22.zd_gebiet,gb21.zd_gebiet,gb21.zd_gebiet+':'+gb22.zd_gebi"
        "et) AS zgb2, cstr(erg.sg)+' : '+cstr(erg.sv) as sa, erg.s1, erg.s2, erg.s3, erg.s4, erg.s5, erg.s6, "
        "erg.s7, erg.sp_id FROM Konkurrenz kn INNER JOIN (((((((((anmeldung AS am21 INNER JOIN Verein AS vn21"
        " ON am21.v_id = vn21.v_id) INNER JOIN Spieler AS sp21 ON am21.sl_id = sp21.sl_id) INNER JOIN zd_gebi"
        "ete AS gb21 ON am21.zdg_id = gb21.zdg_id) INNER JOIN ((((((((((al_starterfeld AS sf2 INNER JOIN (((("
        "al_starterfeld AS sf1 INNER JOIN al_systemfeld AS syf ON sf1.syf_id = syf.syf_id) INNER JOIN sy_syst"
        "eme AS sy ON syf.sy_id = sy.sy_id) INNER JOIN sy_runden AS syr ON sy.sy_id = syr.sy_id) INNER JOIN s"
        "y_spiel AS syp ON syr.rd_id = syp.rd_id) ON sf2.syf_id = syf.syf_id) INNER JOIN sb_ergebnisse AS erg"
        " ON (erg.sp2 = sf2.posnr) AND (erg.sp1 = sf1.posnr) AND (syp.sp_id = erg.sp_id) AND (syf.syf_id = er"
        "g.syf_id)) LEFT JOIN zd_tische AS ti ON erg.ts_id = ti.ts_id) INNER JOIN amdoppel AS amd2 ON sf2.amk"
        "d_id = amd2.amd_id) INNER JOIN amdoppel AS amd1 ON sf1.amkd_id = amd1.amd_id) INNER JOIN (((anmeldun"
        "g AS am11 INNER JOIN Verein AS vn11 ON am11.v_id = vn11.v_id) INNER JOIN Spieler AS sp11 ON am11.sl_"
        "id = sp11.sl_id) INNER JOIN zd_gebiete AS gb11 ON am11.zdg_id = gb11.zdg_id) ON amd1.am_id1 = am11.a"
        "m_id) INNER JOIN anmeldung AS am12 ON amd1.am_id2 = am12.am_id) INNER JOIN Verein AS vn12 ON am12.v_"
        "id = vn12.v_id) INNER JOIN Spieler AS sp12 ON am12.sl_id = sp12.sl_id) INNER JOIN zd_gebiete AS gb12"
        " ON am12.zdg_id = gb12.zdg_id) ON am21.am_id = amd2.am_id1) INNER JOIN anmeldung AS am22 ON amd2.am_"
        "id2 = am22.am_id) INNER JOIN Verein AS vn22 ON am22.v_id = vn22.v_id) INNER JOIN Spieler AS sp22 ON "
        "am22.sl_id = sp22.sl_id) INNER JOIN zd_gebiete AS gb22 ON am22.zdg_id = gb22.zdg_id) INNER JOIN al_c"
        "onf as al ON syf.al_id = al.al_id) ON kn.kn_id = al.kn_id WHERE syf.syf_id=");
    return QStringLiteral("SELECT ") + auslosungsbezeichnung() + (typ == 1 ? einzel : doppel) +
           QString::number(syf_id) +
           QStringLiteral(" and erg.status in (0,1,2,3,33,22,5,4) ORDER BY syr.rd_nr, syf.grnr,erg.sp_id");
}

QString spielraster(int syf_id, int typ) {
    return spiele(syf_id, typ)
        .replace(QStringLiteral(", erg.s7, erg.sp_id FROM"), QStringLiteral(", erg.s7, erg.sp1, erg.sp2 FROM"));
}

QString hallen(int t_id) {
    return QStringLiteral(
               "SELECT tk.hab_id, ha.ha_lokal1, ha.ha_lokal2, hab.hab_bez, hab.ha_x, hab.ha_y from tk_turnierhallen "
               "tk, zd_halle ha, zd_hallenaufbau hab where tk.hab_id=hab.hab_id and ha.ha_id=hab.ha_id and tk.t_id=") +
           QString::number(t_id);
}

QString tische(int hab_id) {
    return QStringLiteral(
               "SELECT ti.*, tib.erg_id,  syf.al_id, tib.typ, erg.status FROM ((zd_tische AS ti LEFT JOIN sb_tischbe"
               "legung AS tib ON ti.ts_id = tib.ts_id) LEFT JOIN sb_ergebnisse AS erg ON tib.erg_id = erg.erg_id) LE"
               "FT JOIN al_systemfeld syf ON erg.syf_id = syf.syf_id WHERE ti.hab_id=") +
           QString::number(hab_id) + QStringLiteral(" and (erg.status in (2,22,33,3) or erg.status is null) ");
}

QString spieldaten(int erg_id, int typ) {
    static const QString einzel = QStringLiteral(
        "SELECT kn.kn_bez, kn.kn_id, kn.typ, syf.al_id, syf.syf_id, sy.sy_bez, sy.sy_gr, syr.rd_nr, syr.rd_be"
        "z, syf.grnr, al.sy_typ, erg.erg_id, erg.sp_id, erg.spielzeit, erg.sr_id, erg.sr_typ, erg.spielbeginn"
        ", erg.spieldauer, erg.status, erg.gse, al.gse as optgse, erg.ts_id, ti.ti_nr, syp.sp_idgv1,am1.am_id"
        " as amid11, 0 as amid12, am2.am_id as amid21, 0 as amid22, cstr(erg.sg)+' : '+cstr(erg.sv) as sa, er"
        "g.sg, erg.sv , erg.s1, erg.s2, erg.s3, erg.s4, erg.s5, erg.s6, erg.s7, cStr(syp.sp_idgv1)+'.' as p1,"
        " am1.stnr as stnr1, sp1.name+', '+sp1.vorname AS spn1, '---' as md, vn1.verein as verein1, gb1.zd_ge"
        "biet as zgb1, syp.sp_idgv2, cstr(syp.sp_idgv2)+'.' as p2, am2.stnr as stnr2, sp2.name+', '+sp2.vorna"
        "me AS spn2, vn2.verein as verein2, gb2.zd_gebiet as zgb2 FROM  Konkurrenz kn INNER JOIN (((((((((((("
        "(al_starterfeld AS sf2 INNER JOIN ((((al_starterfeld AS sf1 INNER JOIN al_systemfeld AS syf ON sf1.s"
        "yf_id = syf.syf_id) INNER JOIN sy_systeme AS sy ON syf.sy_id = sy.sy_id) INNER JOIN sy_runden AS syr"
        " ON sy.sy_id = syr.sy_id) INNER JOIN sy_spiel AS syp ON syr.rd_id = syp.rd_id) ON sf2.syf_id = syf.s"
        "yf_id) INNER JOIN (amklasse AS amk1 INNER JOIN anmeldung AS am1 ON amk1.am_id = am1.am_id) ON sf1.am"
        "kd_id = amk1.amk_id) INNER JOIN Verein AS vn1 ON am1.v_id = vn1.v_id) INNER JOIN Spieler AS sp1 ON a"
        "m1.sl_id = sp1.sl_id) INNER JOIN amklasse AS amk2 ON sf2.amkd_id = amk2.amk_id) INNER JOIN anmeldung"
        " AS am2 ON amk2.am_id = am2.am_id) INNER JOIN Verein AS vn2 ON am2.v_id = vn2.v_id) INNER JOIN Spiel"
        "er AS sp2 ON am2.sl_id = sp2.sl_id) INNER JOIN zd_gebiete AS gb1 ON am1.zdg_id = gb1.zdg_id) INNER J"
        "OIN zd_gebiete AS gb2 ON am2.zdg_id = gb2.zdg_id) INNER JOIN sb_ergebnisse AS erg ON (erg.sp2 = sf2."
        "posnr) AND (erg.sp1 = sf1.posnr) AND (syp.sp_id = erg.sp_id) AND (syf.syf_id = erg.syf_id)) LEFT JOI"
        "N zd_tische AS ti ON erg.ts_id = ti.ts_id) INNER JOIN al_conf as al ON syf.al_id = al.al_id) ON kn.k"
        "n_id = al.kn_id WHERE erg.erg_id=");
    static const QString doppel = QStringLiteral(
        "SELECT kn.kn_bez, kn.kn_id, kn.typ, syf.al_id, syf.syf_id, sy.sy_bez, sy.sy_gr, syr.rd_nr, syr.rd_be"
        "z, syf.grnr, al.sy_typ, erg.erg_id, erg.sp_id, erg.spielzeit, erg.spielbeginn, erg.spieldauer, erg.s"
        "tatus, erg.sr_id, erg.sr_typ, erg.gse, al.gse as optgse, erg.ts_id, ti.ti_nr, syp.sp_idgv1, cstr(syp"
        ".sp_idgv1)+'.' as p1, am11.am_id as amid11, am12.am_id as amid12, am21.am_id as amid21, am22.am_id a"
        "s amid22, cstr(erg.sg)+' : '+cstr(erg.sv) as sa, erg.sg, erg.sv , erg.s1, erg.s2, erg.s3, erg.s4, er"
        "g.s5, erg.s6, erg.s7, am11.stnr as stnr11, am12.stnr as stnr12, sp11.name+', '+mid(sp11.vorname,1,1)"
        "+'.'+' - '+sp12.name+', '+mid(sp12.vorname,1,1)+'.' AS spn1, '---' as md, IIf(vn11.verein=vn12.verei"
        "n,vn11.verein,vn11.verein+'-'+vn12.verein) AS verein1, IIf(gb11.zd_gebiet=gb12.zd_gebiet,gb11.zd_geb"
        "iet,gb11.zd_gebiet+':'+gb12.zd_gebiet) AS zgb1, syp.sp_idgv2, cstr(syp.sp_idgv2)+'.' as p2, am21.stn"
        "r as stnr21, am22.stnr as stnr22, sp21.name+', '+mid(sp21.vorname,1,1)+'.'+' - '+sp22.name+', '+mid("
        "sp22.vorname,1,1)+'.' AS spn2, IIf(vn21.verein=vn22.verein,vn21.verein,vn21.verein+'-'+vn22.verein) "
        "AS verein2, IIf(gb21.zd_gebiet=gb22.zd_gebiet,gb21.zd_gebiet,gb21.zd_gebiet+':'+gb22.zd_gebiet) AS z"
        "gb2 FROM Konkurrenz kn INNER JOIN (((((((((anmeldung AS am21 INNER JOIN Verein AS vn21 ON am21.v_id "
        "= vn21.v_id) INNER JOIN Spieler AS sp21 ON am21.sl_id = sp21.sl_id) INNER JOIN zd_gebiete AS gb21 ON"
        " am21.zdg_id = gb21.zdg_id) INNER JOIN ((((((((((al_starterfeld AS sf2 INNER JOIN ((((al_starterfeld"
        " AS sf1 INNER JOIN al_systemfeld AS syf ON sf1.syf_id = syf.syf_id) INNER JOIN sy_systeme AS sy ON s"
        "yf.sy_id = sy.sy_id) INNER JOIN sy_runden AS syr ON sy.sy_id = syr.sy_id) INNER JOIN sy_spiel AS syp"
        " ON syr.rd_id = syp.rd_id) ON sf2.syf_id = syf.syf_id) INNER JOIN sb_ergebnisse AS erg ON (erg.sp2 ="
        " sf2.posnr) AND (erg.sp1 = sf1.posnr) AND (syp.sp_id = erg.sp_id) AND (syf.syf_id = erg.syf_id)) LEF"
        "T JOIN zd_tische AS ti ON erg.ts_id = ti.ts_id) INNER JOIN amdoppel AS amd2 ON sf2.amkd_id = amd2.am"
        "d_id) INNER JOIN amdoppel AS amd1 ON sf1.amkd_id = amd1.amd_id) INNER JOIN (((anmeldung AS am11 INNE"
        "R JOIN Verein AS vn11 ON am11.v_id = vn11.v_id) INNER JOIN Spieler AS sp11 ON am11.sl_id = sp11.sl_i"
        "d) INNER JOIN zd_gebiete AS gb11 ON am11.zdg_id = gb11.zdg_id) ON amd1.am_id1 = am11.am_id) INNER JO"
        "IN anmeldung AS am12 ON amd1.am_id2 = am12.am_id) INNER JOIN Verein AS vn12 ON am12.v_id = vn12.v_id"
        ") INNER JOIN Spieler AS sp12 ON am12.sl_id = sp12.sl_id) INNER JOIN zd_gebiete AS gb12 ON am12.zdg_i"
        "d = gb12.zdg_id) ON am21.am_id = amd2.am_id1) INNER JOIN anmeldung AS am22 ON amd2.am_id2 = am22.am_"
        "id) INNER JOIN Verein AS vn22 ON am22.v_id = vn22.v_id) INNER JOIN Spieler AS sp22 ON am22.sl_id = s"
        "p22.sl_id) INNER JOIN zd_gebiete AS gb22 ON am22.zdg_id = gb22.zdg_id) INNER JOIN al_conf as al ON s"
        "yf.al_id = al.al_id) ON kn.kn_id = al.kn_id WHERE erg.erg_id=");
    return (typ == 1 ? einzel : doppel) + QString::number(erg_id) +
           QStringLiteral(" ORDER BY syf.grnr, syr.rd_nr, erg.sp_id");
}

} // namespace quenda::abfragen
