#pragma once

#include <QString>
#include <stdexcept>

namespace quenda {

// Errors that the cycle's error trap (or the UI's default handler) reports with their own text.
// They never cross a signal/slot or thread boundary.
class QuendaError : public std::runtime_error {
public:
    explicit QuendaError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A file that cannot be created, opened, read or written.
class IoError : public QuendaError {
public:
    using QuendaError::QuendaError;
};

// A value that cannot be converted (NULL read as a whole number, a text that is no number, an invalid date).
class ConversionError : public QuendaError {
public:
    using QuendaError::QuendaError;
};

// The database could not be opened or a statement failed.
class DatabaseError : public QuendaError {
public:
    using QuendaError::QuendaError;
};

} // namespace quenda
