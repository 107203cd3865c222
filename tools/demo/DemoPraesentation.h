#pragma once

#include <QString>

namespace quenda::demo {

// A presentation for a demo tournament, written into its working folder as the editor would: one screen of
// 1920 x 1080 with a permanent layer of four areas and an interval layer, which together show every object
// kind; the message text and the two pictures (a background and an advertisement) beside it. Hall and
// tournament name come from the database (a SQLite tournament file). Throws QuendaError.
void demoPraesentationSchreiben(const QString& datenbank, int t_id, const QString& tsdir);

} // namespace quenda::demo
