#pragma once

#include "core/SettingsFiles.h"

#include <QDateTime>
#include <QString>

// "PL" for reports built after every online value: Projektdaten.ini is read again only when it
// changed on disk since the last good reading, so each report still shows the saved project data.
class ProjectDataCache {
public:
    // As ReadProjectData; a failed reading is not kept, so the next call reads (and reports) again.
    ProjectDataReading read(const QString& folder, const QDateTime& now);
    // The program wrote the file itself: the next call reads it.
    void forget();

private:
    struct FileStamp {
        bool Exists = false;
        qint64 Size = 0;
        QDateTime Modified;
        QDateTime Changed; // metadata: a file renamed into place has a new one
        bool operator==(const FileStamp& other) const = default;
    };
    static FileStamp StampOf(const QString& path);

    QString m_path;
    FileStamp m_stamp;
    ProjectDataReading m_reading; // a "DT" line without a date is kept as an invalid date
};
