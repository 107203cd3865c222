#include "WebImage.h"

#include "Stil.h"
#include "presentation/Praesentation.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace quenda {

int runden(double wert) {
    const double unten = std::floor(wert);
    const double rest = wert - unten;
    double ergebnis = unten;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(unten, 2.0) != 0.0)) {
        ergebnis = unten + 1.0;
    }
    return static_cast<int>(ergebnis);
}

double WebImageFaktor(int fensterbreite, int hoehe, const TBildschirm& bildschirm) {
    double waagrecht = 1.0;
    if (bildschirm.wd > 0 && fensterbreite - 100 < bildschirm.wd) {
        waagrecht = static_cast<double>(fensterbreite - 100) / bildschirm.wd;
    }
    double senkrecht = 1.0;
    if (bildschirm.hg > 0 && hoehe < bildschirm.hg) {
        senkrecht = static_cast<double>(hoehe) / bildschirm.hg;
    }
    return std::max(0.0, std::min(waagrecht, senkrecht)); // a window narrower than 100 draws a dot
}

std::vector<Vorschauelement> WebImageElemente(const Praesentation& praesentation, int position, double faktor) {
    std::vector<Vorschauelement> elemente;
    const auto& liste = praesentation.BildschirmList;
    if (position < 1 || position > static_cast<int>(liste.size())) {
        return elemente;
    }
    const auto f = [faktor](int wert) { return runden(wert * faktor); };
    const TBildschirm& s = liste[static_cast<std::size_t>(position - 1)];
    elemente.push_back({Vorschauelement::Art::Bildschirm, 0, 0, f(s.wd), f(s.hg), {}, {}, false});

    const Ebenenstufe stufe = praesentation.auswahlstufe;
    const bool ebeneGewaehlt = stufe == Ebenenstufe::Ebene;
    const bool bereichGewaehlt =
        stufe == Ebenenstufe::Bereich || stufe == Ebenenstufe::Objekt || stufe == Ebenenstufe::Auslosung;
    int ebenePos = 0;
    for (const TEbene& l : s.EbeneList) {
        ++ebenePos;
        const bool inAuswahl = ebenePos == praesentation.eb_Item;
        elemente.push_back({Vorschauelement::Art::Ebene, f(l.x), f(l.y), f(l.x + l.wd), f(l.y + l.hg),
                            QPoint(f(l.x) + 5, f(l.y) + 5), QStringLiteral("Ebene ") + QString::number(l.id),
                            inAuswahl && ebeneGewaehlt});
        int bereichPos = 0;
        for (const TBereich& a : l.BereichList) {
            ++bereichPos;
            const int x = l.x + a.x;
            const int y = l.y + a.y;
            elemente.push_back({Vorschauelement::Art::Bereich, f(x), f(y), f(x + a.wd), f(y + a.hg),
                                QPoint(f(x) + 5, f(y) + 5), QStringLiteral("Bereich ") + QString::number(a.id),
                                inAuswahl && bereichGewaehlt && bereichPos == praesentation.br_Item});
        }
    }
    return elemente;
}

WebImage::WebImage(Praesentation& praesentation, QWidget* fenster, QWidget* parent)
    : QWidget(parent), m_praesentation(praesentation), m_fenster(fenster) {
    QPalette farben = palette();
    farben.setColor(QPalette::Window, stil::geldgruen);
    setPalette(farben);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    if (m_fenster) {
        // The scale follows the window's width, which may change without resizing the preview.
        m_fenster->installEventFilter(this);
    }
}

QSize WebImage::sizeHint() const {
    return {m_breite > 0 ? m_breite : 200, 200};
}

bool WebImage::eventFilter(QObject* objekt, QEvent* event) {
    if (objekt == m_fenster && event->type() == QEvent::Resize) {
        update();
    }
    return QWidget::eventFilter(objekt, event);
}

void WebImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    WebImagePaint(painter);
}

void WebImage::WebImagePaint(QPainter& painter) {
    const Praesentation& p = m_praesentation;
    const int position = p.Bildschirm_Item(p.bildschirmID);
    if (p.auswahlstufe == Ebenenstufe::Wurzel || position == Praesentation::nichtGefunden) {
        return;
    }
    const TBildschirm& s = p.BildschirmList[static_cast<std::size_t>(position - 1)];
    // Without a window around it the preview's own width would shrink on every paint: no width limit then.
    const QWidget* fenster = m_fenster ? m_fenster : window();
    const int fensterbreite = fenster != this ? fenster->width() : std::numeric_limits<int>::max();
    m_faktor = WebImageFaktor(fensterbreite, height(), s);
    WebImageUpdate(painter, position);
}

void WebImage::WebImageUpdate(QPainter& painter, int position) {
    const std::vector<Vorschauelement> elemente = WebImageElemente(m_praesentation, position, m_faktor);
    // The preview is as wide as the scaled screen; as a maximum, so the window can still shrink. The faktor
    // does not depend on this width, so the relayout it may cause settles at once.
    const int breite = elemente.front().x2;
    if (breite != m_breite) {
        m_breite = breite;
        setMaximumWidth(std::max(breite, 1));
        updateGeometry();
    }

    const QColor auswahl = palette().color(QPalette::ToolTipBase);
    for (const Vorschauelement& e : elemente) {
        QColor rand = Qt::black;
        if (e.art == Vorschauelement::Art::Ebene) {
            rand = Qt::red;
        } else if (e.art == Vorschauelement::Art::Bereich) {
            rand = Qt::blue;
        }
        painter.setPen(rand);
        if (e.x2 > e.x1 && e.y2 > e.y1) {
            const QRect flaeche(QPoint(e.x1, e.y1), QPoint(e.x2 - 1, e.y2 - 1));
            if (e.art == Vorschauelement::Art::Bildschirm) {
                painter.fillRect(flaeche, Qt::white);
            } else if (e.gefuellt) {
                painter.fillRect(flaeche, auswahl);
            }
            // A one-pixel pen draws a QRect's outline over width + 1 pixels; this keeps it on x1 … x2 − 1.
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(flaeche.adjusted(0, 0, -1, -1));
        }
        if (!e.text.isEmpty()) {
            painter.drawText(QRect(e.textpunkt, QSize(1, 1)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, e.text);
        }
    }
}

} // namespace quenda
