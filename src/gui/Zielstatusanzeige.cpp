#include "Zielstatusanzeige.h"

#include <QLabel>
#include <QVBoxLayout>

namespace quenda {

namespace {

// Light backgrounds with dark text stay readable on a beamer-lit desk and for colour-blind operators, who
// read the text.
QString stilFuer(Zielzustand::Ampel ampel, bool nochNieUebertragen) {
    const char* hintergrund = "#E4E7EB"; // off, or nothing sent yet
    const char* rand = "#9AA3AD";
    switch (ampel) {
    case Zielzustand::Ampel::Aktuell:
        hintergrund = "#CDEFD0";
        rand = "#2E8B3A";
        break;
    case Zielzustand::Ampel::Offen:
        if (!nochNieUebertragen) {
            hintergrund = "#FFE7A8";
            rand = "#C98A00";
        }
        break;
    case Zielzustand::Ampel::Fehler:
        hintergrund = "#F8C6C6";
        rand = "#C62828";
        break;
    case Zielzustand::Ampel::Aus:
        break;
    }
    return QStringLiteral("QLabel { background: %1; border-left: 6px solid %2; color: #1E2A36; padding: 2px 6px; }")
        .arg(QLatin1StringView(hintergrund), QLatin1StringView(rand));
}

} // namespace

Zielstatusanzeige::Zielstatusanzeige(QWidget* eltern) : QWidget(eltern) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    for (const bool pocko : {false, true}) {
        auto* label = new QLabel(this);
        label->setObjectName(pocko ? QStringLiteral("zielstatusHandy") : QStringLiteral("zielstatusBeamer"));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A long failure reason must not widen the window; the whole line is in the tooltip.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        m_zeilen[pocko ? 1 : 0] = label;
        layout->addWidget(label);
    }
    zeigen(Zielzustaende{});
}

void Zielstatusanzeige::zeigen(const Zielzustaende& ziele) {
    for (const bool pocko : {false, true}) {
        const Zielzustand& z = ziele[pocko ? 1 : 0];
        QLabel* label = zeile(pocko);
        const QString text = zielstatusZeile(pocko, z);
        label->setText(text);
        label->setToolTip(text);
        label->setStyleSheet(stilFuer(z.ampel(), z.nochKeineUebertragung()));
        label->setProperty("ampel", static_cast<int>(z.ampel()));
    }
}

} // namespace quenda
