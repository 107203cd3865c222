#pragma once

#include <QString>
#include <ostream>

// Readable failure output for the Qt strings the tests compare.
inline std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << text.toStdString();
}
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text << '"';
}
