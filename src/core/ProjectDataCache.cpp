#include "core/ProjectDataCache.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace {

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// File times advance in clock ticks, so a file written again within the tick of the last
// change keeps its stamp; a file changed that recently is read again each time.
bool Recent(const timespec& modified) {
    constexpr qint64 SettledMs = 2000;
    const qint64 modifiedMs = qint64(modified.tv_sec) * 1000 + modified.tv_nsec / 1000000;
    return QDateTime::currentMSecsSinceEpoch() - modifiedMs < SettledMs;
}

} // namespace

bool ProjectDataCache::FileStamp::operator==(const FileStamp& other) const {
    return Exists == other.Exists && Inode == other.Inode && Size == other.Size &&
           SameTime(Modified, other.Modified) && SameTime(Changed, other.Changed);
}

ProjectDataCache::FileStamp ProjectDataCache::StampOf(const QString& path) {
    FileStamp stamp;
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return stamp;
    stamp.Exists = true;
    stamp.Inode = status.st_ino;
    stamp.Size = status.st_size;
    stamp.Modified = status.st_mtim;
    stamp.Changed = status.st_ctim;
    return stamp;
}

ProjectDataReading ProjectDataCache::read(const QString& folder, const QDateTime& now) {
    const QString path = QDir(folder).filePath(QStringLiteral("Projektdaten.ini"));
    // Stamped before reading: a change during the reading makes the next call read again.
    const FileStamp stamp = StampOf(path);
    if (!stamp.Exists || path != m_path || !(stamp == m_stamp)) {
        m_reading = ReadProjectData(folder, QDateTime());
        const bool keep = stamp.Exists && m_reading.outcome.ok && !Recent(stamp.Modified);
        m_path = keep ? path : QString();
        m_stamp = keep ? stamp : FileStamp{};
    }
    ProjectDataReading reading = m_reading;
    // Without a valid date the picker gets the time of each reading, as when the file is read.
    if (reading.date && !reading.date->isValid())
        reading.date = now;
    return reading;
}

void ProjectDataCache::forget() {
    m_path.clear();
    m_stamp = FileStamp{};
}
