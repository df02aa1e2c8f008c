#include "ui/EventWait.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QTimer>

PlatformServices::WaitResult RunEventsUntil(const std::function<bool()>& done, int timeoutMs,
                                            const std::function<bool()>& escaped) {
    using WaitResult = PlatformServices::WaitResult;
    if (done())
        return WaitResult::Done;
    QEventLoop loop;
    WaitResult result = WaitResult::TimedOut;
    bool decided = false;
    auto decide = [&](WaitResult r) {
        if (decided)
            return;
        decided = true;
        result = r;
        loop.quit();
    };
    // The awaited flags are set by handlers that run inside this loop; once the events that woke
    // it are handled and it would sleep again, the flags are looked at. Nothing runs while the
    // program waits for the instrument.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &loop, [&] {
                         if (done())
                             decide(WaitResult::Done);
                         else if (escaped())
                             decide(WaitResult::Escaped);
                     });
    QTimer deadline;
    if (timeoutMs >= 0) {
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop,
                         [&] { decide(done() ? WaitResult::Done : WaitResult::TimedOut); });
        deadline.start(timeoutMs);
    }
    loop.exec();
    return result;
}
