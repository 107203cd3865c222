#include "export/Optionen.h"

#include "db/Wert.h"

namespace quenda {

Optionen::Optionen(const Wert& wert) : m_wert(wert.istNull() ? 0 : wert.alsInt64()) {}

} // namespace quenda
