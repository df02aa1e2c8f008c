#include "PortalSim.h"

#include "sim/PrivateBus.h"
#include "ui/EventWait.h"

#include <QDBusConnection>
#include <QDeadlineTimer>

namespace {

PrivateBus* bus = nullptr;
QString busProblem;

class BusEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!PrivateBus::daemonAvailable())
            return;
        bus = new PrivateBus;
        if (!bus->start()) {
            busProblem = bus->errorString();
            delete bus;
            bus = nullptr;
            return;
        }
        bus->exportAsSessionBus();
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("control"));
        delete bus;
        bus = nullptr;
    }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new BusEnvironment);

} // namespace

bool WaitFor(const std::function<bool()>& done, int limitMs) {
    return RunEventsUntil(done, limitMs, [] { return false; }) ==
           PlatformServices::WaitResult::Done;
}

void PortalSimTest::SetUp() {
    if (!PrivateBus::daemonAvailable())
        GTEST_SKIP() << "dbus-daemon is missing: no private bus for the simulated portal";
    ASSERT_TRUE(bus) << busProblem.toStdString();
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("XDG_SESSION_TYPE", "wayland");
}

void PortalSimTest::TearDown() {
    killPortal();
    qunsetenv("XDG_SESSION_TYPE");
}

bool PortalSimTest::startPortal(const QStringList& options) {
    m_portal = std::make_unique<QProcess>();
    m_portal->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_portal->start(QStringLiteral(TRANSFER_PORTAL_SIM),
                    QStringList{QStringLiteral("--bus"), bus->address()} + options);
    const QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!output.contains("ready\n") && !deadline.hasExpired()) {
        if (!m_portal->waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        output += m_portal->readAllStandardOutput();
    }
    return output.contains("ready\n");
}

void PortalSimTest::killPortal() {
    if (!m_portal)
        return;
    m_portal->kill();
    m_portal->waitForFinished(5000);
    m_portal.reset();
}

QDBusMessage PortalSimTest::control(const QString& method, const QVariantList& arguments) {
    QDBusConnection connection =
        QDBusConnection::connectToBus(bus->address(), QStringLiteral("control"));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/tavelin/simulator"),
        QStringLiteral("org.tavelin.PortalSimulator"), method);
    call.setArguments(arguments);
    return connection.call(call, QDBus::Block, 5000);
}

QStringList PortalSimTest::calls() {
    return control(QStringLiteral("Calls")).arguments().value(0).toStringList();
}

QStringList PortalSimTest::keysyms() {
    return calls().filter(QStringLiteral("Keysym "));
}

QStringList KeysymCalls(const QString& text) {
    QStringList calls;
    for (QChar c : text) {
        const uint symbol = c == u'\n' ? 0xff0du : c.unicode();
        for (const char* state : {"pressed", "released"})
            calls << QStringLiteral("Keysym 0x%1 %2").arg(symbol, 0, 16).arg(QLatin1String(state));
    }
    return calls;
}
