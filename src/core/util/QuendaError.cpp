#include "util/QuendaError.h"

namespace quenda {

QuendaError::QuendaError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

} // namespace quenda
