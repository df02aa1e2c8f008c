#include "link/serial/PortNumbers.h"
#include "core/QStringPrinter.h"
#include "link/serial/LineSettings.h"
#include "link/serial/PortInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SystemPort port(const QString& device, const QString& description = {}) {
    return {device, QFileInfo(device).fileName(), description};
}

QStringList summary(const QList<SerialPortEntry>& entries) {
    QStringList texts;
    for (const SerialPortEntry& entry : entries)
        texts.append(entry.Name + QLatin1Char('=') + entry.Device);
    return texts;
}

TEST(AssignPortNumbers, BuiltInPortsFirstThenByNameWithNumbersAsNumbers) {
    const auto entries = AssignPortNumbers({}, {port("/dev/ttyUSB10"), port("/dev/ttyUSB2"),
                                                port("/dev/ttyACM0"), port("/dev/ttyS0")});
    EXPECT_EQ(summary(entries), QStringList({"COM1=/dev/ttyS0", "COM2=/dev/ttyACM0",
                                             "COM3=/dev/ttyUSB2", "COM4=/dev/ttyUSB10"}));
    EXPECT_EQ(entries[2].SystemName, "ttyUSB2");
}

TEST(AssignPortNumbers, PinnedNumbersStayReservedWhileTheirDeviceIsAbsent) {
    const auto entries = AssignPortNumbers({{1, {}}, {3, "/dev/pts/4"}},
                                           {port("/dev/ttyUSB0"), port("/dev/ttyUSB1")});
    EXPECT_EQ(summary(entries),
              QStringList({"COM2=/dev/ttyUSB0", "COM3=/dev/pts/4", "COM4=/dev/ttyUSB1"}));
    EXPECT_TRUE(entries[1].Pinned);
    EXPECT_EQ(entries[1].SystemName, "pts/4");
}

TEST(AssignPortNumbers, APinnedSystemPortAppearsOnceAndTheFirstLinkWins) {
    const auto entries =
        AssignPortNumbers({{5, "/dev/ttyUSB0"}, {5, "/dev/ttyUSB1"}}, {port("/dev/ttyUSB0")});
    EXPECT_EQ(summary(entries), QStringList({"COM5=/dev/ttyUSB0"}));
}

TEST(AssignPortNumbers, SystemCOMNamesKeepTheirNumbers) {
    const auto entries = AssignPortNumbers(
        {{7, "/dev/pts/1"}}, {{"\\\\.\\COM7", "COM7", {}}, {"\\\\.\\COM3", "COM3", {}}});
    EXPECT_EQ(summary(entries),
              QStringList({"COM1=\\\\.\\COM7", "COM3=\\\\.\\COM3", "COM7=/dev/pts/1"}));
}

TEST(ReadPinnedPorts, ReadsComLinksOfAnyCaseAndDanglingOnes) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile target(folder.filePath("device"));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(target.fileName(), folder.filePath("com12")));
    ASSERT_TRUE(QFile::link(folder.filePath("gone"), folder.filePath("COM3")));
    ASSERT_TRUE(QFile::link(target.fileName(), folder.filePath("COM0")));
    ASSERT_TRUE(QFile::link(target.fileName(), folder.filePath("COMX")));

    QList<PinnedPort> pinned = ReadPinnedPorts(folder.path());
    std::sort(pinned.begin(), pinned.end(),
              [](const PinnedPort& a, const PinnedPort& b) { return a.Number < b.Number; });
    ASSERT_EQ(pinned.size(), 2);
    EXPECT_EQ(pinned[0].Number, 3);
    EXPECT_TRUE(pinned[0].Device.isEmpty());
    EXPECT_EQ(pinned[1].Number, 12);
    EXPECT_EQ(pinned[1].Device, QFileInfo(target.fileName()).canonicalFilePath());
    EXPECT_TRUE(ReadPinnedPorts(folder.filePath("missing")).isEmpty());
}

TEST(PortNumberFromName, AcceptsComNumbersOnly) {
    EXPECT_EQ(PortNumberFromName(" com7 "), 7);
    EXPECT_EQ(PortNumberFromName("COM200"), 200);
    EXPECT_FALSE(PortNumberFromName("COM"));
    EXPECT_FALSE(PortNumberFromName("COM0"));
    EXPECT_FALSE(PortNumberFromName("COM1000"));
    EXPECT_FALSE(PortNumberFromName("COM 7"));
    EXPECT_FALSE(PortNumberFromName("LPT1"));
}

