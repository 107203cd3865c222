// TAuslosung — the record of one tracked item (a draw group or a competition's participant list)
#pragma once

#include <QByteArray>
#include <QString>

namespace quenda {

// One tracked item: a group of a released draw (typdaten 1, key syf_id) or the participant list of a
// competition (typdaten 2, key kn_id held in syf_id). Plain record, owned by AusloList.
struct TAuslosung {
    int syf_id = 0;
    int sy_typ = 0; // 1 group stage, 2 knock-out
    int al_id = 0;
    int gruppe = 0;
    int typ = 0; // 1 singles, other doubles
    QString konkurrenz;
    QString auslosung_bez;
    int grmax = 0;       // groups of a group stage, granz of a knock-out draw, entries of a participant list
    int intervall = 0;   // update interval in minutes, at least 1 once the record is in the list
    QString aktdatetime; // last export, "yyyy-mm-dd hh:nn:ss"
    QString inserttime;
    QString updatetime; // empty until the first refresh
    int flag = 0;
    int betrieb = 0; // 1 in operation (both targets), 0 released only (mobile-phone target)
    int typdaten = 0;
    int updstatus = 0; // 0 added and not refreshed since, 1 refreshed
    int kl_id = 0;
    int splerl = 0; // finished games of the group
    int sploff = 0; // open games of the group
    // Of the group's data at its last export; an extra cycle on a database change exports the groups whose
    // data no longer has it.
    QByteArray fingerabdruck;

    bool operator==(const TAuslosung&) const = default;
};

// State label of log lines, by betrieb: "BETRIEB" for 1, "FREIGABE" otherwise.
QString betriebText(int betrieb);

} // namespace quenda
