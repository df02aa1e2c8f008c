#include "link/ble/BleExchange.h"
#include "core/QStringPrinter.h"
#include "support/FakePlatformServices.h"
#include "support/ScriptedBleClient.h"

#include <gtest/gtest.h>

namespace {

const QString Cmd = "S1", CmdChar = "S1/cmd", Data = "S2", Info = "S2/info", Block = "S2/data",
              Measure = "S2/meas";

QString line(int number) {
    return QStringLiteral("%1      85.2 µm   Fe").arg(number, 4);
}

// An instrument as the exchange sees it through the client: answers as the real one gives them.
class BleExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        BleIds& ids = exchange.ids();
        ids.CommandServiceId = Cmd;
        ids.CommandCharId = CmdChar;
        ids.DataServiceId = Data;
        ids.StorageInfoCharId = Info;
        ids.StorageDataCharId = Block;
        ids.MeasureCharId = Measure;
        exchange.setBusyTimeoutMs(300);
        QObject::connect(&exchange, &BleExchange::logLine,
                         [this](const QString& text) { logLines.append(text); });
        QObject::connect(&exchange, &BleExchange::onlineLine,
                         [this](const QString& text) { online.append(text); });
        for (int i = 1; i <= 12; ++i)
            memory.append(line(i));
        client.script = [this](const QStringList& call) { answer(call); };
    }

    void value(const QString& service, const QString& characteristic, const QString& text) {
        client.later([=, this] { emit client.Value(service, characteristic, "", "", "", text); });
    }

    void answer(const QStringList& call) {
        const QString op = call.at(0);
        if (op == "Write") {
            if (call.at(2) == CmdChar)
                lastCommand = call.at(3);
            if (call.at(2) == Info && call.at(3) != "-")
                nextLine = 0;
            client.later(
                [=, this] { emit client.WriteResponse(call.at(1), call.at(2), "", "", ""); });
        } else if (op == "Read" && call.at(2) == CmdChar) {
            value(Cmd, CmdChar,
                  lastCommand.startsWith("$glt") ? "$glt?2027-02-03/09:05:00!"
                                                 : "$zorv00T:FN5;S:0815-22;!");
        } else if (op == "Read" && call.at(2) == Info) {
            value(Data, Info, "2\nBridge,12\nPlate,0\n");
        } else if (op == "Read" && call.at(2) == Block && !silent) {
            value(Data, Block, memory.mid(nextLine, 5).join('\n'));
            nextLine += 5;
        } else if (op == "Subscribe") {
            client.later([this] { emit client.Subscribed("", "", "", ""); });
        } else if (op == "Unsubscribe") {
            client.later([this] { emit client.Unsubscribed("", "", "", ""); });
        }
    }

    QStringList calls(const QString& prefix) const {
        QStringList found;
        for (const QString& c : client.calls)
            if (c.startsWith(prefix))
                found.append(c);
        return found;
    }

    ScriptedBleClient client;
    FakePlatformServices platform;
    DeviceInfo device;
    BleExchange exchange{client, platform, device};
    QStringList memory;
    QString lastCommand;
    int nextLine = 0;
    bool silent = false;
    QStringList logLines;
    QStringList online;
};

TEST_F(BleExchangeTest, IdentificationIsWrittenReadBackAndFillsTheDevice) {
    device.VD = "4.21";
    ASSERT_TRUE(exchange.identify().ok());
    EXPECT_EQ(client.calls, QStringList({"Write|S1|S1/cmd|$zorv00!", "Read|S1|S1/cmd"}));
    EXPECT_EQ(device.PT, "FN5");
    EXPECT_EQ(device.IdentS, "0815-22");
    EXPECT_EQ(device.VD, "4.21");
    EXPECT_EQ(exchange.BleResponseText, "$zorv00T:FN5;S:0815-22;");
}

TEST_F(BleExchangeTest, AnOnlineValueNeitherEndsAWaitNorIsLost) {
    client.script = [this](const QStringList& call) {
        if (call.at(0) == "Write")
            value(Data, Measure, line(1));
        answer(call);
    };
    ASSERT_TRUE(exchange.identify().ok());
    EXPECT_EQ(device.PT, "FN5");
    EXPECT_EQ(online, QStringList{line(1)});
}

TEST_F(BleExchangeTest, DirectoryIsReadWithNotificationsOff) {
    exchange.MeasureSubscribed = true;
    ASSERT_TRUE(exchange.readDirectory().ok());
    EXPECT_EQ(client.calls,
              QStringList({"Unsubscribe|S2|S2/meas", "Read|S2|S2/info", "Subscribe|S2|S2/meas"}));
    EXPECT_EQ(exchange.Directory.StorageNames, QStringList({"Bridge", "Plate"}));
    EXPECT_TRUE(exchange.MeasureSubscribed);
}

