#pragma once

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QSocketNotifier;
class QTimer;
struct udev;
struct udev_monitor;

// Tells when the set of serial ports may have changed: the system's plug events for terminal
// devices (udev) and changes of the folder of COM links. Nothing is polled; a quiet system costs
// nothing. Bursts of events are answered with one `changed` a moment later, when the device has
// settled, and once more a second after, when its permissions may have been set.
class PortWatch : public QObject {
    Q_OBJECT
public:
    explicit PortWatch(QObject* parent = nullptr);
    ~PortWatch() override;

    void setPortsFolder(const QString& folder);
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

signals:
    void changed();

private:
    void onUdevEvent();
    void onFolderEvent(const QString& path);
    void watchFolder();
    void schedule();

    bool m_enabled = true;
    QString m_folder;
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QFileSystemWatcher* m_folderWatch;
    QTimer* m_settle;
    QTimer* m_again;
};
