#pragma once

#include "util/Ergebnis.h"

#include <QList>
#include <QString>
#include <QXmlStreamAttributes>

namespace quenda::xmlkonfig {

// The program's small XML files in the working folder: a root element whose children carry everything
// as attributes (config_ablage.xml, config_auslo.xml). Free functions, usable from any thread.

struct Element {
    QString name;
    QXmlStreamAttributes attribute; // in document order
    int tiefe = 1;                  // 1 = child of the root element
};

// The failure text of a reader when the file is not well-formed XML, larger than 16 MB or nested deeper than
// 64 levels; a file that cannot be read at all fails with the reason instead.
QString nichtLadbarMeldung();

// The children of the root element in document order.
Ergebnis<QList<Element>> kinderLesen(const QString& pfad);

// Every element below the root element in document order (a parent before its children).
Ergebnis<QList<Element>> elementeLesen(const QString& pfad);

// Writes the document (declaration with version 1.0 and encoding UTF-8, one element per line) and replaces
// the file atomically, so a crash never leaves a truncated file. Throws IoError.
void schreiben(const QString& pfad, const QString& wurzel, const QList<Element>& kinder,
               const QXmlStreamAttributes& wurzelAttribute = {});

// The attributes of the root element.
Ergebnis<QXmlStreamAttributes> wurzelAttributeLesen(const QString& pfad);

} // namespace quenda::xmlkonfig