TEST_F(BleExchangeTest, MemoryIsReadBlockByBlockUntilItsEmptyValue) {
    ASSERT_TRUE(exchange.readDirectory().ok());
    client.calls.clear();
    QList<int> received;
    const BleMemoryRead read = exchange.readMemory(
        0, [&](int done, int count) { received.append(done * 100 + count); }, [] { return false; });
    ASSERT_TRUE(read.Outcome.ok()) << read.Outcome.Message.toStdString();
    EXPECT_EQ(read.Lines, memory);
    EXPECT_EQ(received, QList<int>({512, 1012, 1212}));
    // The count only measures the progress: the fourth read answers the empty value.
    EXPECT_EQ(calls("Read|").size(), 4);
    EXPECT_EQ(calls("Write|"), QStringList({"Write|S2|S2/info|Bridge", "Write|S2|S2/info|-"}));
    EXPECT_EQ(logLines.last(), "Ende Speicher lesen vor sub True");
}

TEST_F(BleExchangeTest, AnEmptyValueEndsTheDownloadWithWhatCame) {
    memory = memory.mid(0, 7);
    ASSERT_TRUE(exchange.readDirectory().ok());
    const BleMemoryRead read = exchange.readMemory(
        0, [](int, int) {}, [] { return false; });
    EXPECT_TRUE(read.Outcome.ok());
    EXPECT_EQ(read.Lines, memory);
    EXPECT_TRUE(exchange.StorageDataEnd);
}

TEST_F(BleExchangeTest, AnEmptyMemoryIsReportedWithoutReadingBlocks) {
    ASSERT_TRUE(exchange.readDirectory().ok());
    const BleMemoryRead read = exchange.readMemory(
        1, [](int, int) {}, [] { return false; });
    EXPECT_EQ(read.Outcome.Result, BleOutcome::Empty);
    EXPECT_TRUE(calls("Read|S2|S2/data").isEmpty());
    EXPECT_EQ(exchange
                  .readMemory(
                      2, [](int, int) {}, [] { return false; })
                  .Outcome.Result,
              BleOutcome::CallFailed);
}

TEST_F(BleExchangeTest, CancelKeepsTheLinesReadAndGivesNotificationsBack) {
    ASSERT_TRUE(exchange.readDirectory().ok());
    int blocks = 0;
    const BleMemoryRead read = exchange.readMemory(
        0, [&](int, int) { ++blocks; }, [&] { return blocks == 1; });
    EXPECT_EQ(read.Outcome.Result, BleOutcome::Cancelled);
    EXPECT_EQ(read.Lines, memory.mid(0, 5));
    EXPECT_TRUE(exchange.MeasureSubscribed);
}

TEST_F(BleExchangeTest, ASilentInstrumentEndsTheWaitWithAMessage) {
    ASSERT_TRUE(exchange.readDirectory().ok());
    silent = true;
    const BleMemoryRead read = exchange.readMemory(
        0, [](int, int) {}, [] { return false; });
    EXPECT_EQ(read.Outcome.Result, BleOutcome::NoAnswer);
    EXPECT_EQ(read.Outcome.Message, "Keine Antwort vom Bluetooth Gerät");
    EXPECT_EQ(exchange.BleBusy, 0);
    exchange.setLanguageIndex(1);
    EXPECT_EQ(exchange
                  .readMemory(
                      0, [](int, int) {}, [] { return false; })
                  .Outcome.Message,
              "No answer from the bluetooth device");
}

TEST_F(BleExchangeTest, AClientErrorEndsTheWaitAtOnce) {
    client.script = [this](const QStringList& call) {
        if (call.at(0) == "Write")
            client.later([this] { emit client.Error(BleClient::WriteFailed, "refused"); });
    };
    exchange.setBusyTimeoutMs(60000);
    EXPECT_EQ(exchange.readClock().Result, BleOutcome::ClientError);
}

TEST_F(BleExchangeTest, AnAnswerThatCannotBeReadBackEndsTheWaitAtOnce) {
    client.refuse["Read"] = {BleClient::NotConnected, "not connected"};
    exchange.setBusyTimeoutMs(60000);
    EXPECT_EQ(exchange.identify().Result, BleOutcome::CallFailed);
    EXPECT_EQ(logLines, QStringList{"BLE Read: 2 not connected"});
}

TEST_F(BleExchangeTest, RefusedSubscribeCallsAreLogged) {
    client.refuse["Subscribe"] = {BleClient::NotConnected, "not connected"};
    EXPECT_EQ(exchange.resumeMeasure().Result, BleOutcome::CallFailed);
    EXPECT_EQ(logLines, QStringList{"Fehler Sub Measure2 not connected"});
    client.refuse["Unsubscribe"] = {BleClient::NotConnected, "not connected"};
    exchange.MeasureSubscribed = true;
    exchange.suspendMeasure();
    EXPECT_FALSE(exchange.MeasureSubscribed);
}

TEST_F(BleExchangeTest, ClockIsReadBackAndSetWithoutReadBack) {
    ASSERT_TRUE(exchange.readClock().ok());
    EXPECT_EQ(exchange.BleResponseText, "2027-02-03/09:05:00");
    client.calls.clear();
    platform.clock = QDateTime(QDate(2027, 2, 3), QTime(9, 5, 0));
    ASSERT_TRUE(exchange.WriteTime());
    EXPECT_EQ(exchange.ClockTextSent, "2027-02-03/09:05:00");
    platform.waitMs(50);
    EXPECT_EQ(client.calls, QStringList{"Write|S1|S1/cmd|$slt?2027-02-03/09:05:00!\r\n"});
}

} // namespace
