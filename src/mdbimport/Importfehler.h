#pragma once

#include <QString>
#include <stdexcept>

namespace quenda::mdbimport {

// Exit statuses of quenda-mdbimport; the parent reads the reason from the one stderr line.
enum Status : int {
    erfolg = 0,
    quelleUnlesbar = 1, // not an Access file, damaged or incomplete
    aufruf = 2,         // wrong arguments
    zielFehler = 3,     // the snapshot could not be written
};

class Importfehler : public std::runtime_error {
public:
    Importfehler(Status status, const QString& meldung)
        : std::runtime_error(meldung.toStdString()), m_status(status), m_meldung(meldung) {}
    Status status() const { return m_status; }
    QString meldung() const { return m_meldung; }

private:
    Status m_status;
    QString m_meldung;
};

} // namespace quenda::mdbimport
