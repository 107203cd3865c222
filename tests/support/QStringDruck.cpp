#include "support/QStringDruck.h"

std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << text.toStdString();
}

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text << '"';
}
