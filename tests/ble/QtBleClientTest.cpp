#include "BleSimFixture.h"
#include "core/BleGatt.h"

namespace {

const QString Server = QStringLiteral("C464E3123456");
const QString CommandChar = BleGatt::CommandService + u'/' + BleGatt::CommandChar;
const QString MeasureChar = BleGatt::DataService + u'/' + BleGatt::MeasureChar;
const QString DataChar = BleGatt::DataService + u'/' + BleGatt::StorageDataChar;

using QtBleClientTest = BleSimTest;

TEST_F(QtBleClientTest, ScanConnectIdentifyNotifyAndDisconnect) {
    ASSERT_TRUE(startSimulator());
    connectAndDiscover();
    EXPECT_TRUE(log->has("StartScan"));
    EXPECT_TRUE(log->has("Advertisement|" + Server + "|QX Delta-Pro|"));
    EXPECT_TRUE(
        log->has("Discovered|0|" + BleGatt::CommandService + "|||" + BleGatt::CommandService));
    EXPECT_TRUE(log->has("Discovered|1|" + BleGatt::DataService + "|" + MeasureChar + "||" +
                         BleGatt::MeasureChar));
    EXPECT_TRUE(log->has("Log|Link Connected"));

    ASSERT_TRUE(client->ClientWrite(BleGatt::CommandService, CommandChar, "$zorv00!").ok());
    ASSERT_TRUE(waitEvent("WriteResponse|" + BleGatt::CommandService + "|" + CommandChar));
    ASSERT_TRUE(client->ClientRead(BleGatt::CommandService, CommandChar).ok());
    ASSERT_TRUE(waitEvent("Value|"));
    EXPECT_TRUE(log->matching("Value|").first().contains("|$zorv00T:FN5;"));
    EXPECT_EQ(received(), QStringList{"$zorv00!"});

    ASSERT_TRUE(client->ClientSubscribe(BleGatt::DataService, MeasureChar).ok());
    ASSERT_TRUE(waitEvent("Subscribed|" + BleGatt::DataService + "|" + MeasureChar));
    const QString line = control("SendOnline").arguments().value(0).toString();
    ASSERT_FALSE(line.isEmpty());
    ASSERT_TRUE(waitEvent("Value|" + BleGatt::DataService + "|" + MeasureChar));
    EXPECT_EQ(log->matching("Value|" + BleGatt::DataService + "|" + MeasureChar).first(),
              "Value|" + BleGatt::DataService + "|" + MeasureChar + "|" + line);
    ASSERT_TRUE(client->ClientUnsubscribe(BleGatt::DataService, MeasureChar).ok());
    ASSERT_TRUE(waitEvent("Unsubscribed|"));

    ASSERT_TRUE(client->ClientDisconnect().ok());
    ASSERT_TRUE(waitEvent("Disconnected|"));
    EXPECT_EQ(log->matching("Disconnected|"), QStringList{"Disconnected|0|OK"});
    EXPECT_EQ(client->ClientRead(BleGatt::CommandService, CommandChar).Number,
              BleClient::NotConnected);
}

TEST_F(QtBleClientTest, LinkLostIsReportedAndComesBackWithTheSameIds) {
    ASSERT_TRUE(startSimulator());
    connectAndDiscover();
    ASSERT_TRUE(client->ClientSubscribe(BleGatt::DataService, MeasureChar).ok());
    ASSERT_TRUE(waitEvent("Subscribed|"));
    log->clear();

    control("Drop");
    ASSERT_TRUE(waitEvent("Disconnected|"));
    EXPECT_EQ(log->matching("Disconnected|"), QStringList{"Disconnected|0|Link lost"});
    ASSERT_TRUE(waitEvent("Log|Link Disconnected"));
    EXPECT_EQ(client->ClientRead(BleGatt::CommandService, CommandChar).Number,
              BleClient::NotConnected);

    control("Restore");
    ASSERT_TRUE(waitEvent("Log|Link Connected again"));
    EXPECT_FALSE(log->has("Connected|"));
    ASSERT_TRUE(client->ClientWrite(BleGatt::CommandService, CommandChar, "$glt!").ok());
    ASSERT_TRUE(waitEvent("WriteResponse|"));
    ASSERT_TRUE(client->ClientRead(BleGatt::CommandService, CommandChar).ok());
    ASSERT_TRUE(waitEvent("Value|"));
    EXPECT_TRUE(log->matching("Value|").first().contains("|$glt?"));
}

TEST_F(QtBleClientTest, ServicesThatNeverResolveEndTheConnectWithAStatus) {
    ASSERT_TRUE(startSimulator({"--no-resolve"}));
    ASSERT_TRUE(client->ClientConfig("ConnectTimeout=300").ok());
    ASSERT_TRUE(client->ClientScanStart(QString()).ok());
    ASSERT_TRUE(waitEvent("Advertisement|"));
    ASSERT_TRUE(client->ClientConnect(Server).ok());
    ASSERT_TRUE(waitEvent("Connected|"));
    EXPECT_EQ(log->matching("Connected|").first().section('|', 1, 1).toInt(),
              BleClient::ConnectTimedOut);
}

TEST_F(QtBleClientTest, ARefusedReadIsAnError) {
    ASSERT_TRUE(startSimulator({"--refuse-reads"}));
    connectAndDiscover();
    ASSERT_TRUE(client->ClientRead(BleGatt::DataService, DataChar).ok());
    ASSERT_TRUE(waitEvent("Error|"));
    EXPECT_EQ(log->matching("Error|").first().section('|', 1, 1).toInt(), BleClient::ReadFailed);
    EXPECT_FALSE(log->has("Value|"));
}

TEST_F(QtBleClientTest, BadCallsAreRefusedAtOnce) {
    EXPECT_EQ(client->ClientConnect("C464E31234").Number, BleClient::BadArgument);
    EXPECT_EQ(client->ClientConfig("Colour=blue").Number, BleClient::BadArgument);
    EXPECT_EQ(client->ClientConfig("LogLevel=high").Number, BleClient::BadArgument);
    EXPECT_TRUE(client->ClientConfig("AutoDiscoverCharacteristics = true").ok());
    EXPECT_EQ(client->ClientSubscribe(BleGatt::DataService, MeasureChar).Number,
              BleClient::NotConnected);
}

} // namespace
