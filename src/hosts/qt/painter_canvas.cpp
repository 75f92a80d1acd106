#include "hosts/qt/painter_canvas.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace pelkit {

QColor PainterCanvas::penColour(Pen pen) {
    switch (pen) {
        case Pen::Mark:
            return QColor(200, 0, 100);
        case Pen::Trace:
            return QColor(255, 255, 255);
        case Pen::Black:
            break;
    }
    return QColor(0, 0, 0);
}

void PainterCanvas::fillBlack(int x0, int y0, int x1, int y1) {
    int left = std::min(x0, x1), right = std::max(x0, x1);
    int top = std::min(y0, y1), bottom = std::max(y0, y1);
    if (right > left && bottom > top) {
        painter_.fillRect(left, top, right - left, bottom - top, Qt::black);
    }
}

void PainterCanvas::selectPen(Pen pen) {
    QPen qpen(penColour(pen));
    qpen.setWidth(1);
    // A flat cap leaves the end point out, as the display logic expects of a line.
    qpen.setCapStyle(Qt::FlatCap);
    painter_.setPen(qpen);
}

void PainterCanvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void PainterCanvas::lineTo(int x, int y) {
    if (x != x_ || y != y_) painter_.drawLine(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

}  // namespace pelkit
