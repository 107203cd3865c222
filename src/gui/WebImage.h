// WebImage — the presentation editor's scaled preview of a screen's layout
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <vector>

namespace quenda {

class Praesentation;
struct TBildschirm;

// Round to the nearest whole number, halves to the even neighbour (2.5 → 2, 3.5 → 4).
int runden(double wert);

// The scale factor of the preview: never above 1; the screen fits into the editor's client width less 100
// and into the preview's height.
double WebImageFaktor(int fensterbreite, int hoehe, const TBildschirm& bildschirm);

// One frame of the preview in drawing order, from (x1, y1) to (x2, y2) exclusive: x2 − x1 pixels wide.
struct Vorschauelement {
    enum class Art { Bildschirm, Ebene, Bereich };
    Art art;
    int x1, y1, x2, y2;
    QPoint textpunkt; // top-left corner of the label; unused for the screen
    QString text;     // "Ebene <id>", "Bereich <id>"; empty for the screen
    bool gefuellt;    // the selected layer or area
};

// The frames of screen position (1-based) at faktor: the screen, then each layer followed by its areas.
std::vector<Vorschauelement> WebImageElemente(const Praesentation& praesentation, int position, double faktor);

// The scaled layout preview of the editor (UI thread): the selected node's screen in white, its layers in red,
// their areas in blue, the selected layer or area filled. Reads the model on every paint.
class WebImage : public QWidget {
    Q_OBJECT
public:
    // fenster: the editor window, whose width limits the scale.
    WebImage(Praesentation& praesentation, QWidget* fenster, QWidget* parent = nullptr);

    double faktor() const { return m_faktor; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* event) override;

private:
    void WebImagePaint(QPainter& painter);
    void WebImageUpdate(QPainter& painter, int position);

    Praesentation& m_praesentation;
    QWidget* m_fenster;
    double m_faktor = 1.0;
    int m_breite = 0;
};

} // namespace quenda
