#include "FakeBluez.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

// A Bluetooth LE instrument on a private D-Bus bus, played as BlueZ would show it, until killed.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated Bluetooth LE instrument: a fake BlueZ on the D-Bus bus given. Start the "
        "program with DBUS_SYSTEM_BUS_ADDRESS set to that bus and "
        "BLUETOOTH_FORCE_DBUS_LE_VERSION=5.66."));
    parser.addHelpOption();
    const QCommandLineOption bus(QStringLiteral("bus"),
                                 QStringLiteral("D-Bus address to serve on."),
                                 QStringLiteral("address"));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("Advertised name."),
                                  QStringLiteral("name"), QStringLiteral("QX Delta-Pro"));
    const QCommandLineOption address(QStringLiteral("address"), QStringLiteral("Device address."),
                                     QStringLiteral("address"),
                                     QStringLiteral("C4:64:E3:12:34:56"));
    const QCommandLineOption memories(QStringLiteral("memories"),
                                      QStringLiteral("Memories as name:count,name:count."),
                                      QStringLiteral("list"), QStringLiteral("Bridge:12,Plate:30"));
    const QCommandLineOption online(QStringLiteral("online-every"),
                                    QStringLiteral("An online value this often (ms), 0 never."),
                                    QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption noResolve(QStringLiteral("no-resolve"),
                                       QStringLiteral("Connect, but never resolve the services."));
    const QCommandLineOption refuseReads(QStringLiteral("refuse-reads"),
                                         QStringLiteral("Refuse every characteristic read."));
    parser.addOptions({bus, name, address, memories, online, noResolve, refuseReads});
    parser.process(app);

    QTextStream err(stderr);
    FakeBluez::Options options;
    options.Name = parser.value(name);
    options.Address = parser.value(address).toUpper();
    const std::optional<QList<BleMemory>> memoryList = ParseBleMemories(parser.value(memories));
    bool onlineOk = false;
    options.OnlineEveryMs = parser.value(online).toInt(&onlineOk);
    if (!parser.isSet(bus) || !memoryList || !onlineOk || options.OnlineEveryMs < 0) {
        err << "transfer-ble-sim: give --bus, memories as name:count,... and a time in ms\n";
        return 2;
    }
    options.Memories = *memoryList;
    options.ResolveServices = !parser.isSet(noResolve);
    options.RefuseReads = parser.isSet(refuseReads);

    FakeBluez bluez(options);
    return ServeUntilKilled(bluez, parser.value(bus), QStringLiteral("org.bluez"),
                            QStringLiteral("transfer-ble-sim"));
}
