#pragma once

#include <QList>
#include <QString>
#include <QXmlStreamAttributes>
#include <optional>

namespace quenda::xmlkonfig {

// The program's small XML files in the working folder: a root element whose children carry everything
// as attributes (config_ablage.xml, config_auslo.xml). Free functions, usable from any thread.

struct Element {
    QString name;
    QXmlStreamAttributes attribute; // in document order
    int tiefe = 1;                  // 1 = child of the root element
};

// The message shown when such a file is not well-formed.
QString nichtLadbarMeldung();

// The children of the root element in document order; nothing when the file is not well-formed XML, larger
// than 16 MB or nested deeper than 64 levels.
// Throws IoError when the file cannot be read.
std::optional<QList<Element>> kinderLesen(const QString& pfad);

// Every element below the root element in document order (a parent before its children); nothing when the
// file is not well-formed XML, too large or too deep (as above). Throws IoError when the file cannot be read.
std::optional<QList<Element>> elementeLesen(const QString& pfad);

// Writes the document (declaration with version 1.0 and encoding UTF-8, one element per line) and replaces
// the file atomically, so a crash never leaves a truncated file. Throws IoError.
void schreiben(const QString& pfad, const QString& wurzel, const QList<Element>& kinder,
               const QXmlStreamAttributes& wurzelAttribute = {});

// The attributes of the root element; nothing when the file is not well-formed (or too large or deep).
// Throws IoError when the file cannot be read.
std::optional<QXmlStreamAttributes> wurzelAttributeLesen(const QString& pfad);

} // namespace quenda::xmlkonfig
