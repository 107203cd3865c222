#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quenda::test {

// The bytes of a file; empty when there is no such file (a test that checks a file's absence says so).
QByteArray lesen(const QString& pfad);

// The bytes of a file the test needs: throws IoError when it cannot be read, so a missing fixture or
// output fails the test instead of comparing as empty.
QByteArray dateiInhalt(const QString& pfad);

// Writes the bytes, making the folders on the way; throws IoError when that fails.
void schreiben(const QString& pfad, const QByteArray& inhalt);

// Every entry of a folder by name, hidden ones too (a leftover temporary copy would show up here).
QStringList inhaltVon(const QString& ordner);

} // namespace quenda::test
