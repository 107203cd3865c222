#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quenda {

// File and folder choice through Qt's own dialogs (UI thread): their texts come from the loaded German
// translation on every platform, and tests can reach their widgets.
namespace dateiwahl {

// An existing file; vorgabe is a folder, a file name or a pattern such as "*.mdb", possibly behind a
// folder. "" when cancelled.
QString oeffnen(QWidget* eltern, const QString& titel, const QString& vorgabe, const QStringList& filter,
                const QString& endung = QString());
// A folder, opened at start (or the nearest folder above it that exists). "" when cancelled.
QString verzeichnis(QWidget* eltern, const QString& titel, const QString& start);

} // namespace dateiwahl
} // namespace quenda
