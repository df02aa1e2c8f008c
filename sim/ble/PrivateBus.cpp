#include "PrivateBus.h"

#include <QDeadlineTimer>
#include <QStandardPaths>

namespace {

constexpr int StartLimitMs = 10000;

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
    m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_daemon.start(program, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                             QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1"),
                             QStringLiteral("--address=unix:tmpdir=/tmp")});
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
