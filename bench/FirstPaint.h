#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <chrono>
#include <cstdio>

// What both start-up probes do once their window is shown: run the event loop until `widget` has
// been painted for the first time, then write the moment to standard output as nanoseconds of the
// monotonic clock, which the benchmark compares with the moment it started the process.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QWidget& widget) { widget.installEventFilter(this); }

    void waitAndReport() {
        while (!m_painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("%lld\n", static_cast<long long>(
                                  std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    bool m_painted = false;
};
