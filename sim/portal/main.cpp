#include "FakePortal.h"

#include "core/PortalProtocol.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

// A desktop's remote-desktop portal on a private D-Bus bus, until killed.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated remote-desktop portal on the D-Bus bus given. Start the program with "
        "DBUS_SESSION_BUS_ADDRESS set to that bus and XDG_SESSION_TYPE=wayland."));
    parser.addHelpOption();
    const QCommandLineOption bus(QStringLiteral("bus"),
                                 QStringLiteral("D-Bus address to serve on."),
                                 QStringLiteral("address"));
    const QCommandLineOption devices(
        QStringLiteral("devices"),
        QStringLiteral("Device types offered: 1 keyboard, 2 pointer, 4 touchscreen, added."),
        QStringLiteral("mask"), QStringLiteral("7"));
    const QCommandLineOption refuse(QStringLiteral("refuse"),
                                    QStringLiteral("The user refuses every start asked for."));
    const QCommandLineOption answerFirst(
        QStringLiteral("answer-first"),
        QStringLiteral("Answer each request before replying to its call."));
    const QCommandLineOption ownNames(
        QStringLiteral("own-request-names"),
        QStringLiteral("Name requests without the caller's handle tokens, as old portals did."));
    parser.addOptions({bus, devices, refuse, answerFirst, ownNames});
    parser.process(app);

    FakePortal::Options options;
    bool devicesOk = false;
    options.DeviceTypes = parser.value(devices).toUInt(&devicesOk);
    options.Refuse = parser.isSet(refuse);
    options.AnswerFirst = parser.isSet(answerFirst);
    options.OwnRequestNames = parser.isSet(ownNames);
    if (!parser.isSet(bus) || !devicesOk) {
        QTextStream(stderr) << "transfer-portal-sim: give --bus and the device types as a number\n";
        return 2;
    }
    FakePortal portal(options);
    return ServeUntilKilled(portal, parser.value(bus), Portal::Service,
                            QStringLiteral("transfer-portal-sim"));
}
