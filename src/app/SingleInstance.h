#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

// The user's runtime folder (XDG_RUNTIME_DIR), or, where the session sets none, a folder below the
// user's cache folder, never the temporary folder that all users share.
QString SingleInstanceFolder();

// One running instance per user and installation (its model title): the first start holds a lock
// file and listens beside it, in a folder of the user's own; a second start of the same
// installation asks the first to come to the front and ends. A lock left behind by a crash
// (owner gone, empty, damaged, or a directory) never blocks a start.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome { First, HandedOver, Unreachable };

    SingleInstance(const QString& folder, const QString& modelTitle, QObject* parent = nullptr);
    ~SingleInstance() override;

    Outcome start();
    QString lockPath() const;
    QString socketPath() const;

signals:
    // A second start asked for the window.
    void activationRequested();

private:
    bool takeLock();
    bool clearBrokenLock();
    bool listen();
    bool handOver() const;

    QString m_folder;
    QString m_name; // the file name without suffix, the same for lock and socket
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
