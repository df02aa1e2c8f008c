#include "app/DataFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString Folder(QStandardPaths::StandardLocation location, const QString& companyName,
               const QString& modelTitle, QStringList& failures) {
    const QString path =
        QDir::toNativeSeparators(QStandardPaths::writableLocation(location) + QLatin1Char('/') +
                                 companyName + QLatin1Char('/') + modelTitle);
    if (!QDir().mkpath(path))
        failures << QStringLiteral("Ordner kann nicht angelegt werden: ") + path;
    return path;
}

} // namespace

DataFolders ResolveDataFolders(const QString& companyName, const QString& modelTitle) {
    DataFolders folders;
    folders.AppDataPath =
        Folder(QStandardPaths::GenericConfigLocation, companyName, modelTitle, folders.Failures);
    folders.MessDataPath =
        Folder(QStandardPaths::GenericDataLocation, companyName, modelTitle, folders.Failures);
    return folders;
}
