#include "hosts/qt/wave_view.h"

#include <QPainter>

#include "hosts/qt/painter_canvas.h"

namespace pelkit {

WaveView::WaveView(WaveWindow which, WavePainter painter, QWidget* parent)
    : QWidget(parent), which_(which), painter_(std::move(painter)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void WaveView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The display paints 248 of the 250 columns; the rest stays black with them.
    painter.fillRect(rect(), Qt::black);
    if (!painter_) return;
    PainterCanvas canvas(painter);
    painter_(which_, canvas);
}

}  // namespace pelkit
