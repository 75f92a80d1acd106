// What painting a waveform window needs: a black background and straight lines in three pens.
#pragma once

namespace pelkit {

enum class Pen { Black, Mark, Trace };

class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual void fillBlack(int x0, int y0, int x1, int y1) = 0;
    virtual void selectPen(Pen pen) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
};

}  // namespace pelkit
