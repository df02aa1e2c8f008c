#include "PortalSim.h"

namespace {

// The program's first use of the session bus must find the private one.
[[maybe_unused]] ::testing::Environment* const environment = UsePrivateBus(BusRole::Session);

} // namespace

void PortalSimTest::SetUp() {
    if (!PrivateBus::daemonAvailable())
        GTEST_SKIP() << "dbus-daemon is missing: no private bus for the simulated portal";
    ASSERT_TRUE(SimulatorBus()) << BusProblem().toStdString();
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("XDG_SESSION_TYPE", "wayland");
}

void PortalSimTest::TearDown() {
    killPortal();
    qunsetenv("XDG_SESSION_TYPE");
}

bool PortalSimTest::startPortal(const QStringList& options) {
    m_portal = std::make_unique<QProcess>();
    return StartSimulator(*m_portal, QStringLiteral(TRANSFER_PORTAL_SIM), options);
}

void PortalSimTest::killPortal() {
    if (!m_portal)
        return;
    m_portal->kill();
    m_portal->waitForFinished(5000);
    m_portal.reset();
}

QDBusMessage PortalSimTest::control(const QString& method, const QVariantList& arguments) {
    return CallSimulator(QStringLiteral("org.freedesktop.portal.Desktop"),
                         QStringLiteral("org.tavelin.PortalSimulator"), method, arguments);
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
