#pragma once

#include <QPixmap>

namespace quenda {

// The program symbol (a table-tennis bat and ball), drawn in the requested size. UI thread.
QPixmap programmsymbol(int groesse);

} // namespace quenda
