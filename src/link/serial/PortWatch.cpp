#include "link/serial/PortWatch.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QTimer>
#include <libudev.h>

namespace {

constexpr int SettleMs = 100;
constexpr int AgainMs = 1000;

} // namespace

PortWatch::PortWatch(QObject* parent)
    : QObject(parent), m_folderWatch(new QFileSystemWatcher(this)), m_settle(new QTimer(this)),
      m_again(new QTimer(this)) {
    m_settle->setSingleShot(true);
    m_settle->setInterval(SettleMs);
    m_again->setSingleShot(true);
    m_again->setInterval(AgainMs);
    connect(m_settle, &QTimer::timeout, this, [this] {
        if (m_enabled)
            emit changed();
    });
    connect(m_again, &QTimer::timeout, this, [this] {
        if (m_enabled)
            emit changed();
    });
    connect(m_folderWatch, &QFileSystemWatcher::directoryChanged, this, &PortWatch::onFolderEvent);

    // Without udev (a container, another system) the folder of COM links is still watched.
    m_udev = udev_new();
    if (m_udev != nullptr)
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor != nullptr &&
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "tty", nullptr) >= 0 &&
        udev_monitor_enable_receiving(m_monitor) >= 0) {
        m_notifier =
            new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &PortWatch::onUdevEvent);
    }
}

PortWatch::~PortWatch() {
    delete m_notifier;
    if (m_monitor != nullptr)
        udev_monitor_unref(m_monitor);
    if (m_udev != nullptr)
        udev_unref(m_udev);
}

void PortWatch::setPortsFolder(const QString& folder) {
    m_folder = folder;
    watchFolder();
}

void PortWatch::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled) {
        m_settle->stop();
        m_again->stop();
    }
}

void PortWatch::watchFolder() {
    if (!m_folderWatch->directories().isEmpty())
        m_folderWatch->removePaths(m_folderWatch->directories());
    if (m_folder.isEmpty())
        return;
    // The folder may not exist yet: its parent tells when it appears.
    QStringList paths;
    for (const QString& path : {m_folder, QFileInfo(m_folder).path()}) {
        if (QFileInfo(path).isDir())
            paths << path;
    }
    if (!paths.isEmpty())
        m_folderWatch->addPaths(paths);
}

void PortWatch::onUdevEvent() {
    // Each event must be taken off the socket, or it stays readable.
    if (udev_device* device = udev_monitor_receive_device(m_monitor))
        udev_device_unref(device);
    schedule();
}

void PortWatch::onFolderEvent(const QString& path) {
    // The parent folder also holds the settings and the log: only the appearance of the folder
    // of COM links matters there.
    if (path != m_folder) {
        if (m_folderWatch->directories().contains(m_folder) || !QFileInfo(m_folder).isDir())
            return;
        watchFolder();
    }
    schedule();
}

void PortWatch::schedule() {
    if (!m_enabled)
        return;
    m_settle->start();
    m_again->start();
}
