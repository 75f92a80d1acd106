// The longest time between the ticks of a 10 ms timer of the window's event loop, phase by
// phase: how long the window thread stalled while it did each thing.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <map>
#include <string>

namespace pelkit::test {

class StallMeter {
  public:
    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            qint64& longest = longest_[phase_];
            longest = std::max(longest, since_.restart());
        });
    }
    void start() {
        since_.start();
        timer_.start(10);
    }
    // What the window does from now on.
    void phase(const std::string& name) { phase_ = name; }
    // The longest gap in PHASE.
    qint64 longest(const std::string& phase) const {
        auto it = longest_.find(phase);
        return it == longest_.end() ? 0 : it->second;
    }
    // "phase: N ms" for every phase.
    QString report() const {
        QStringList parts;
        for (const auto& [phase, gap] : longest_)
            parts << QString("%1: %2 ms").arg(QString::fromStdString(phase)).arg(gap);
        return parts.join(", ");
    }

  private:
    QTimer timer_;
    QElapsedTimer since_;
    std::map<std::string, qint64> longest_;
    std::string phase_;
};

}  // namespace pelkit::test
