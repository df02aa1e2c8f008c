#include "core/ProjectDataCache.h"

#include <QDir>
#include <QFileInfo>

namespace {

// File times advance in clock ticks, so a file written again within the tick of the last
// change keeps its stamp; a file changed that recently is read again each time.
bool Recent(const QDateTime& modified) {
    constexpr qint64 SettledMs = 2000;
    return modified.msecsTo(QDateTime::currentDateTimeUtc()) < SettledMs;
}

} // namespace

ProjectDataCache::FileStamp ProjectDataCache::StampOf(const QString& path) {
    const QFileInfo info(path);
    FileStamp stamp;
    if (!info.exists())
        return stamp;
    stamp.Exists = true;
    stamp.Size = info.size();
    stamp.Modified = info.fileTime(QFileDevice::FileModificationTime).toUTC();
    stamp.Changed = info.fileTime(QFileDevice::FileMetadataChangeTime).toUTC();
    return stamp;
}

ProjectDataReading ProjectDataCache::read(const QString& folder, const QDateTime& now) {
    const QString path = QDir(folder).filePath(QStringLiteral("Projektdaten.ini"));
    // Stamped before reading: a change during the reading makes the next call read again.
    const FileStamp stamp = StampOf(path);
    if (!stamp.Exists || path != m_path || stamp != m_stamp) {
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
