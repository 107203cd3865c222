#pragma once

#include <QString>
#include <optional>

namespace quenda::jet {

// Text "yyyy-mm-dd hh:nn:ss" of a raw Jet date value: days since 30.12.1899 with the time of day as the
// fraction. Before that day the whole part counts back while the fraction still counts forward
// (-1.25 is 29.12.1899 06:00). Empty when the value is no date (not finite, far outside Jet's range).
std::optional<QString> datumText(double tage);

} // namespace quenda::jet
