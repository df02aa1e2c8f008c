#include "SerialFixture.h"

#include "core/Identification.h"
#include "core/MemoryDownload.h"
#include "core/QStringPrinter.h"

#include <QFile>
#include <QSignalSpy>

namespace {

const QString Eot = QStringLiteral("trigger:4");
const QString Unavailable = QStringLiteral("trigger:25");

using SComTest = SerialFixture;

TEST_F(SComTest, IdentifiesAnInstrumentOpenedByItsComLink) {
    startSim("DP", options(12, 7));
    openPort();
    EXPECT_EQ(com->deviceName(), sim.devicePath());
    ASSERT_TRUE(com->Output("$zorv00$\r\n"));
    ASSERT_TRUE(WaitFor([&] { return received.has(Eot); }));

    // Everything before the end-of-transmission character is handed on before it.
    EXPECT_EQ(received.events.last(), Eot);
    QString answer;
    for (const QString& line : received.lines())
        answer += line + "\r\n";
    DeviceInfo info;
    info.ModelCode = "DP";
    FillCapabilities(info, info.ModelCode);
    EXPECT_TRUE(ApplyIdentification(answer, info).isEmpty());
    RefineMemoryLayout(info);
    EXPECT_EQ(info.ModelCode, "FNB");
    EXPECT_EQ(info.MemoryLayout, "2N");
    EXPECT_EQ(info.FECount, 12);
    EXPECT_EQ(info.NFECount, 7);
    EXPECT_EQ(info.PT, "FN5");
}

TEST_F(SComTest, DownloadHandsOnExactlyTheMemoryLines) {
    SimOptions simOptions = options(250, 3);
    simOptions.Unit = QString::fromUtf8("µm");
    startSim("DP", simOptions);
    openPort();
    QString responseText;
    bool complete = false;
    QObject::disconnect(com.get(), &SCom::DataEvent, nullptr, nullptr);
    QObject::connect(com.get(), &SCom::DataEvent, [&] {
        if (com->CommEvent() == SCom::CommEventReceive)
            responseText += com->Input();
        if (com->CommEvent() == SCom::CommEventTrigger)
            complete = com->TriggerData() == QByteArray(1, 4);
    });
    ASSERT_TRUE(com->Output("$zorv10$\r\n"));
    ASSERT_TRUE(WaitFor([&] { return complete; }));

    const MemoryAnswer answer = SplitMemoryAnswer(responseText);
    EXPECT_EQ(answer.Lines, sim.memoryLines(1));
    ASSERT_EQ(answer.Lines.size(), 250);
    EXPECT_EQ(answer.Lines.first().mid(17, 4), QString::fromUtf8("µm  "));
    EXPECT_EQ(answer.Lines.first().mid(22, 3), " Fe");
}

// Batches cut the wake-ups of a long answer to a few a second; closing the port ends them, and
// the port opened again reads at once.
TEST_F(SComTest, BatchesHandOnEveryLineAFewTimesASecondUntilThePortCloses) {
    SimOptions simOptions = options(100, 0);
    simOptions.BytesPerSecond = 3840;
    startSim("DP", simOptions);
    openPort();
    int receiveEvents = 0;
    QObject::connect(com.get(), &SCom::DataEvent, [&] {
        if (com->CommEvent() == SCom::CommEventReceive)
            ++receiveEvents;
    });
    com->setReceiveBatches(true);
    ASSERT_TRUE(com->Output("$zorv10$\r\n"));
    ASSERT_TRUE(WaitFor([&] { return received.has(Eot); }));
    EXPECT_EQ(SplitMemoryAnswer(received.lines().join("\r\n") + "\r\n").Lines, sim.memoryLines(1));
    // About 2.9 kB at 3840 bytes a second come in 10 ms chunks: some 75 without batches.
    EXPECT_LE(receiveEvents, 15);

    // Closed while the batch pauses the port, then opened again: the answer comes at once.
    const qsizetype before = received.events.size();
    com->setReceiveBatches(true);
    ASSERT_TRUE(com->Output("$zorv00$\r\n"));
    ASSERT_TRUE(WaitFor([&] { return received.events.size() > before; }));
    ASSERT_TRUE(com->setPortOpen(false));
    received.events.clear();
    openPort();
    ASSERT_TRUE(com->Output("$zorv00$\r\n"));
    EXPECT_TRUE(WaitFor([&] { return received.has(Eot); }, 2000));
}

TEST_F(SComTest, Utf8TextArrivesAsTheSameCharacters) {
    SimOptions simOptions = options(2);
    simOptions.Utf8 = true;
    startSim("CP", simOptions);
    openPort();
    ASSERT_TRUE(com->Output("$zorv10$\r\n"));
    ASSERT_TRUE(WaitFor([&] { return received.has(Eot); }));
    EXPECT_EQ(SplitMemoryAnswer(received.lines().join("\r\n") + "\r\n").Lines, sim.memoryLines(1));
    EXPECT_EQ(received.lines()[2].mid(17, 2), QString::fromUtf8("µm"));
}

TEST_F(SComTest, NotAvailableInstrumentRaisesTheTrigger25) {
    SimOptions simOptions = options(3);
    simOptions.NotAvailable = true;
    startSim("CP", simOptions);
    openPort();
    ASSERT_TRUE(com->Output("$zorv00$\r\n"));
    ASSERT_TRUE(WaitFor([&] { return received.has(Unavailable); }));
    EXPECT_EQ(received.events, QStringList({Unavailable}));
}

TEST_F(SComTest, UnregisteredTriggersAreNotReported) {
    startSim("CP", options(1));
    openPort();
    com->clearTriggers();
    com->addTrigger(25);
    ASSERT_TRUE(com->Output("$zorv10$\r\n"));
    ASSERT_TRUE(WaitFor([&] { return received.lines().size() == 4; }));
    sim.sendRaw("marker\r\n");
    ASSERT_TRUE(WaitFor([&] { return received.has("line:marker"); }));
    EXPECT_FALSE(received.has(Eot));
}

TEST_F(SComTest, SilentInstrumentSendsNothing) {
    startSim("DP", options(3, 3));
    sim.setSilent(true);
    openPort();
    QSignalSpy commands(&sim, &InstrumentSimulator::commandReceived);
    ASSERT_TRUE(com->Output("$zorv00$\r\n"));
    ASSERT_TRUE(WaitFor([&] { return commands.count() == 1; }));
    // Anything answered would come before this.
    sim.sendRaw("marker\r\n");
    ASSERT_TRUE(WaitFor([&] { return !received.events.isEmpty(); }));
    EXPECT_EQ(received.events, QStringList({"line:marker"}));
}

TEST_F(SComTest, OnlineValuesArriveOneEventPerLine) {
    startSim("CP", options());
    openPort();
    const QString first = sim.sendOnlineValue();
    ASSERT_TRUE(WaitFor([&] { return received.events.size() == 1; }));
    const QString second = sim.sendOnlineValue();
    ASSERT_TRUE(WaitFor([&] { return received.events.size() == 2; }));
    EXPECT_EQ(received.events, QStringList({"line:" + first, "line:" + second}));
    EXPECT_EQ(first.left(4), "   1");
    EXPECT_EQ(second.left(4), "   2");
}

TEST_F(SComTest, StreamingInstrumentKeepsSending) {
    SimOptions simOptions = options();
    simOptions.OnlineEveryMs = 5;
    startSim("AS9", simOptions);
    openPort();
    ASSERT_TRUE(WaitFor([&] { return received.lines().size() >= 20; }));
    for (const QString& line : received.lines())
        EXPECT_EQ(line.mid(17, 4), "G   ") << line.toStdString();
}

TEST_F(SComTest, OverlongLineIsDroppedAndReportedAndTheNextLineIsWhole) {
    startSim("CP", options());
    openPort();
    QSignalSpy problems(com.get(), &SCom::ReceiveProblem);
    sim.sendRaw(QByteArray(3 * LineAssembler::DefaultMaxLineBytes, 'x') + "\r\nnext\r\n");
    ASSERT_TRUE(WaitFor([&] { return received.has("line:next"); }));
    EXPECT_EQ(received.events, QStringList({"line:next"}));
    EXPECT_EQ(problems.count(), 1);
}

TEST_F(SComTest, DiscardInputForgetsWaitingLines) {
    startSim("CP", options());
    openPort();
    QObject::disconnect(com.get(), &SCom::DataEvent, nullptr, nullptr);
    QSignalSpy events(com.get(), &SCom::DataEvent);
    sim.sendRaw("old\r\n");
    ASSERT_TRUE(WaitFor([&] { return events.count() == 1; }));
    com->discardInput();
    EXPECT_EQ(com->Input(), "");
    QObject::connect(com.get(), &SCom::DataEvent, [this] { record(); });
    sim.sendRaw("new\r\n");
    ASSERT_TRUE(WaitFor([&] { return !received.events.isEmpty(); }));
    EXPECT_EQ(received.events, QStringList({"line:new"}));
}

TEST_F(SComTest, HandlerWaitingInANestedLoopKeepsTheOrder) {
    startSim("CP", options());
    openPort();
    QStringList order;
    bool waited = false;
    QObject::disconnect(com.get(), &SCom::DataEvent, nullptr, nullptr);
    QObject::connect(com.get(), &SCom::DataEvent, [&] {
        if (com->CommEvent() == SCom::CommEventTrigger) {
            order.append("eot");
            return;
        }
        for (const QString& line : com->takeLines()) {
            order.append(line);
            if (line == "first" && !waited) {
                waited = true;
                sim.sendRaw("second\r\n\x04");
                WaitFor([&] { return order.contains("eot"); }, 2000);
            }
        }
    });
    sim.sendRaw("first\r\n");
    ASSERT_TRUE(WaitFor([&] { return order.size() == 3; }));
    EXPECT_EQ(order, QStringList({"first", "second", "eot"}));
}

TEST_F(SComTest, PluggedPortIsReportedPluggedAndReady) {
    com->setPortWatching(true);
    QSignalSpy portEvents(com.get(), &SCom::PortEvent);
    startSim("CP", options());
    ASSERT_TRUE(WaitFor([&] { return portEvents.count() >= 2; }));
    EXPECT_EQ(portEvents[0], QVariantList({int(PortPlugged), "COM7"}));
    EXPECT_EQ(portEvents[1], QVariantList({int(PortReady), "COM7"}));
}

TEST_F(SComTest, UnplugClosesThePortAndReportsTheLoss) {
    com->setPortWatching(true);
    QSignalSpy portEvents(com.get(), &SCom::PortEvent);
    startSim("CP", options());
    openPort();
    ASSERT_TRUE(WaitFor([&] { return portEvents.count() == 2; }));
    sim.unplug();
    ASSERT_TRUE(WaitFor([&] { return received.has("lost"); }));
    EXPECT_FALSE(com->PortOpen());
    EXPECT_EQ(com->ErrorNumber(), ErrorDeviceUnavailable);
    ASSERT_TRUE(WaitFor([&] { return portEvents.count() == 3; }));
    EXPECT_EQ(portEvents[2], QVariantList({int(PortUnplugged), "COM7"}));
    EXPECT_EQ(received.events.count("lost"), 1);

    EXPECT_FALSE(com->setPortOpen(true));
    EXPECT_EQ(com->ErrorNumber(), ErrorDeviceUnavailable);
    EXPECT_EQ(com->ErrorText(), "COM7 is not present.");
}

TEST_F(SComTest, HungUpPortIsLostWithoutWatchingThePortList) {
    com->setPortWatching(false);
    startSim("CP", options());
    openPort();
    sim.unplug();
    ASSERT_TRUE(WaitFor([&] { return received.has("lost"); }));
    EXPECT_FALSE(com->PortOpen());
    EXPECT_EQ(received.events, QStringList({"lost"}));
}

TEST_F(SComTest, LinkToAMissingDeviceCannotBeOpened) {
    ASSERT_TRUE(QDir().mkpath(PortsFolder(appData.path())));
    ASSERT_TRUE(QFile::link("/dev/pts/does-not-exist", PortsFolder(appData.path()) + "/COM4"));
    ASSERT_TRUE(com->setCommPort(4));
    EXPECT_FALSE(com->setPortOpen(true));
    EXPECT_EQ(com->ErrorNumber(), 68);
    EXPECT_EQ(com->ErrorText(), "COM4 is not present.");
    EXPECT_TRUE(com->PortInfo("COM4").isEmpty());
}

TEST_F(SComTest, SecondOpenOfThePortSaysItIsInUse) {
    startSim("CP", options());
    openPort();
    SCom other;
    other.setAppDataPath(appData.path());
    other.setLanguageIndex(1);
    ASSERT_TRUE(other.setCommPort(Com));
    EXPECT_FALSE(other.setPortOpen(true));
    EXPECT_EQ(other.ErrorNumber(), ErrorPortAlreadyOpen);
    EXPECT_TRUE(other.ErrorText().contains("in use")) << other.ErrorText().toStdString();
}

TEST_F(SComTest, PortInfoDescribesTheSimulatorsPort) {
    startSim("CP", options());
    com->refreshPorts();
    const QString info = com->PortInfo("COM7");
    EXPECT_EQ(SCom::PortInfoValue(info, "NAME"), "COM7");
    EXPECT_EQ(SCom::PortInfoValue(info, "CHECK"), "1");
    EXPECT_EQ(SCom::PortInfoValue(info, "TYPE"), "VCP " + sim.devicePath().mid(5));
    EXPECT_EQ(SCom::PortInfoValue(info, "PINNED"), "1");
    EXPECT_EQ(SCom::PortInfoValue(com->PortInfo("COM8"), "NAME"), "");
}

TEST_F(SComTest, RefusesWhatTheControlCannotDo) {
    EXPECT_FALSE(com->Output("$zorv00$\r\n"));
    EXPECT_EQ(com->ErrorNumber(), ErrorPortNotOpen);
    EXPECT_FALSE(com->setSettings("38400,n,8"));
    EXPECT_EQ(com->ErrorNumber(), ErrorInvalidSettings);
    EXPECT_EQ(com->Settings(), "9600,n,8,1");
    EXPECT_FALSE(com->setCommPort(0));
    EXPECT_EQ(com->ErrorNumber(), ErrorInvalidPort);
    EXPECT_FALSE(com->setHandshaking(7));

    startSim("CP", options());
    openPort();
    EXPECT_FALSE(com->setPortOpen(true));
    EXPECT_EQ(com->ErrorNumber(), ErrorPortAlreadyOpen);
    EXPECT_FALSE(com->setCommPort(3));
    EXPECT_TRUE(com->setPortOpen(false));
    EXPECT_FALSE(com->PortOpen());
}

} // namespace
