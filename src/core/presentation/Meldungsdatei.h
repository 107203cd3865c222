// MeldungLoad, MeldungSave, MeldungDelete — the text files of the presentation's message objects
#pragma once

#include <QString>

namespace quenda {

// The text of a message object, kept beside the configuration in the working folder. The editor writes the
// "_org.txt" file; the transfer cycle publishes it as the ".txt" file (and removes the "_org.txt" file when
// nothing changed), so the newest text is in the first that exists. Used on the UI thread.

// "meldung_BB_EE_RR_OO_org.txt" or "meldung_BB_EE_RR_OO.txt", each id with at least two digits.
QString meldungDateiname(int bs, int eb, int br, int obj, bool org);

// How a message file was written; files are Windows-1252 without a mark unless one was found on loading.
enum class Meldungskodierung { Ansi, Utf8Bom, Utf16LeBom, Utf16BeBom };

struct Meldungstext {
    QString text; // lines separated by "\n"
    Meldungskodierung kodierung = Meldungskodierung::Ansi;
};

// Writes the text with CR LF between lines and no line break after the last; replaces the file
// atomically. Throws IoError.
void MeldungSave(const QString& tsdir, const QString& name, const Meldungstext& meldung);
// Reads the "_org.txt" file, or the ".txt" file of the same object when it is gone. Throws IoError when
// neither can be read.
Meldungstext MeldungLoad(const QString& tsdir, const QString& orgName);
// Removes the file when it exists.
void MeldungDelete(const QString& tsdir, const QString& name);

} // namespace quenda
