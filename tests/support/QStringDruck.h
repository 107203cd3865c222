#pragma once

#include <QString>
#include <ostream>

// Readable failure output for the Qt strings the tests compare and add to their messages. In the global
// namespace beside QString, where GoogleTest's printer looks for it.
std::ostream& operator<<(std::ostream& os, const QString& text);
void PrintTo(const QString& text, std::ostream* os);
