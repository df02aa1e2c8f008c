#pragma once

#include <QString>
#include <QStringList>

struct DataFolders {
    QString AppDataPath;  // settings and the transfer log
    QString MessDataPath; // measurement files and project captions
    QStringList Failures; // folders that could not be created, for the log
};

// The desktop's configuration and data folders, each followed by company and model title, each
// made one folder name.
// Missing folders are created, so a fresh installation can keep its settings and log at once.
DataFolders ResolveDataFolders(const QString& companyName, const QString& modelTitle);
