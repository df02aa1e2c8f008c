#include "ui/EventWait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

PlatformServices::WaitResult RunEventsUntil(const std::function<bool()>& done, int timeoutMs,
                                            const std::function<bool()>& escaped) {
    using WaitResult = PlatformServices::WaitResult;
    if (done())
        return WaitResult::Done;
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    WaitResult result = WaitResult::TimedOut;
    auto check = [&] {
        if (done())
            result = WaitResult::Done;
        else if (escaped())
            result = WaitResult::Escaped;
        else if (timeoutMs >= 0 && elapsed.elapsed() >= timeoutMs)
            result = WaitResult::TimedOut;
        else
            return;
        loop.quit();
    };
    // The awaited flags are set by handlers that run inside this loop; the tick re-checks them
    // while the loop sleeps in the event dispatcher.
    QTimer tick;
    tick.setInterval(timeoutMs >= 0 && timeoutMs < 5 ? timeoutMs : 5);
    QObject::connect(&tick, &QTimer::timeout, &loop, check);
    tick.start();
    loop.exec();
    return result;
}
