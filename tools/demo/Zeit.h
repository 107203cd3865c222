#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace quenda::demo {

// Times of the demo tournaments are wall-clock texts "yyyy-mm-dd hh:nn:ss". They are computed without a
// time zone, so that no daylight-saving change and no machine setting can shift them.

// The reference time of generated tournaments when none is given: 2026-12-09 09:00:00.
QDateTime standardJetzt();
// Parses "yyyy-mm-dd hh:nn:ss"; nothing when the text is no valid time.
std::optional<QDateTime> zeitLesen(const QString& text);
QString zeitText(const QDateTime& zeit);
// The current local wall-clock time, in the same zone-free form.
QDateTime ortszeitJetzt();

} // namespace quenda::demo
