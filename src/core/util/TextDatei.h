#pragma once

#include "util/Dateiersatz.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quenda::textdatei {

// The program's text files: Windows-1252, no byte-order mark, CR LF after every line (the last one too),
// characters outside the code page written as "?".
QByteArray zuAnsi(QStringView text);
QString vonAnsi(QByteArrayView bytes);
QByteArray kodieren(const QStringList& zeilen);

// Writes the lines whole. The file is replaced atomically: readers see the old or the new content,
// never a part. Throws IoError.
void schreiben(const QString& pfad, const QStringList& zeilen, Ablauf ablauf = Ablauf::Dauerhaft);

// Reads the lines back (CR LF or LF); a final line end does not make an extra empty line. Throws IoError.
QStringList lesen(const QString& pfad);

} // namespace quenda::textdatei
