#pragma once

#include "link/serial/SCom.h"
#include "sim/InstrumentSimulator.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Waits with events running until the condition holds; false after the deadline.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

// What the serial control reported, in order: "line:<text>", "trigger:<code>", "lost".
struct Reception {
    QStringList events;

    QStringList lines() const {
        QStringList result;
        for (const QString& event : events) {
            if (event.startsWith(QLatin1String("line:")))
                result.append(event.mid(5));
        }
        return result;
    }
    bool has(const QString& event) const { return events.contains(event); }
};

// A simulated instrument behind a COM link in a private settings folder, and a serial control
// that records every DataEvent.
class SerialFixture : public ::testing::Test {
protected:
    static constexpr int Com = 7;

    void SetUp() override {
        ASSERT_TRUE(appData.isValid());
        com = std::make_unique<SCom>();
        com->setAppDataPath(appData.path());
        com->setLanguageIndex(1);
        QObject::connect(com.get(), &SCom::DataEvent, [this] { record(); });
    }

    SimOptions options(int fe = 0, int nfe = 0) const {
        SimOptions result;
        result.PortsFolder = PortsFolder(appData.path());
        result.ComNumber = Com;
        result.FeCount = fe;
        result.NfeCount = nfe;
        result.StampStart = QDateTime(QDate(2026, 3, 14), QTime(10, 22, 5));
        return result;
    }

    void startSim(const QString& model, const SimOptions& simOptions) {
        ASSERT_FALSE(sim.start(model, simOptions).isEmpty()) << sim.errorString().toStdString();
    }

    // Opens COM7 as the exchanges do: "38400,n,8,1", triggers 4 and 25.
    void openPort() {
        ASSERT_TRUE(com->setSettings(QStringLiteral("38400,n,8,1")));
        ASSERT_TRUE(com->setCommPort(Com));
        ASSERT_TRUE(com->setPortOpen(true)) << com->ErrorText().toStdString();
        com->setTriggerEnable(true);
        com->clearTriggers();
        com->addTrigger(4);
        com->addTrigger(25);
    }

    void record() {
        switch (com->CommEvent()) {
        case SCom::CommEventReceive:
            for (const QString& line : com->takeLines())
                received.events.append(QStringLiteral("line:") + line);
            break;
        case SCom::CommEventTrigger:
            while (com->TriggerPending())
                received.events.append(
                    QStringLiteral("trigger:%1").arg(int(com->TriggerData()[0])));
            break;
        case SCom::CommEventLinkLost:
            received.events.append(QStringLiteral("lost"));
            break;
        default:
            received.events.append(QStringLiteral("code:%1").arg(com->CommEvent()));
        }
    }

    QTemporaryDir appData;
    InstrumentSimulator sim;
    std::unique_ptr<SCom> com;
    Reception received;
};
