#include "Zahlfeld.h"

#include <algorithm>
#include <optional>

namespace quenda {

namespace {

// The typed whole number, also one beyond the limits; none for anything else.
std::optional<qint64> getippteZahl(const QString& text) {
    const QString zahl = text.trimmed();
    // 18 digits keep any value within qint64, so clamping never overflows.
    if (zahl.isEmpty() || zahl.size() > 18) {
        return std::nullopt;
    }
    for (qsizetype i = 0; i < zahl.size(); ++i) {
        if (!zahl.at(i).isDigit() && !(i == 0 && zahl.at(i) == u'-' && zahl.size() > 1)) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qint64 wert = zahl.toLongLong(&ok);
    return ok ? std::optional<qint64>(wert) : std::nullopt;
}

} // namespace

Zahlfeld::Zahlfeld(QWidget* parent) : QSpinBox(parent) {
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State Zahlfeld::validate(QString& text, int& pos) const {
    const QValidator::State zustand = QSpinBox::validate(text, pos);
    // A lone minus starts a number below a lower limit of 0 or more.
    if (zustand == QValidator::Invalid && prefix().isEmpty() && suffix().isEmpty() &&
        (getippteZahl(text) || text.trimmed() == QStringLiteral("-"))) {
        return QValidator::Intermediate; // kept while typing, corrected by fixup
    }
    return zustand;
}

void Zahlfeld::fixup(QString& text) const {
    QSpinBox::fixup(text);
    if (const auto zahl = getippteZahl(text)) {
        text = textFromValue(static_cast<int>(std::clamp<qint64>(*zahl, minimum(), maximum())));
    }
}

} // namespace quenda
