#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>

// A real file system of a few pages mounted over a folder for one test, so a full disk is a full
// disk and not a fake. Mounting needs root (CAP_SYS_ADMIN); where that is missing, mounted() is
// false and error() says why. Header only: the core tests link no support library.
class TinyFileSystem {
public:
    explicit TinyFileSystem(const QString& folder, int kibibytes = 64) : m_folder(folder) {
        QDir().mkpath(folder);
        const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0777";
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    options.constData()) == 0)
            m_mounted = true;
        else
            m_error = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~TinyFileSystem() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    TinyFileSystem(const TinyFileSystem&) = delete;
    TinyFileSystem& operator=(const TinyFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    QString error() const { return QStringLiteral("cannot mount a tmpfs: ") + m_error; }

    // Takes every free byte, as a disk that has just filled up.
    void fill() const {
        QFile filler(QDir(m_folder).filePath(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return;
        for (qsizetype chunk = 4096; chunk > 0; chunk /= 2) {
            const QByteArray bytes(chunk, 'x');
            while (filler.write(bytes) == chunk) {
            }
        }
    }

    // As a disk mounted read-only, or one the kernel switched to read-only after an error.
    bool makeReadOnly() const {
        return ::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }

    // Gives the space back.
    void empty() const { QFile::remove(QDir(m_folder).filePath(QStringLiteral(".filler"))); }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_error;
};
