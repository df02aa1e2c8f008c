#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

// One running instance per user. The first start holds a lock file and listens beside it; a
// second start asks the first to come to the front and ends. A lock left behind by a crash
// (owner gone, empty, damaged, or a directory) never blocks a start.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome { First, HandedOver, Unreachable };

    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    Outcome start();
    QString lockPath() const;

signals:
    // A second start asked for the window.
    void activationRequested();

private:
    bool takeLock();
    bool clearBrokenLock();
    bool listen();
    bool handOver() const;

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
