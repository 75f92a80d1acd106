// Painting the waveform windows with QPainter: the display's three drawing operations mapped to
// Qt with the pixel rules of the display logic (a filled rectangle stops short of its right and
// bottom edges; a line stops short of its end point).
#pragma once

#include <QColor>

#include "platform/canvas.h"

class QPainter;

namespace pelkit {

class PainterCanvas final : public Canvas {
  public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

    void fillBlack(int x0, int y0, int x1, int y1) override;
    void selectPen(Pen pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;

    static QColor penColour(Pen pen);

  private:
    QPainter& painter_;
    int x_ = 0, y_ = 0;
};

}  // namespace pelkit
