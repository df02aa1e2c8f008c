#include "PrivateBus.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

namespace {

constexpr int StartLimitMs = 10000;

// The session bus's own configuration names the machine's service folders, from which the bus
// would start a real portal when none is there: this one lets anybody do anything, and starts
// nothing.
constexpr char BusConfig[] = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

QString daemonPath() {
    return QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
}

} // namespace

PrivateBus::~PrivateBus() {
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(2000))
        m_daemon.kill();
    m_daemon.waitForFinished(2000);
}

bool PrivateBus::daemonAvailable() {
    return !daemonPath().isEmpty();
}

bool PrivateBus::start() {
    const QString program = daemonPath();
    if (program.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon is not installed");
        return false;
    }
    QFile config(m_config.filePath(QStringLiteral("bus.conf")));
    if (!m_config.isValid() || !config.open(QIODevice::WriteOnly) ||
        config.write(BusConfig) != static_cast<qint64>(sizeof BusConfig - 1)) {
        m_error = QStringLiteral("the bus configuration could not be written");
        return false;
    }
    config.close();
    m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_daemon.start(program, {QStringLiteral("--config-file=") + config.fileName(),
                             QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                             QStringLiteral("--print-address=1")});
    const QDeadlineTimer deadline(StartLimitMs);
    QByteArray output;
    while (!output.contains('\n')) {
        if (!m_daemon.waitForReadyRead(static_cast<int>(deadline.remainingTime())) ||
            deadline.hasExpired()) {
            m_error = QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString();
            return false;
        }
        output += m_daemon.readAllStandardOutput();
    }
    m_address = QString::fromUtf8(output.left(output.indexOf('\n'))).trimmed();
    return true;
}

void PrivateBus::exportAsSystemBus() const {
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());
    // QtBluetooth asks bluetoothd for its version to choose its D-Bus backend; the fake has none.
    qputenv("BLUETOOTH_FORCE_DBUS_LE_VERSION", "5.66");
}

void PrivateBus::exportAsSessionBus() const {
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
}
