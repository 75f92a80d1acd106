// A waveform window of the main window: a black child whose paint is handed to the display's
// painter through a canvas over QPainter.
#pragma once

#include <QWidget>
#include <functional>

#include "platform/canvas.h"
#include "platform/ui.h"

namespace pelkit {

using WavePainter = std::function<void(WaveWindow, Canvas&)>;

class WaveView final : public QWidget {
  public:
    WaveView(WaveWindow which, WavePainter painter, QWidget* parent);

    WaveWindow which() const { return which_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    WaveWindow which_;
    WavePainter painter_;
};

}  // namespace pelkit
