#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QString>

#include <chrono>
#include <cstdio>

// What both start-up probes do: note the moment the widget named `name` is painted for the first
// time, wherever and whenever it is made, and once start-up has handed over to the event loop,
// write that moment and the present one (when the program takes the user's input) to standard
// output as nanoseconds of the monotonic clock, which the benchmark compares with the moment it
// started the process.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QString name) : m_name(std::move(name)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    void waitAndReport() {
        while (m_painted == Clock::time_point{})
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        std::printf("%lld %lld\n", nanoseconds(m_painted), nanoseconds(Clock::now()));
        std::fflush(stdout);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_painted == Clock::time_point{} &&
            watched->objectName() == m_name)
            m_painted = Clock::now();
        return false;
    }

private:
    using Clock = std::chrono::steady_clock;
    static long long nanoseconds(Clock::time_point t) {
        return static_cast<long long>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count());
    }

    QString m_name;
    Clock::time_point m_painted{};
};