TEST(PortInfo, TypeTellsBluetoothFromOtherPorts) {
    SerialPortEntry entry;
    entry.SystemName = "rfcomm0";
    EXPECT_EQ(PortTypeText(entry), "BTH rfcomm0");
    entry.SystemName = "ttyUSB0";
    EXPECT_EQ(PortTypeText(entry), "VCP ttyUSB0");
    entry.SystemName = "COM9";
    entry.Description = "Standard Serial over Bluetooth link";
    EXPECT_EQ(PortTypeText(entry), "BTH COM9");
}

TEST(PortInfo, ValuesComeBackByKey) {
    SerialPortEntry entry{7, "COM7", "/dev/ttyUSB0", "ttyUSB0", "FT232R\nUSB", false, false};
    const QString info = PortInfoText(entry, "No permission");
    EXPECT_EQ(PortInfoValue(info, "NAME"), "COM7");
    EXPECT_EQ(PortInfoValue(info, "TYPE"), "VCP ttyUSB0");
    EXPECT_EQ(PortInfoValue(info, "check"), "0");
    EXPECT_EQ(PortInfoValue(info, "DESCRIPTION"), "FT232R USB");
    EXPECT_EQ(PortInfoValue(info, "REASON"), "No permission");
    EXPECT_EQ(PortInfoValue(info, "OTHER"), "");
    EXPECT_EQ(PortInfoValue("", "NAME"), "");
    entry.Accessible = true;
    EXPECT_EQ(PortInfoValue(PortInfoText(entry, {}), "CHECK"), "1");
}

TEST(PortChanges, ReportsUnpluggedPluggedAndReady) {
    const SerialPortEntry usb{2, "COM2", "/dev/ttyUSB0", "ttyUSB0", {}, false, true};
    SerialPortEntry acm{3, "COM3", "/dev/ttyACM0", "ttyACM0", {}, false, false};
    EXPECT_EQ(PortChanges({usb}, {acm}),
              QList<PortChange>({{PortUnplugged, "COM2"}, {PortPlugged, "COM3"}}));
    SerialPortEntry ready = acm;
    ready.Accessible = true;
    EXPECT_EQ(PortChanges({acm}, {ready}), QList<PortChange>({{PortReady, "COM3"}}));
    EXPECT_EQ(PortChanges({}, {usb}),
              QList<PortChange>({{PortPlugged, "COM2"}, {PortReady, "COM2"}}));
    SerialPortEntry moved = usb;
    moved.Device = "/dev/ttyUSB1";
    EXPECT_EQ(
        PortChanges({usb}, {moved}),
        QList<PortChange>({{PortUnplugged, "COM2"}, {PortPlugged, "COM2"}, {PortReady, "COM2"}}));
    EXPECT_TRUE(PortChanges({usb, acm}, {usb, acm}).isEmpty());
}

TEST(LineSettings, ReadsTheControlsSettingsText) {
    const auto settings = ParseLineSettings("38400,n,8,1");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->BaudRate, 38400);
    EXPECT_EQ(settings->Parity, QSerialPort::NoParity);
    EXPECT_EQ(settings->DataBits, QSerialPort::Data8);
    EXPECT_EQ(settings->StopBits, QSerialPort::OneStop);

    const auto other = ParseLineSettings(" 9600 , E , 7 , 1.5 ");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->Parity, QSerialPort::EvenParity);
    EXPECT_EQ(other->DataBits, QSerialPort::Data7);
    EXPECT_EQ(other->StopBits, QSerialPort::OneAndHalfStop);

    for (const char* bad : {"", "38400,n,8", "38400,x,8,1", "38400,n,9,1", "0,n,8,1", "38400,n,8,3",
                            "fast,n,8,1", "38400,n,8,1,"})
        EXPECT_FALSE(ParseLineSettings(bad)) << bad;
    EXPECT_EQ(FlowControlFor(1), QSerialPort::SoftwareControl);
    EXPECT_FALSE(FlowControlFor(4));
}

} // namespace
