#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

const char* const ActivationRequest = "activate\n";

// A lock file is written in one go right after it is created; one without readable owner data
// that is older than this is a leftover, not a start in progress.
constexpr qint64 WritingGraceMs = 1000;

} // namespace

QString SingleInstanceFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                        QStringLiteral("/tavelin-transfer");
    QDir().mkpath(own);
    QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return own;
}

// The title stands in the name as a hash: any characters, and a socket path stays within the
// 108 bytes the system allows.
SingleInstance::SingleInstance(const QString& folder, const QString& modelTitle, QObject* parent)
    : QObject(parent), m_folder(folder),
      m_name(QStringLiteral("tavelin-transfer-") +
             QString::fromLatin1(
                 QCryptographicHash::hash(modelTitle.toUtf8(), QCryptographicHash::Sha1)
                     .toHex()
                     .left(12))) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath() const {
    return QDir(m_folder).filePath(m_name + QStringLiteral(".lock"));
}

QString SingleInstance::socketPath() const {
    return QDir(m_folder).filePath(m_name + QStringLiteral(".socket"));
}

SingleInstance::Outcome SingleInstance::start() {
    if (takeLock()) {
        listen();
        return Outcome::First;
    }
    return handOver() ? Outcome::HandedOver : Outcome::Unreachable;
}

bool SingleInstance::takeLock() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_lock = std::make_unique<QLockFile>(lockPath());
        // Age alone never makes a lock stale: a long-running instance keeps an old lock.
        // QLockFile itself removes a lock whose owner process is gone.
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock(0))
            return true;
        if (m_lock->error() != QLockFile::LockFailedError || !clearBrokenLock())
            return false;
    }
    return false;
}

// The lock exists but QLockFile cannot tell its owner: remove it when it is a leftover.
bool SingleInstance::clearBrokenLock() {
    const QString path = lockPath();
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock->getLockInfo(&pid, &host, &application))
        return false; // a readable lock of a running owner
    QFileInfo info(path);
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    if (info.isFile() && age >= 0 && age < WritingGraceMs) {
        QThread::msleep(static_cast<unsigned long>(WritingGraceMs - age));
        if (m_lock->getLockInfo(&pid, &host, &application))
            return false;
    }
    m_lock.reset();
    if (QFileInfo(path).isDir())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

bool SingleInstance::listen() {
    const QString name = socketPath();
    // We hold the lock, so a socket file left there belongs to a dead instance.
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("activate"))
                    emit activationRequested();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return m_server->listen(name);
}

bool SingleInstance::handOver() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(2000))
        return false;
    socket.write(ActivationRequest);
    return socket.waitForBytesWritten(2000);
}
